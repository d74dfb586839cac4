#pragma once

#include "core/DateText.h"
#include "ui/RecordScreen.h"

class QComboBox;
class QGroupBox;
class QLineEdit;

namespace app {

// "Setup Information": the kennel's own details in the single setup row, saved on close, and
// its local settings, taken up as they are chosen.
class SetupScreen : public ui::RecordScreen
{
    Q_OBJECT
public:
    static QString screenName() { return QStringLiteral("SetupInformation"); }
    explicit SetupScreen(QWidget *parent = nullptr);

    // Shows the local settings in effect, after a choice that was not taken too.
    void showLocalSettings();

Q_SIGNALS:
    void dateOrderChosen(core::datetext::Order order);

protected:
    ui::BoundRecord &record() override { return m_record; }
    void load() override;

private:
    QGroupBox *buildLocalSettings();

    ui::BoundRecord m_record;
    QList<QComboBox *> m_localSettings;
    QLineEdit *m_currencySymbol = nullptr;
};

} // namespace app
