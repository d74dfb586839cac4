#pragma once

class QWidget;

namespace ui {

// Makes every pick list known to assistive technology as a combo box whose children include
// the entries offered as the user types: that list is a popup window of its own, which the
// accessibility tree would otherwise never reach. Safe to call more than once.
void installAccessibleInterface();

// Tells assistive technology which offered entry is now highlighted: the keyboard focus
// stays in the box being typed in, so no focus change would say it.
void announceHighlighted(QWidget *popup, int row);

} // namespace ui
