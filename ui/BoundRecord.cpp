#include "ui/BoundRecord.h"

#include "core/Messages.h"
#include "db/ChangeLog.h"
#include "db/Transaction.h"
#include "kennel/Rename.h"

#include <algorithm>
#include <QWidget>

namespace ui {

BoundRecord::BoundRecord(QSqlDatabase db, const QString &table) : m_cursor(std::move(db), table) {}

void BoundRecord::convert(const QString &field, Conversion conversion)
{
    m_conversions.insert(field, std::move(conversion));
}

void BoundRecord::renamesCarryLinks(const QString &nameField, const QList<kennel::NameLink> &links,
                                    const QString &kind)
{
    planSavesWith([this, nameField, links,
                   kind](const QHash<QString, QString> &changes) -> std::optional<AlsoWrite> {
        const auto typed = changes.constFind(nameField);
        if (typed == changes.constEnd())
            return AlsoWrite();
        return kennel::planRename(m_cursor.database(),
                                  {m_cursor.table(), nameField, m_cursor.rowId(),
                                   m_cursor.readValue(nameField).toString(), *typed, links, kind});
    });
}

QString BoundRecord::text(const QString &field) const
{
    if (!m_cursor.hasRow())
        return {};
    return shown(field, m_cursor.value(field));
}

QString BoundRecord::shown(const QString &field, const QVariant &stored) const
{
    const auto conversion = m_conversions.constFind(field);
    return conversion == m_conversions.constEnd() ? stored.toString() : conversion->show(stored);
}

BoundRecord::SaveResult BoundRecord::save(const QHash<QString, QString> &changes, bool overwrite)
{
    if (changes.isEmpty() || !m_cursor.hasRow())
        return {};
    QStringList order = m_fields.boundFields();
    QStringList unbound;
    for (auto it = changes.cbegin(); it != changes.cend(); ++it) {
        if (!order.contains(it.key()))
            unbound << it.key();
    }
    std::sort(unbound.begin(), unbound.end());
    order << unbound;
    for (const QString &field : std::as_const(order)) {
        const auto change = changes.constFind(field);
        if (change == changes.constEnd())
            continue;
        const auto conversion = m_conversions.constFind(field);
        if (conversion == m_conversions.constEnd()) {
            // A cleared box stores empty text, which is not the same as no value.
            m_cursor.setValue(field, change->isNull() ? QStringLiteral("") : *change);
            continue;
        }
        QString refusal;
        const std::optional<QVariant> stored = conversion->store(*change, &refusal);
        if (!stored) {
            m_cursor.cancelUpdate();
            return {refusal, field, {}, false};
        }
        m_cursor.setValue(field, *stored);
    }
    AlsoWrite also;
    if (m_plan) {
        const std::optional<AlsoWrite> planned = m_plan(changes);
        if (!planned) {
            m_cursor.cancelUpdate();
            return {{}, {}, {}, true};
        }
        also = *planned;
    }
    db::Transaction transaction(m_cursor.database());
    const QString named =
        m_nameField.isEmpty() ? QString() : m_cursor.value(m_nameField).toString();
    db::LoggedChange logged(m_cursor.database(), named.isEmpty()
                                                     ? QStringLiteral("Edited a record")
                                                     : QStringLiteral("Edited %1").arg(named));
    QString problem =
        m_cursor.isNewRow() ? logged.noteAdded(m_cursor.table(), m_cursor.rowId()) : QString();
    const bool written =
        problem.isEmpty() && (overwrite ? m_cursor.overwrite() : m_cursor.update());
    if (!written && problem.isEmpty())
        problem = m_cursor.lastError();
    else if (written && also)
        problem = also();
    if (problem.isEmpty())
        problem = logged.finish();
    if (problem.isEmpty()) {
        if (const auto committed = transaction.commit(); committed)
            return {};
        else
            problem = committed.problem();
    }
    transaction.rollback();
    const QStringList changedElsewhere = m_cursor.changedElsewhere();
    m_cursor.cancelUpdate();
    // The row was written and undone with the rest: read it as it stands.
    if (written)
        m_cursor.moveTo(m_cursor.rowId());
    return {core::nothingChanged(QStringLiteral("The changes"), problem), {}, changedElsewhere};
}

QString BoundRecord::changedElsewhereQuestion(const QStringList &fields)
{
    QStringList changed;
    const QStringList bound = m_fields.boundFields();
    for (const QString &changedField : fields) {
        // The cursor names a field as the file does; the screen may spell it otherwise.
        const auto spelled = std::find_if(bound.cbegin(), bound.cend(), [&](const QString &f) {
            return f.compare(changedField, Qt::CaseInsensitive) == 0;
        });
        const QString field = spelled == bound.cend() ? changedField : *spelled;
        changed
            << QStringLiteral("%1 (now \u201c%2\u201d)").arg(m_fields.caption(field), text(field));
    }
    return QStringLiteral("While this record was open here, another program changed %1.\n\n"
                          "Save your changes over it? No keeps the record as the other program "
                          "left it, without your changes.")
        .arg(changed.join(QStringLiteral(", ")));
}

void BoundRecord::show()
{
    m_fields.show([this](const QString &field) { return text(field); });
    m_fields.setEnabled(m_cursor.hasRow());
}

bool BoundRecord::commit(OnFailure failure)
{
    SaveResult result = save(m_fields.changes());
    if (!result.changedElsewhere.isEmpty()) {
        // Read again, so that the question shows what the other program wrote.
        const qint64 row = m_cursor.rowId();
        m_cursor.moveTo(row);
        if (!core::askQuestion(changedElsewhereQuestion(result.changedElsewhere))) {
            show();
            return true;
        }
        result = save(m_fields.changes(), true);
    }
    if (result.ok()) {
        m_fields.acceptChanges();
        return true;
    }
    if (result.cancelled)
        return false;
    if (failure == OnFailure::MayLeave && result.field.isEmpty()) {
        if (!core::ask(result.message +
                       QStringLiteral("\n\nLeave this record without saving the changes?")))
            return false;
        show();
        return true;
    }
    core::tell(result.message);
    if (QWidget *control = m_fields.widget(result.field))
        control->setFocus();
    return false;
}

void BoundRecord::step(bool (db::TableCursor::*move)())
{
    if (!commit())
        return;
    (m_cursor.*move)();
    show();
}

} // namespace ui
