#pragma once

#include "health/HealthRecords.h"
#include "ui/Screen.h"

#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QTableWidget;

namespace ui {
class PickList;
}

namespace health {

// "Health Results": every test result of one dog, with what its DNA status is.
class HealthResultsScreen : public ui::Screen
{
    Q_OBJECT
public:
    static QString screenName() { return QStringLiteral("HealthResults"); }
    explicit HealthResultsScreen(QWidget *parent = nullptr);
    // Shows this dog's results, saving what was typed first; before loading, the dog it
    // opens on.
    void showDog(qint64 dogId);
    bool settle() override;
    // Tests or results changed elsewhere (an undo, a test renamed): shows them as they are.
    void refresh() override;

protected:
    void load() override;

private:
    void chooseDog();
    void showResults();
    void showStatus();
    void showResult(int row);
    void clearEntry();
    void fillTests(qint64 alsoId);
    void showTestKind();
    std::optional<HealthResult> typedResult();
    bool saveTyped();
    void newResult();
    void deleteResult();

    std::optional<qint64> m_dogId;
    QString m_dogName;
    std::vector<HealthTest> m_tests;
    std::vector<HealthResult> m_results;
    qint64 m_shownId = 0;
    bool m_edited = false;
    bool m_showing = false;
    ui::PickList *m_dog;
    QLabel *m_status;
    QTableWidget *m_table;
    QLineEdit *m_date;
    QComboBox *m_test;
    QComboBox *m_result;
    QLineEdit *m_score;
    QLineEdit *m_examiner;
    QLineEdit *m_certificate;
    QLineEdit *m_note;
};

} // namespace health
