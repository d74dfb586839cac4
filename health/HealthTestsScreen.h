#pragma once

#include "health/HealthRecords.h"
#include "ui/Screen.h"

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLineEdit;
class QListWidget;
class QSpinBox;

namespace health {

// "Health Tests": the tests the kennel records, and its choices for what is derived from
// their results.
class HealthTestsScreen : public ui::Screen
{
    Q_OBJECT
public:
    static QString screenName() { return QStringLiteral("HealthTests"); }
    explicit HealthTestsScreen(QWidget *parent = nullptr);
    bool settle() override;
    void refresh() override;

protected:
    void load() override;

private:
    void fillList(qint64 selectedId);
    void showTest(const HealthTest &test);
    void showChosen();
    HealthTest typedTest() const;
    bool saveTyped();
    void newTest();
    void deleteTest();
    void showKind();
    void showChoices();

    std::vector<HealthTest> m_tests;
    qint64 m_shownId = 0;
    bool m_edited = false;
    bool m_showing = false;
    QListWidget *m_list;
    QLineEdit *m_name;
    QComboBox *m_kind;
    QComboBox *m_inheritance;
    QLineEdit *m_frequency;
    QCheckBox *m_hidden;
    QSpinBox *m_clearGenerations;
    QDoubleSpinBox *m_coiLimit;
};

} // namespace health
