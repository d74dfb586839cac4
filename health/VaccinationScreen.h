#pragma once

#include "ui/Screen.h"

class QLabel;
class QLineEdit;

namespace ui {
class PickList;
}

namespace health {

// "Vaccination Form": a vaccination given, and when the next one is due.
class VaccinationScreen : public ui::Screen
{
    Q_OBJECT
public:
    static QString screenName() { return QStringLiteral("Form8"); }
    explicit VaccinationScreen(QWidget *parent = nullptr);

protected:
    void load() override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void applyNextDueRule();
    void save();

    ui::PickList *m_dog;
    QLineEdit *m_vaccinated;
    ui::PickList *m_type;
    QLabel *m_dueDisplay;
    QLineEdit *m_dueBox;
};

} // namespace health
