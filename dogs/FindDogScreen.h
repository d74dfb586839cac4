#pragma once

#include "dogs/DogChooserScreen.h"

namespace dogs {

// "Find Dog Record": picks a dog by name and opens the dog records screen on it. After a
// choice it is hidden, not closed, so the next visit finds the list and the choice again.
class FindDogScreen : public DogChooserScreen
{
    Q_OBJECT
public:
    static QString screenName() { return QStringLiteral("FindDogRecord"); }
    explicit FindDogScreen(QWidget *parent = nullptr);

Q_SIGNALS:
    // The dog records screen should show it.
    void dogChosen(const QString &name);

protected:
    void ok() override;
};

} // namespace dogs
