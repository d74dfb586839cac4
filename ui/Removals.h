#pragma once

#include "core/WriteResult.h"

#include <functional>
#include <optional>
#include <QString>

namespace ui {

class ScreenHost;

// How every deletion and merge goes ahead: not on a kennel opened read-only, only once every
// screen has saved what was typed, asked, and backed up before the first removal of a day.
class Removals
{
public:
    // Makes the day's backup before a removal where none was made yet: the problem, or empty.
    using BackUp = std::function<QString()>;
    Removals(ScreenHost &screens, BackUp backUp);

    // Whether a removal may start now; the user is told why not.
    bool mayStart() const;
    // Asks (stop icon, No the default), then `clearQuestion` where there is one, then backs up.
    // Nothing when the user declines or the backup fails, which is said; otherwise the answer
    // to `clearQuestion` (false without one).
    std::optional<bool> confirm(const QString &question, const QString &title,
                                const QString &clearQuestion = {}) const;
    // Confirmed as above, then `remove` with the answer; what stopped it is said as what
    // `what` ("The deletion") could not write.
    void carryOut(const QString &question, const QString &title, const QString &clearQuestion,
                  const QString &what,
                  const std::function<core::WriteResult<>(bool clear)> &remove) const;

private:
    ScreenHost &m_screens;
    BackUp m_backUp;
};

} // namespace ui
