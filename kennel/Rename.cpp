#include "kennel/Rename.h"

#include "core/DogNames.h"
#include "core/Messages.h"
#include "db/ChangeLog.h"

namespace kennel {
namespace {

std::optional<AlsoWrite> linksToCarry(const QSqlDatabase &db, const Renaming &r)
{
    if (r.typed.compare(r.old, Qt::CaseInsensitive) == 0 || core::isNotOnRecord(r.typed) ||
        r.typed.trimmed().isEmpty())
        return AlsoWrite();
    QString error;
    QList<qint64> namesakes;
    if (!othersNamed(db, r.table, r.nameField, r.typed, r.row, &namesakes, &error))
        return [error] { return error; };
    if (!namesakes.isEmpty() &&
        !core::ask(QStringLiteral("Another %1 is already named \u201c%2\u201d. Two %1s of one "
                                  "name make every record that names it uncertain.\n\nName "
                                  "this %1 \u201c%2\u201d all the same?")
                       .arg(r.kind, r.typed)))
        return std::nullopt;
    QList<Naming> naming;
    if (r.old.trimmed().isEmpty() || core::isNotOnRecord(r.old))
        return AlsoWrite();
    if (!findNaming(db, r.links, r.old, &naming, &error))
        return [error] { return error; };
    if (naming.isEmpty())
        return AlsoWrite();
    const QString counted =
        QStringLiteral("%L1 other %2 (%3)")
            .arg(countOf(naming))
            .arg(countOf(naming) == 1 ? QStringLiteral("record") : QStringLiteral("records"))
            .arg(describeNaming(naming));
    QList<qint64> alsoNamedSo;
    if (!othersNamed(db, r.table, r.nameField, r.old, r.row, &alsoNamedSo, &error))
        return [error] { return error; };
    if (!alsoNamedSo.isEmpty()) {
        core::tell(QStringLiteral("%1 is named in %2, but another %3 is also named %1: those "
                                  "records cannot be told apart and are left as they are.")
                       .arg(r.old, counted, r.kind));
        return AlsoWrite();
    }
    if (!core::askYesFirst(QStringLiteral("%1 is named in %2. Change them to %3 too?")
                               .arg(r.old, counted, r.typed)))
        return AlsoWrite();
    return [db, naming, renamed = r.typed] { return renameNaming(db, naming, renamed); };
}

} // namespace

std::optional<AlsoWrite> planRename(const QSqlDatabase &db, const Renaming &renaming)
{
    const std::optional<AlsoWrite> planned = linksToCarry(db, renaming);
    if (!planned || renaming.typed == renaming.old || renaming.old.isEmpty())
        return planned;
    // Undo and the history name the change by the names, whatever else it wrote.
    const QString what = QStringLiteral("Renamed %1 to %2").arg(renaming.old, renaming.typed);
    return [also = *planned, db, what] {
        const QString problem = also ? also() : QString();
        return problem.isEmpty() ? db::LoggedChange::describeOpen(db, what) : problem;
    };
}

} // namespace kennel
