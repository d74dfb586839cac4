#pragma once

#include "ui/RecordScreen.h"

namespace app {

// "Setup Information": the kennel's own details in the single setup row, saved on close.
class SetupScreen : public ui::RecordScreen
{
    Q_OBJECT
public:
    static QString screenName() { return QStringLiteral("SetupInformation"); }
    explicit SetupScreen(QWidget *parent = nullptr);

protected:
    ui::BoundRecord &record() override { return m_record; }
    void load() override;

private:
    ui::BoundRecord m_record;
};

} // namespace app
