#pragma once

#include "ui/Screen.h"

class QListView;

namespace ui {
class NameListModel;
}

namespace reminders {

// One of the four month lists: a window holding a scrolling list of lines.
class MonthListScreen : public ui::Screen
{
    Q_OBJECT
public:
    enum class Kind { Vaccinations, Litters, Birthdays, All };
    explicit MonthListScreen(Kind kind, QWidget *parent = nullptr);
    static QString screenName(Kind kind);
    QStringList lines() const;

protected:
    void load() override;

private:
    Kind m_kind;
    ui::NameListModel *m_lines;
    QListView *m_list;
};

} // namespace reminders
