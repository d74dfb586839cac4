#pragma once

#include "ui/Screen.h"

class QLabel;
class QLineEdit;

namespace ui {
class PickList;
}

namespace breeding {

// "Enter a Mating ": a sire, a dam and the date they were mated; shows when the litter is due.
class MatingEntryScreen : public ui::Screen
{
    Q_OBJECT
public:
    static QString screenName() { return QStringLiteral("Form20"); }
    explicit MatingEntryScreen(QWidget *parent = nullptr);

protected:
    void load() override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showDueDate();
    void showMatingHealth();
    void submit();

    ui::PickList *m_sire;
    ui::PickList *m_dam;
    QLineEdit *m_dateMated;
    QLabel *m_dueDate;
    QLabel *m_coi;
    QLabel *m_affected;
};

} // namespace breeding
