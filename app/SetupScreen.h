#pragma once

#include "ui/BoundRecord.h"
#include "ui/Screen.h"

namespace app {

// "Setup Information": the kennel's own details in the single setup row, saved on close.
class SetupScreen : public ui::Screen
{
    Q_OBJECT
public:
    explicit SetupScreen(QWidget *parent = nullptr);

protected:
    void load() override;
    void closeEvent(QCloseEvent *event) override;

private:
    ui::BoundRecord m_record;
};

} // namespace app
