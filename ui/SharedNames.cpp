#include "ui/SharedNames.h"

#include "db/Fields.h"
#include "db/RawRows.h"
#include "db/Schema.h"
#include "db/Tables.h"
#include "db/WriteCount.h"
#include "ui/PickList.h"

#include <algorithm>
#include <map>
#include <QHash>
#include <QStringBuilder>
#include <QStringListModel>
#include <sqlite3.h>

namespace ui {
namespace {

// The names of one table's rows as last read, and the lists made of them. The lists share
// the names' text.
struct TableNames
{
    QString connection;
    QString version;
    QStringList names;
    QStringList sexes;
    // Each row's owner as a place in `owners`, so that a million rows hold each owner once.
    std::vector<qint32> ownerOf;
    QStringList owners;
    std::map<QString, std::shared_ptr<QStringListModel>> ownedBy;
    std::vector<qsizetype> alphabetical;
    std::map<SharedList, std::shared_ptr<QStringListModel>> lists;

    void readIfChanged(const QSqlDatabase &db, const QString &table, const QString &name,
                       const QString &sex, const QString &owner)
    {
        const QString now = db::tableVersion(db, table);
        if (!now.isEmpty() && now == version && db.connectionName() == connection)
            return;
        const bool sameFile = db.connectionName() == connection;
        version = now;
        connection = db.connectionName();
        const QStringList before = std::move(names);
        std::vector<qsizetype> sortedBefore = std::move(alphabetical);
        names.clear();
        sexes.clear();
        alphabetical.clear();
        lists.clear();
        ownerOf.clear();
        owners.clear();
        ownedBy.clear();
        const QString select = QStringLiteral("SELECT ") % db::quoted(name) %
                               (sex.isEmpty() ? QString()
                                              : QStringLiteral(", ") % db::quoted(sex) %
                                                    QStringLiteral(", ") % db::quoted(owner)) %
                               QStringLiteral(" FROM ") % db::quoted(table) %
                               QStringLiteral(" ORDER BY rowid");
        QHash<QByteArray, qint32> ownerPlaces;
        db::scanRows(db, select, [&](const db::RawRow &row) {
            names << row.string(0);
            if (sex.isEmpty())
                return;
            sexes << row.string(1);
            // No owner and an empty one differ: only a text equals a text.
            if (row.type(2) == SQLITE_NULL) {
                ownerOf.push_back(-1);
                return;
            }
            const std::string_view o = row.text(2);
            const QByteArray key(o.data(), qsizetype(o.size()));
            auto at = ownerPlaces.constFind(key);
            if (at == ownerPlaces.cend()) {
                at = ownerPlaces.insert(key, qint32(owners.size()));
                owners << QString::fromUtf8(key);
            }
            ownerOf.push_back(*at);
        });
        if (sameFile && !sortedBefore.empty())
            alphabetical = resorted(before, std::move(sortedBefore));
    }

    // The alphabetical order after a write, from the order before it: a write changes a
    // few names, and sorting a million names again takes seconds. Empty when too much
    // changed to be worth it.
    std::vector<qsizetype> resorted(const QStringList &before, std::vector<qsizetype> order) const
    {
        std::vector<qsizetype> changed;
        for (qsizetype i = 0; i < names.size(); ++i) {
            if (i >= before.size() || names.at(i) != before.at(i))
                changed.push_back(i);
            if (changed.size() > 1000)
                return {};
        }
        if (changed.empty() && names.size() == before.size())
            return order;
        std::vector<char> moving(size_t(std::max(names.size(), before.size())), 0);
        for (const qsizetype i : changed)
            moving[size_t(i)] = 1;
        std::erase_if(order, [&](qsizetype i) { return i >= names.size() || moving[size_t(i)]; });
        // Equal names stay in stored order, as a stable sort leaves them.
        const QCollator collator = PickList::alphabeticalCollator();
        auto comesFirst = [&](qsizetype a, qsizetype b) {
            const int c = collator.compare(names.at(a), names.at(b));
            return c != 0 ? c < 0 : a < b;
        };
        std::sort(changed.begin(), changed.end(), comesFirst);
        std::vector<qsizetype> merged;
        merged.reserve(order.size() + changed.size());
        auto next = order.begin();
        for (const qsizetype i : changed) {
            const auto at = std::upper_bound(next, order.end(), i, comesFirst);
            merged.insert(merged.end(), next, at);
            merged.push_back(i);
            next = at;
        }
        merged.insert(merged.end(), next, order.end());
        return merged;
    }

    std::shared_ptr<QStringListModel> list(SharedList which,
                                           const std::function<bool(qsizetype)> &keep, bool sorted)
    {
        auto &model = lists[which];
        if (model)
            return model;
        if (sorted && alphabetical.empty())
            alphabetical = PickList::alphabeticalOrder(names);
        QStringList entries;
        entries.reserve(names.size());
        for (qsizetype i = 0; i < names.size(); ++i) {
            const qsizetype at = sorted ? alphabetical[size_t(i)] : i;
            if (keep(at))
                entries << names.at(at);
        }
        model = std::make_shared<QStringListModel>(std::move(entries));
        return model;
    }

    std::shared_ptr<QStringListModel> listOwnedBy(const QString &owner)
    {
        auto &model = ownedBy[owner];
        if (model)
            return model;
        if (alphabetical.empty())
            alphabetical = PickList::alphabeticalOrder(names);
        const qint32 place = qint32(owners.indexOf(owner));
        QStringList entries;
        for (const qsizetype at : alphabetical) {
            if (place >= 0 && ownerOf[size_t(at)] == place)
                entries << names.at(at);
        }
        model = std::make_shared<QStringListModel>(std::move(entries));
        return model;
    }
};

TableNames &dogNames(const QSqlDatabase &db)
{
    static TableNames dogs;
    dogs.readIfChanged(db, db::tables::dogs, db::fields::dogs::name, db::fields::dogs::sex,
                       db::fields::dogs::owner);
    return dogs;
}

} // namespace

std::shared_ptr<QStringListModel> sharedNames(const QSqlDatabase &db, SharedList list)
{
    static TableNames contacts;
    const bool ofDogs = list == SharedList::SortedDogs || list == SharedList::SortedMales ||
                        list == SharedList::SortedFemales || list == SharedList::StoredDogs;
    if (!ofDogs)
        contacts.readIfChanged(db, db::tables::contacts, db::fields::contacts::name, {}, {});
    TableNames &table = ofDogs ? dogNames(db) : contacts;
    auto named = [&](qsizetype i) { return !table.names.at(i).isEmpty(); };
    auto every = [](qsizetype) { return true; };
    auto ofSex = [&](const QString &sex) {
        return [&table, sex](qsizetype i) { return table.sexes.at(i) == sex; };
    };
    switch (list) {
    case SharedList::SortedDogs:
    case SharedList::SortedNamedContacts:
        return table.list(list, named, true);
    case SharedList::SortedMales:
        return table.list(list, ofSex(QStringLiteral("Male")), true);
    case SharedList::SortedFemales:
        return table.list(list, ofSex(QStringLiteral("Female")), true);
    case SharedList::SortedContacts:
        return table.list(list, every, true);
    case SharedList::StoredDogs:
    case SharedList::StoredContacts:
        break;
    }
    return table.list(list, every, false);
}

std::shared_ptr<QStringListModel> sharedNamesOwnedBy(const QSqlDatabase &db, const QString &owner)
{
    return dogNames(db).listOwnedBy(owner);
}

} // namespace ui
