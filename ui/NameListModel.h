#pragma once

#include "core/PackedTexts.h"
#include <memory>

#include <QAbstractListModel>
#include <QStringList>
#include <vector>

namespace ui {

// The places of the texts alphabetically, as pick lists show them; equal texts keep their
// order.
std::vector<qint32> alphabeticalOrder(const core::PackedTexts &texts);

// Some of the names, in an order, as a pick list offers them. Lists made of the same names
// share them.
class NameListModel : public QAbstractListModel
{
    Q_OBJECT
public:
    NameListModel(std::shared_ptr<const core::PackedTexts> names, std::vector<qint32> entries,
                  QObject *parent = nullptr);
    explicit NameListModel(const QStringList &entries, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;

    QString entry(qsizetype row) const { return m_names->text(m_entries[size_t(row)]); }
    QStringList entries() const;
    // What typing `typed` offers: the entries that hold it anywhere, blind to case and
    // accents, those that start with it first, each group in the list's order.
    QStringList matching(const QString &typed) const;

private:
    std::shared_ptr<const core::PackedTexts> m_names;
    std::vector<qint32> m_entries;
};

} // namespace ui
