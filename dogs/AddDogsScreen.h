#pragma once

#include "ui/Screen.h"

class QLineEdit;

namespace dogs {

// "Enter Number to Be added": creates a batch of blank dog records to complete later.
class AddDogsScreen : public ui::Screen
{
    Q_OBJECT
public:
    static QString screenName() { return QStringLiteral("AddDogRecords"); }
    explicit AddDogsScreen(QWidget *parent = nullptr);

private:
    void createRecords();

    QLineEdit *m_number;
};

} // namespace dogs
