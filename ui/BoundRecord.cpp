#include "ui/BoundRecord.h"

#include "core/Messages.h"

namespace ui {

BoundRecord::BoundRecord(QSqlDatabase db, const QString &table) : m_cursor(std::move(db), table) {}

void BoundRecord::show()
{
    m_fields.show([this](const QString &field) { return m_cursor.value(field).toString(); });
    m_fields.setEnabled(m_cursor.hasRow());
}

bool BoundRecord::commit()
{
    if (!m_cursor.hasRow())
        return true;
    const QHash<QString, QString> changes = m_fields.changes();
    if (changes.isEmpty())
        return true;
    for (auto it = changes.cbegin(); it != changes.cend(); ++it)
        m_cursor.setValue(it.key(), it.value().isNull() ? QStringLiteral("") : it.value());
    if (m_cursor.update()) {
        m_fields.acceptChanges();
        return true;
    }
    m_cursor.cancelUpdate();
    core::tellNothingChanged(QStringLiteral("The changes"), m_cursor.lastError());
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
