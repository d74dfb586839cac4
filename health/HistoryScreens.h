#pragma once

#include "ui/ChooserScreen.h"
#include "ui/HistoryScreen.h"

class QLabel;

namespace health {

// "View Vaccination History": picks the dog; stays open for the next one.
class VaccinationChooserScreen : public ui::ChooserScreen
{
    Q_OBJECT
public:
    static QString screenName() { return QStringLiteral("Form30"); }
    explicit VaccinationChooserScreen(QWidget *parent = nullptr);

Q_SIGNALS:
    void dogChosen(const QString &dog);

protected:
    void load() override;
    void ok() override;
};

// "Vaccination History": the chosen dog's vaccinations, newest stored first.
class VaccinationHistoryScreen : public ui::HistoryScreen
{
    Q_OBJECT
public:
    static QString screenName() { return QStringLiteral("Form9"); }
    explicit VaccinationHistoryScreen(const QString &dog, QWidget *parent = nullptr);
    QString dogName() const;

protected:
    void load() override;

private:
    VaccinationHistoryScreen(QLabel *name, QWidget *parent);

    QString m_dog;
    QLabel *m_name;
};

} // namespace health
