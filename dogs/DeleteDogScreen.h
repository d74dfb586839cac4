#pragma once

#include "dogs/DogChooserScreen.h"

namespace dogs {

// "Delete Dog": picks the dog to delete; the deletion itself asks before it writes.
class DeleteDogScreen : public DogChooserScreen
{
    Q_OBJECT
public:
    static QString screenName() { return QStringLiteral("DeleteDog"); }
    explicit DeleteDogScreen(QWidget *parent = nullptr);

Q_SIGNALS:
    void dogChosen(qint64 dogId);

protected:
    void ok() override;
};

} // namespace dogs
