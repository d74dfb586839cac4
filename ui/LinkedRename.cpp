#include "ui/LinkedRename.h"

#include "core/DogNames.h"
#include "core/Messages.h"
#include "db/ChangeLog.h"

namespace ui {
namespace {

std::optional<BoundRecord::AlsoWrite>
planRename(const BoundRecord &record, const QString &nameField, const QList<kennel::NameLink> &links,
           const QString &kind, const QHash<QString, QString> &changes)
{
    const auto typed = changes.constFind(nameField);
    const db::TableCursor &cursor = record.cursor();
    const QString table = cursor.table();
    const QString old = cursor.readValue(nameField).toString();
    if (typed == changes.constEnd() || typed->compare(old, Qt::CaseInsensitive) == 0 ||
        core::isNotOnRecord(*typed) || typed->trimmed().isEmpty())
        return BoundRecord::AlsoWrite();
    const QString renamed = *typed;
    const QSqlDatabase &db = cursor.database();
    QString error;
    QList<qint64> namesakes;
    if (!kennel::othersNamed(db, table, nameField, renamed, cursor.rowId(), &namesakes, &error))
        return [error] { return error; };
    if (!namesakes.isEmpty() &&
        !core::ask(QStringLiteral("Another %1 is already named \u201c%2\u201d. Two %1s of one "
                                  "name make every record that names it uncertain.\n\nName "
                                  "this %1 \u201c%2\u201d all the same?")
                       .arg(kind, renamed)))
        return std::nullopt;
    QList<kennel::Naming> naming;
    if (old.trimmed().isEmpty() || core::isNotOnRecord(old))
        return BoundRecord::AlsoWrite();
    if (!kennel::findNaming(db, links, old, &naming, &error))
        return [error] { return error; };
    if (naming.isEmpty())
        return BoundRecord::AlsoWrite();
    const QString counted =
        QStringLiteral("%L1 other %2 (%3)")
            .arg(kennel::countOf(naming))
            .arg(kennel::countOf(naming) == 1 ? QStringLiteral("record") : QStringLiteral("records"))
            .arg(kennel::describeNaming(naming));
    QList<qint64> alsoNamedSo;
    if (!kennel::othersNamed(db, table, nameField, old, cursor.rowId(), &alsoNamedSo, &error))
        return [error] { return error; };
    if (!alsoNamedSo.isEmpty()) {
        core::tell(QStringLiteral("%1 is named in %2, but another %3 is also named %1: those "
                                  "records cannot be told apart and are left as they are.")
                       .arg(old, counted, kind));
        return BoundRecord::AlsoWrite();
    }
    if (!core::askYesFirst(
            QStringLiteral("%1 is named in %2. Change them to %3 too?").arg(old, counted, renamed)))
        return BoundRecord::AlsoWrite();
    return [db, naming, renamed] { return kennel::renameNaming(db, naming, renamed); };
}

} // namespace

BoundRecord::PlanSave renameCarryingLinks(const BoundRecord &record, const QString &nameField,
                                          const QList<kennel::NameLink> &links, const QString &kind)
{
    return [&record, nameField, links,
            kind](const QHash<QString, QString> &changes) -> std::optional<BoundRecord::AlsoWrite> {
        const std::optional<BoundRecord::AlsoWrite> planned =
            planRename(record, nameField, links, kind, changes);
        const auto typed = changes.constFind(nameField);
        const QString old = record.cursor().readValue(nameField).toString();
        if (!planned || typed == changes.constEnd() || *typed == old || old.isEmpty())
            return planned;
        // Undo and the history name the change by the names, whatever else it wrote.
        const QSqlDatabase db = record.cursor().database();
        const QString what = QStringLiteral("Renamed %1 to %2").arg(old, *typed);
        return [also = *planned, db, what] {
            const QString problem = also ? also() : QString();
            return problem.isEmpty() ? db::LoggedChange::describeOpen(db, what) : problem;
        };
    };
}

} // namespace ui
