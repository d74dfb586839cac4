#include "ui/Removals.h"

#include "core/Messages.h"
#include "db/DatabaseFiles.h"
#include "ui/ScreenHost.h"

namespace ui {

Removals::Removals(ScreenHost &screens, BackUp backUp)
    : m_screens(screens), m_backUp(std::move(backUp))
{
}

bool Removals::mayStart() const
{
    if (db::DatabaseFiles::isReadOnly()) {
        core::tell(db::DatabaseFiles::readOnlyNotice());
        return false;
    }
    // What was typed on the screens lands first, so that the removal sees it.
    return m_screens.settleAll();
}

std::optional<bool> Removals::confirm(const QString &question, const QString &title,
                                      const QString &clearQuestion) const
{
    if (!core::ask(question, title))
        return std::nullopt;
    const bool clear = !clearQuestion.isEmpty() && core::askQuestion(clearQuestion, title);
    if (const QString problem = m_backUp(); !problem.isEmpty()) {
        core::tellNothingChanged(QStringLiteral("The backup before the deletion"), problem);
        return std::nullopt;
    }
    return clear;
}

void Removals::carryOut(const QString &question, const QString &title, const QString &clearQuestion,
                        const QString &what,
                        const std::function<core::WriteResult<>(bool clear)> &remove) const
{
    const std::optional<bool> clear = confirm(question, title, clearQuestion);
    if (!clear)
        return;
    if (const auto removed = remove(*clear); !removed)
        core::tellNothingChanged(what, removed.problem());
}

} // namespace ui
