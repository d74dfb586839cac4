#include "app/StartupStep.h"

#include "core/Messages.h"

namespace app {

bool askMonthQuestion(const QDate &today)
{
    if (today.day() != 1)
        return false;
    return core::ask(
        QStringLiteral("Would You Like to View the Vaccination , Birthday  & Due Litters for "
                       "this Month ?"),
        QStringLiteral("Vaccination and Birthdays"));
}

} // namespace app
