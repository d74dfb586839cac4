#pragma once

#include "core/PackedTexts.h"
#include <memory>

#include <QAbstractListModel>
#include <QStringList>
#include <vector>

namespace ui {

// The places of the texts alphabetically, as pick lists show them, empty ones first; equal
// texts keep their order.
std::vector<qint32> alphabeticalOrder(const core::PackedTexts &texts);

// Some of the names, in an order, as a pick list offers them. Lists made of the same names
// share them.
class NameListModel : public QAbstractListModel
{
    Q_OBJECT
public:
    // Every name, in the order they stand.
    explicit NameListModel(std::shared_ptr<const core::PackedTexts> names,
                           QObject *parent = nullptr);
    // The names at these places.
    NameListModel(std::shared_ptr<const core::PackedTexts> names, std::vector<qint32> entries,
                  QObject *parent = nullptr);
    // The names at the places `order` holds from `from` on: lists that are one order, or its
    // tail, share it.
    NameListModel(std::shared_ptr<const core::PackedTexts> names,
                  std::shared_ptr<const std::vector<qint32>> order, qsizetype from,
                  QObject *parent = nullptr);
    explicit NameListModel(const QStringList &entries, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;

    QString entry(qsizetype row) const { return m_names->text(placeOf(row)); }
    QStringList entries() const;
    // What typing `typed` offers: the entries that hold it anywhere, blind to case and
    // accents, those that start with it first, each group in the list's order.
    QStringList matching(const QString &typed) const;

private:
    qsizetype placeOf(qsizetype row) const
    {
        return m_order ? (*m_order)[size_t(m_from + row)] : row;
    }

    std::shared_ptr<const core::PackedTexts> m_names;
    std::shared_ptr<const std::vector<qint32>> m_order; // none: the names as they stand
    qsizetype m_from = 0;
    qsizetype m_count = 0;
};

} // namespace ui
