#pragma once

#include "dogs/DogRecords.h"
#include "ui/BoundFields.h"
#include "ui/Screen.h"

#include <memory>

class QLabel;
class QStringListModel;

namespace dogs {

// "Pawmark Houndry - Dog Records": one dog at a time, every edit saved into the dog left.
class DogRecordsScreen : public ui::Screen
{
    Q_OBJECT
public:
    static QString screenName() { return QStringLiteral("Form4"); }
    explicit DogRecordsScreen(QWidget *parent = nullptr);
    bool settle() override;
    ~DogRecordsScreen() override;

    // Saves the edits, then shows the first dog with exactly this name (find mode).
    void showDogNamed(const QString &name);

protected:
    void load() override;

private:
    QWidget *buildDogInformation();
    QWidget *buildParents();
    QWidget *buildOwner();
    QWidget *buildButtons();
    void fillPickLists();
    // Saves the user's edits; false (after telling the user) when they cannot be saved yet.
    bool commitEdits();
    void step(bool (DogRecords::*move)());
    void showCurrent();

    std::unique_ptr<DogRecords> m_records;
    ui::BoundFields m_fields;
    QStringListModel *m_dogNames;
    QLabel *m_age;
    QLabel *m_dogId;
};

} // namespace dogs
