#include "ui/SharedNames.h"

#include "db/Fields.h"
#include "db/RawRows.h"
#include "db/Schema.h"
#include "db/WriteCount.h"
#include "kennel/RecordKinds.h"
#include "ui/NameListModel.h"
#include "ui/PickList.h"

#include <algorithm>
#include <map>
#include <QHash>
#include <QStringBuilder>
#include <sqlite3.h>

namespace ui {
namespace {

enum class Sex : quint8 { Other, Male, Female };

// One row as read, before it takes its place.
struct ReadRow
{
    qint64 row;
    QByteArray name;
    Sex sex;
    std::optional<QByteArray> owner; // no owner and an empty one differ
};

// The names of one table's rows as last read, in row order, and the lists made of them.
class TableNames
{
public:
    TableNames(QString table, QString name, QString sex = {}, QString owner = {})
        : m_table(std::move(table)), m_name(std::move(name)), m_sex(std::move(sex)),
          m_owner(std::move(owner))
    {
    }

    void readIfChanged(const QSqlDatabase &db)
    {
        const QString now = db::tableVersion(db, m_table);
        const bool sameFile = db.connectionName() == m_connection && m_names;
        if (sameFile && !now.isEmpty() && now == m_version)
            return;
        const auto written =
            sameFile ? db::rowsWrittenSince(db, m_table, m_version, {}, mostMended) : std::nullopt;
        m_version = now;
        m_connection = db.connectionName();
        m_lists.clear();
        m_ownedBy.clear();
        if (written)
            mend(db, *written);
        else
            readWhole(db);
    }

    // Every row, in row order or alphabetically, leaving out the unnamed ones where asked:
    // lists that share one order.
    std::shared_ptr<NameListModel> list(SharedList which, bool sorted, bool namedOnly)
    {
        auto &model = m_lists[which];
        if (model)
            return model;
        if (!sorted) {
            model = std::make_shared<NameListModel>(m_names);
        } else {
            // Unnamed rows sort first: the named ones are the order's tail.
            const auto &order = alphabetical();
            const auto tail =
                std::find_if(order->begin(), order->end(), [this](qint32 at) { return named(at); });
            model = std::make_shared<NameListModel>(m_names, order,
                                                    namedOnly ? tail - order->begin() : 0);
        }
        return model;
    }

    std::shared_ptr<NameListModel> list(SharedList which, const std::function<bool(qint32)> &keep)
    {
        auto &model = m_lists[which];
        if (!model)
            model = listOf(keep);
        return model;
    }

    std::shared_ptr<NameListModel> listOwnedBy(const QString &owner)
    {
        auto &model = m_ownedBy[owner];
        if (!model) {
            const qint32 place = ownerPlaceOf(owner.toUtf8());
            model = listOf([&](qint32 at) { return place >= 0 && m_ownerOf[at] == place; });
        }
        return model;
    }

    bool named(qint32 at) const { return !m_names->utf8(at).isEmpty(); }
    bool ofSex(qint32 at, Sex sex) const { return m_sexes[size_t(at)] == sex; }

private:
    // More rows changed than this are read again whole.
    static constexpr qsizetype mostMended = 2000;

    const std::shared_ptr<const std::vector<qint32>> &alphabetical()
    {
        if (!m_alphabetical)
            m_alphabetical =
                std::make_shared<const std::vector<qint32>>(alphabeticalOrder(*m_names));
        return m_alphabetical;
    }

    // The rows kept, alphabetically.
    std::shared_ptr<NameListModel> listOf(const std::function<bool(qint32)> &keep)
    {
        std::vector<qint32> entries;
        for (const qint32 at : *alphabetical()) {
            if (keep(at))
                entries.push_back(at);
        }
        entries.shrink_to_fit();
        return std::make_shared<NameListModel>(m_names, std::move(entries));
    }

    // Reads the rows asked (all of them when `where` is empty), in row order.
    QString read(const QSqlDatabase &db, const QString &where,
                 const std::function<void(ReadRow)> &each) const
    {
        enum Column { Row, Name, SexColumn, Owner };
        const QString select = QStringLiteral("SELECT rowid, ") % db::quoted(m_name) %
                               (m_sex.isEmpty() ? QString()
                                                : QStringLiteral(", ") % db::quoted(m_sex) %
                                                      QStringLiteral(", ") % db::quoted(m_owner)) %
                               QStringLiteral(" FROM ") % db::quoted(m_table) % where %
                               QStringLiteral(" ORDER BY rowid");
        return db::scanRows(db, select, [&](const db::RawRow &row) {
            const std::string_view name = row.text(Name);
            ReadRow read{row.whole(Row), QByteArray(name.data(), qsizetype(name.size())),
                         Sex::Other, std::nullopt};
            if (!m_sex.isEmpty()) {
                const std::string_view sex = row.text(SexColumn);
                read.sex = sex == "Male" ? Sex::Male : sex == "Female" ? Sex::Female : Sex::Other;
                if (row.type(Owner) != SQLITE_NULL) {
                    const std::string_view owner = row.text(Owner);
                    read.owner = QByteArray(owner.data(), qsizetype(owner.size()));
                }
            }
            each(std::move(read));
        });
    }

    void readWhole(const QSqlDatabase &db)
    {
        auto names = std::make_shared<core::PackedTexts>();
        m_rows.clear();
        m_sexes.clear();
        m_ownerOf.clear();
        m_owners = {};
        m_alphabetical.reset();
        QHash<QByteArray, qint32> ownerPlaces;
        read(db, {}, [&](ReadRow row) {
            names->append(row.name);
            m_rows.push_back(row.row);
            if (m_sex.isEmpty())
                return;
            m_sexes.push_back(row.sex);
            m_ownerOf.push_back(ownerPlace(row.owner, ownerPlaces));
        });
        names->squeeze();
        m_owners.squeeze();
        m_rows.shrink_to_fit();
        m_sexes.shrink_to_fit();
        m_ownerOf.shrink_to_fit();
        m_names = std::move(names);
    }

    qint32 ownerPlaceOf(const QByteArray &owner) const
    {
        for (qint32 i = 0; i < qint32(m_owners.size()); ++i) {
            if (m_owners.utf8(i) == owner)
                return i;
        }
        return -1;
    }

    qint32 ownerPlace(const std::optional<QByteArray> &owner, QHash<QByteArray, qint32> &places)
    {
        if (!owner)
            return -1;
        auto at = places.constFind(*owner);
        if (at == places.cend()) {
            at = places.insert(*owner, qint32(m_owners.size()));
            m_owners.append(*owner);
        }
        return *at;
    }

    // Puts the rows a write touched in their places, from the rows as they are now: rows
    // added, changed or gone. Reading a million names again would take seconds.
    void mend(const QSqlDatabase &db, const std::vector<qint64> &written)
    {
        if (written.empty())
            return;
        QStringList ids;
        for (const qint64 row : written)
            ids << QString::number(row);
        std::vector<ReadRow> fresh;
        if (!read(db,
                  QStringLiteral(" WHERE rowid IN (") % ids.join(QLatin1Char(',')) %
                      QLatin1Char(')'),
                  [&](ReadRow row) { fresh.push_back(std::move(row)); })
                 .isEmpty()) {
            readWhole(db);
            return;
        }
        // The places of the owners these rows name, found in one pass that ends once all are.
        QHash<QByteArray, qint32> ownerPlaces;
        if (!m_sex.isEmpty()) {
            QHash<QByteArray, qint32> wanted;
            for (const ReadRow &row : fresh) {
                if (row.owner)
                    wanted.insert(*row.owner, -1);
            }
            qsizetype found = 0;
            for (qint32 i = 0; i < qint32(m_owners.size()) && found < wanted.size(); ++i) {
                const QByteArrayView name = m_owners.utf8(i);
                const auto at = wanted.find(QByteArray::fromRawData(name.data(), name.size()));
                if (at != wanted.end() && *at < 0) {
                    *at = i;
                    ++found;
                }
            }
            for (auto at = wanted.cbegin(); at != wanted.cend(); ++at) {
                if (*at >= 0)
                    ownerPlaces.insert(at.key(), *at);
            }
        }

        const core::PackedTexts &before = *m_names;
        auto names = std::make_shared<core::PackedTexts>();
        names->reserve(before.size() + qsizetype(fresh.size()), before.bytes() + 4096);
        std::vector<qint64> rows;
        std::vector<Sex> sexes;
        std::vector<qint32> ownerOf;
        rows.reserve(m_rows.size() + fresh.size());
        sexes.reserve(m_sexes.size() + fresh.size());
        ownerOf.reserve(m_ownerOf.size() + fresh.size());
        // Each earlier place's place now, or -1 for a row rewritten or gone.
        std::vector<qint32> moved(m_rows.size(), -1);
        std::vector<qint32> placedAnew;
        auto place = [&](const ReadRow &row) {
            placedAnew.push_back(qint32(rows.size()));
            names->append(row.name);
            rows.push_back(row.row);
            if (m_sex.isEmpty())
                return;
            sexes.push_back(row.sex);
            ownerOf.push_back(ownerPlace(row.owner, ownerPlaces));
        };
        size_t next = 0;
        auto placeFreshBelow = [&](qint64 limit) {
            for (; next < fresh.size() && fresh[next].row < limit; ++next)
                place(fresh[next]);
        };
        for (size_t at = 0; at < m_rows.size(); ++at) {
            const qint64 row = m_rows[at];
            placeFreshBelow(row);
            if (next < fresh.size() && fresh[next].row == row) {
                place(fresh[next++]);
                continue;
            }
            if (std::binary_search(written.begin(), written.end(), row))
                continue;
            moved[at] = qint32(rows.size());
            names->append(before.utf8(qsizetype(at)));
            rows.push_back(row);
            if (m_sex.isEmpty())
                continue;
            sexes.push_back(m_sexes[at]);
            ownerOf.push_back(m_ownerOf[at]);
        }
        placeFreshBelow(std::numeric_limits<qint64>::max());

        m_names = std::move(names);
        m_rows = std::move(rows);
        m_sexes = std::move(sexes);
        m_ownerOf = std::move(ownerOf);
        if (m_alphabetical)
            m_alphabetical =
                std::make_shared<const std::vector<qint32>>(resorted(moved, std::move(placedAnew)));
    }

    // The alphabetical order after a mend, from the order before it: the rows kept stay in
    // their order, and the rows placed anew are merged in.
    std::vector<qint32> resorted(const std::vector<qint32> &moved,
                                 std::vector<qint32> placedAnew) const
    {
        std::vector<qint32> order;
        order.reserve(m_rows.size());
        for (const qint32 at : *m_alphabetical) {
            if (moved[size_t(at)] >= 0)
                order.push_back(moved[size_t(at)]);
        }
        // Equal names stay in row order, as a stable sort leaves them.
        const QCollator collator = PickList::alphabeticalCollator();
        auto comesFirst = [&](qint32 a, qint32 b) {
            if (named(a) != named(b))
                return named(b);
            const int c = collator.compare(m_names->text(a), m_names->text(b));
            return c != 0 ? c < 0 : a < b;
        };
        std::sort(placedAnew.begin(), placedAnew.end(), comesFirst);
        std::vector<qint32> merged;
        merged.reserve(order.size() + placedAnew.size());
        auto from = order.begin();
        for (const qint32 at : placedAnew) {
            const auto to = std::upper_bound(from, order.end(), at, comesFirst);
            merged.insert(merged.end(), from, to);
            merged.push_back(at);
            from = to;
        }
        merged.insert(merged.end(), from, order.end());
        return merged;
    }

    QString m_table, m_name, m_sex, m_owner;
    QString m_connection;
    QString m_version;
    std::shared_ptr<const core::PackedTexts> m_names;
    std::vector<qint64> m_rows;
    std::vector<Sex> m_sexes;
    // Each row's owner as a place in `m_owners`, so that a million rows hold each owner once.
    std::vector<qint32> m_ownerOf;
    core::PackedTexts m_owners;
    // Every row alphabetically, once a sorted list is asked for.
    std::shared_ptr<const std::vector<qint32>> m_alphabetical;
    std::map<SharedList, std::shared_ptr<NameListModel>> m_lists;
    std::map<QString, std::shared_ptr<NameListModel>> m_ownedBy;
};

TableNames &dogNames(const QSqlDatabase &db)
{
    namespace field = db::fields::dogs;
    static TableNames dogs(kennel::records::dogs(), field::name, field::sex, field::owner);
    dogs.readIfChanged(db);
    return dogs;
}

TableNames &contactNames(const QSqlDatabase &db)
{
    static TableNames contacts(kennel::records::contacts(), db::fields::contacts::name);
    contacts.readIfChanged(db);
    return contacts;
}

} // namespace

std::shared_ptr<NameListModel> sharedNames(const QSqlDatabase &db, SharedList list)
{
    const bool ofDogs = list == SharedList::SortedDogs || list == SharedList::SortedMales ||
                        list == SharedList::SortedFemales || list == SharedList::StoredDogs;
    TableNames &table = ofDogs ? dogNames(db) : contactNames(db);
    auto ofSex = [&](Sex sex) { return [&table, sex](qint32 at) { return table.ofSex(at, sex); }; };
    switch (list) {
    case SharedList::SortedDogs:
    case SharedList::SortedNamedContacts:
        return table.list(list, true, true);
    case SharedList::SortedMales:
        return table.list(list, ofSex(Sex::Male));
    case SharedList::SortedFemales:
        return table.list(list, ofSex(Sex::Female));
    case SharedList::SortedContacts:
        return table.list(list, true, false);
    case SharedList::StoredDogs:
    case SharedList::StoredContacts:
        break;
    }
    return table.list(list, false, false);
}

std::shared_ptr<NameListModel> sharedNamesOwnedBy(const QSqlDatabase &db, const QString &owner)
{
    return dogNames(db).listOwnedBy(owner);
}

} // namespace ui
