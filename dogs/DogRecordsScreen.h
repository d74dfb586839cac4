#pragma once

#include <optional>

#include "dogs/DogRecords.h"
#include "ui/RecordScreen.h"

class QLabel;

namespace dogs {

// "Pawmark Houndry - Dog Records": one dog at a time, every edit saved into the dog left.
class DogRecordsScreen : public ui::RecordScreen
{
    Q_OBJECT
public:
    static QString screenName() { return QStringLiteral("Form4"); }
    explicit DogRecordsScreen(QWidget *parent = nullptr);
    ~DogRecordsScreen() override;

    // Saves the edits, then shows the first dog with exactly this name (find mode); before
    // the screen is loaded, the dog it opens on.
    void showDogNamed(const QString &name);

Q_SIGNALS:
    void deleteRequested(qint64 dogId);
    void healthResultsRequested(qint64 dogId);
    void photosRequested(qint64 dogId, const QString &name);
    void showResultsRequested(qint64 dogId, const QString &name);

protected:
    void load() override;
    ui::BoundRecord &record() override { return m_records.record(); }
    void showRecord() override;

private:
    // The dog was deleted elsewhere: a screen on it moves to the next (else the one before).
    void dogDeleted(qint64 dogId);
    // The dog's photos changed elsewhere.
    void photosChanged(qint64 dogId);
    void showInbreeding();
    // The main photo is read after the dog is on view, so that stepping stays quick.
    void showPhotoLater();

    QWidget *buildDogInformation();
    QWidget *buildParents();
    QWidget *buildOwner();
    QWidget *buildButtons();
    void fillPickLists();
    ui::BoundFields &fields() { return m_records.record().fields(); }

    DogRecords m_records;
    std::optional<QString> m_showOnLoad;
    QLabel *m_age;
    QLabel *m_dogId;
    QLabel *m_inbreeding;
    QLabel *m_dna;
    QLabel *m_photo;
    quint64 m_photoStep = 0;
};

} // namespace dogs
