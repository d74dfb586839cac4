#pragma once

#include "health/HealthRecords.h"
#include "ui/DogEntriesScreen.h"

class QComboBox;
class QLabel;
class QLineEdit;

namespace health {

// "Health Results": every test result of one dog, with what its DNA status is.
class HealthResultsScreen : public ui::DogEntriesScreen
{
    Q_OBJECT
public:
    static QString screenName() { return QStringLiteral("HealthResults"); }
    explicit HealthResultsScreen(QWidget *parent = nullptr);
    // Shows this dog's results; before loading, the dog it opens on.
    void showDog(qint64 dogId);
    // Tests or results changed elsewhere (an undo, a test renamed): shows them as they are.
    void refresh() override;

protected:
    void load() override;
    std::optional<Entries> readEntries(qint64 dogId) override;
    void fillForm(int row) override;
    bool writeEntry(qint64 id) override;
    bool removeEntry(int row) override;
    bool formHasContent() const override;
    void entriesShown() override;
    QWidget *firstBox() const override;

private:
    void fillTests(qint64 alsoId);
    void showTestKind();

    std::vector<HealthTest> m_tests;
    std::vector<HealthResult> m_results;
    QLabel *m_status;
    QLineEdit *m_date;
    QComboBox *m_test;
    QComboBox *m_result;
    QLineEdit *m_score;
    QLineEdit *m_examiner;
    QLineEdit *m_certificate;
    QLineEdit *m_note;
};

} // namespace health
