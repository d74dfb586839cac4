#pragma once

#include "ui/ChooserScreen.h"
#include "ui/HistoryScreen.h"

class QLabel;

namespace breeding {

// "Select a Dog": picks the dog whose matings "Mating History" lists.
class SelectDogScreen : public ui::ChooserScreen
{
    Q_OBJECT
public:
    static QString screenName() { return QStringLiteral("Form3"); }
    explicit SelectDogScreen(QWidget *parent = nullptr);

Q_SIGNALS:
    void dogChosen(const QString &dog);

protected:
    void load() override;
    void ok() override;
};

// "Mating History": every mating the chosen dog took part in, as sire or as dam.
class MatingHistoryScreen : public ui::HistoryScreen
{
    Q_OBJECT
public:
    static QString screenName() { return QStringLiteral("Form11"); }
    explicit MatingHistoryScreen(QWidget *parent = nullptr);
    void build(const QString &dog);
    QString heading() const;

private:
    MatingHistoryScreen(QLabel *heading, QWidget *parent);

    QLabel *m_heading;
};

} // namespace breeding
