#pragma once

#include <memory>
#include <QAbstractListModel>
#include <QByteArray>
#include <QStringList>
#include <vector>

namespace ui {

// Names end to end in one piece of UTF-8 text: a million names cost their letters and one
// offset each, where a list of strings would cost an object per name.
class PackedNames
{
public:
    PackedNames() = default;
    explicit PackedNames(const QStringList &names);

    void reserve(qsizetype names, qsizetype bytes);
    void append(QByteArrayView utf8);
    qsizetype size() const { return qsizetype(m_ends.size()); }
    qsizetype bytes() const { return m_bytes.size(); }
    QByteArrayView utf8(qsizetype at) const
    {
        const quint32 from = at == 0 ? 0 : m_ends[size_t(at) - 1];
        return {m_bytes.constData() + from, qsizetype(m_ends[size_t(at)] - from)};
    }
    QString text(qsizetype at) const { return QString::fromUtf8(utf8(at)); }

    // The places of the names alphabetically, as pick lists show them; equal names keep
    // their order.
    std::vector<qint32> alphabeticalOrder() const;

private:
    QByteArray m_bytes;
    std::vector<quint32> m_ends;
};

// Some of the names, in an order, as a pick list offers them. Lists made of the same names
// share them.
class NameListModel : public QAbstractListModel
{
    Q_OBJECT
public:
    NameListModel(std::shared_ptr<const PackedNames> names, std::vector<qint32> entries,
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
    std::shared_ptr<const PackedNames> m_names;
    std::vector<qint32> m_entries;
};

} // namespace ui
