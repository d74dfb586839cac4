#include "ui/SharedNames.h"

#include "db/Fields.h"
#include "db/RawRows.h"
#include "db/Schema.h"
#include "db/Tables.h"
#include "db/WriteCount.h"
#include "ui/PickList.h"

#include <map>
#include <QStringBuilder>
#include <QStringListModel>

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
    std::vector<qsizetype> alphabetical;
    std::map<SharedList, std::shared_ptr<QStringListModel>> lists;

    void readIfChanged(const QSqlDatabase &db, const QString &table, const QString &name,
                       const QString &sex)
    {
        const QString now = db::tableVersion(db, table);
        if (!now.isEmpty() && now == version && db.connectionName() == connection)
            return;
        version = now;
        connection = db.connectionName();
        names.clear();
        sexes.clear();
        alphabetical.clear();
        lists.clear();
        const QString select =
            QStringLiteral("SELECT ") % db::quoted(name) %
            (sex.isEmpty() ? QString() : QStringLiteral(", ") % db::quoted(sex)) %
            QStringLiteral(" FROM ") % db::quoted(table) % QStringLiteral(" ORDER BY rowid");
        db::scanRows(db, select, [&](const db::RawRow &row) {
            const std::string_view text = row.text(0);
            names << QString::fromUtf8(text.data(), qsizetype(text.size()));
            if (!sex.isEmpty()) {
                const std::string_view s = row.text(1);
                sexes << QString::fromUtf8(s.data(), qsizetype(s.size()));
            }
        });
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
};

} // namespace

std::shared_ptr<QStringListModel> sharedNames(const QSqlDatabase &db, SharedList list)
{
    static TableNames dogs;
    static TableNames contacts;
    const bool ofDogs = list == SharedList::SortedDogs || list == SharedList::SortedMales ||
                        list == SharedList::SortedFemales || list == SharedList::StoredDogs;
    TableNames &table = ofDogs ? dogs : contacts;
    if (ofDogs)
        table.readIfChanged(db, db::tables::dogs, db::fields::dogs::name, db::fields::dogs::sex);
    else
        table.readIfChanged(db, db::tables::contacts, db::fields::contacts::name, {});
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

} // namespace ui
