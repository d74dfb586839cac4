#pragma once

#include "core/Messages.h"

namespace ui {

// The real message boxes, over whichever window is active.
class MessageBoxes : public core::Messages
{
public:
    void ok(const QString &text, const QString &title) override;
    bool yesNo(const QString &text, const QString &title, Icon icon, Default byDefault) override;
};

} // namespace ui
