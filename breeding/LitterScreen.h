#pragma once

#include "breeding/Breeding.h"
#include "ui/Screen.h"

class QComboBox;
class QLabel;
class QLineEdit;

namespace breeding {

// "Select Litter from Mating": turns a mating into a litter and a placeholder dog per pup.
class LitterScreen : public ui::Screen
{
    Q_OBJECT
public:
    static QString screenName() { return QStringLiteral("Form19"); }
    explicit LitterScreen(QWidget *parent = nullptr);
    QComboBox *matings() const { return m_matings; }

protected:
    void load() override;

private:
    void view();
    void addLitterAndPups();

    QComboBox *m_matings;
    QLabel *m_sire;
    QLabel *m_dam;
    QLabel *m_breed;
    QLineEdit *m_born;
    QLineEdit *m_pups;
};

} // namespace breeding
