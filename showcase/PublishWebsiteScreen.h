#pragma once

#include "ui/Screen.h"

class QCheckBox;
class QLineEdit;
class QListWidget;
class QRadioButton;

namespace showcase {

// "Publish Website": where the kennel's website goes, which dogs it shows, whether the
// breeder's address goes with it, and the breeder's own templates if any.
class PublishWebsiteScreen : public ui::Screen
{
    Q_OBJECT
public:
    static QString screenName() { return QStringLiteral("PublishWebsite"); }
    explicit PublishWebsiteScreen(QWidget *parent = nullptr);

    void publish();

private:
    // The living dogs to tick, read when the hand-picked set is first chosen.
    void fillPicks();

    QLineEdit *m_folder;
    QRadioButton *m_ownDogs;
    QRadioButton *m_allDogs;
    QRadioButton *m_pickedDogs;
    QListWidget *m_picks;
    QCheckBox *m_contact;
    QLineEdit *m_templates;
};

} // namespace showcase
