#pragma once

#include "ui/ChooserScreen.h"

namespace dogs {

// A chooser over every dog's name, sorted, with "Select a Dog" until one is picked; an empty
// kennel is said and the screen closes.
class DogChooserScreen : public ui::ChooserScreen
{
    Q_OBJECT
public:
    DogChooserScreen(const QString &objectName, const QString &caption, const QString &text,
                     QWidget *parent = nullptr);

protected:
    void load() override;
};

} // namespace dogs
