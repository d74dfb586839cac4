#pragma once

#include "showcase/ShowResults.h"
#include "ui/ReadingsScreen.h"

class QLabel;
class QLineEdit;

namespace showcase {

// "Shows and Titles": one dog's results at shows and trials, and the titles they earned it.
class ShowResultsScreen : public ui::ReadingsScreen
{
    Q_OBJECT
public:
    static QString screenName() { return QStringLiteral("ShowsAndTitles"); }
    explicit ShowResultsScreen(QWidget *parent = nullptr);
    // Shows this dog's results, adding what was typed for the one on view first.
    void showDog(qint64 dogId, const QString &name);

protected:
    void load() override;
    std::optional<std::vector<QStringList>> readRows() override;
    bool addReading() override;
    bool removeReading(int row) override;
    bool formHasContent() const override;
    void clearForm() override;
    void readingsShown() override;
    QWidget *firstBox() const override;

private:
    qint64 m_dogId = 0;
    QString m_name;
    std::vector<ShowResult> m_results;
    QLabel *m_heading;
    QLabel *m_titles;
    QLineEdit *m_date;
    QLineEdit *m_show;
    QLineEdit *m_judge;
    QLineEdit *m_class;
    QLineEdit *m_placing;
    QLineEdit *m_award;
    QLineEdit *m_title;
    QLineEdit *m_titleShort;
};

} // namespace showcase
