#pragma once

#include "ui/Screen.h"

namespace ui {

class PickList;

// A small screen that picks one name: a caption line, a pick list, "Ok" and "Cancel".
class ChooserScreen : public Screen
{
    Q_OBJECT
public:
    ChooserScreen(const QString &objectName, const QString &caption, const QString &text,
                  QWidget *parent = nullptr);

    PickList *list() const { return m_list; }

protected:
    virtual void ok() = 0;

private:
    PickList *m_list;
};

} // namespace ui
