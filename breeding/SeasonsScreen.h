#pragma once

#include "breeding/Seasons.h"
#include "ui/DogEntriesScreen.h"

class QCheckBox;
class QLabel;
class QLineEdit;

namespace breeding {

// "Seasons": every season of one bitch, with when her next one is likely.
class SeasonsScreen : public ui::DogEntriesScreen
{
    Q_OBJECT
public:
    static QString screenName() { return QStringLiteral("Seasons"); }
    explicit SeasonsScreen(QWidget *parent = nullptr);

Q_SIGNALS:
    // The user asked for the progesterone tests of this season.
    void progesteroneRequested(qint64 seasonId);

protected:
    std::optional<Entries> readEntries(qint64 dogId) override;
    void fillForm(int row) override;
    bool writeEntry(qint64 id) override;
    bool removeEntry(int row) override;
    bool formHasContent() const override;
    void entriesShown() override;
    QWidget *firstBox() const override;

private:
    std::vector<Season> m_seasons;
    QLabel *m_forecast;
    QLineEdit *m_firstDay;
    QLineEdit *m_lastDay;
    QCheckBox *m_mated;
    QLineEdit *m_note;
    QLabel *m_estimate;
    QLabel *m_litterDue;
};

} // namespace breeding
