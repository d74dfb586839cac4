#pragma once

#include "ui/BoundRecord.h"
#include "ui/Screen.h"

namespace app {

// "Setup Information": the kennel's own details in the single setup row, saved on close.
class SetupScreen : public ui::Screen
{
    Q_OBJECT
public:
    static QString screenName() { return QStringLiteral("SetupInformation"); }
    explicit SetupScreen(QWidget *parent = nullptr);
    bool settle() override;

protected:
    void load() override;

private:
    ui::BoundRecord m_record;
};

} // namespace app
