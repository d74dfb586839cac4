#pragma once

class QGridLayout;
class QGroupBox;
class QPushButton;

namespace money {

struct EntryButtons
{
    QPushButton *add = nullptr;
    QPushButton *save = nullptr;
    QPushButton *remove = nullptr;
};

// The "Entry" frame of a list's screen: the form of one entry above its "New Entry",
// "Save Entry" and "Delete Entry..." buttons.
QGroupBox *entryBox(QGridLayout *form, EntryButtons *buttons);

} // namespace money
