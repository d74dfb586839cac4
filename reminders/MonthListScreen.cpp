#include "reminders/MonthListScreen.h"

#include "core/Clock.h"
#include "db/DatabaseFiles.h"
#include "reminders/MonthLists.h"
#include "ui/FieldGrid.h"
#include "ui/NameListModel.h"

#include <QListView>
#include <QVBoxLayout>
#include <utility>

namespace reminders {
QString MonthListScreen::screenName(Kind kind)
{
    switch (kind) {
    case MonthListScreen::Kind::Vaccinations:
        return QStringLiteral("Form13");
    case MonthListScreen::Kind::Litters:
        return QStringLiteral("Form14");
    case MonthListScreen::Kind::Birthdays:
        return QStringLiteral("Form15");
    case MonthListScreen::Kind::All:
        break;
    }
    return QStringLiteral("Form31");
}

namespace {

QString captionOf(MonthListScreen::Kind kind)
{
    switch (kind) {
    case MonthListScreen::Kind::Vaccinations:
        return QStringLiteral("Vaccinations Due This Month ");
    case MonthListScreen::Kind::Litters:
        return QStringLiteral("Litters Due this Month ");
    case MonthListScreen::Kind::Birthdays:
        return QStringLiteral("Birthdays Due This Month ");
    case MonthListScreen::Kind::All:
        break;
    }
    return QStringLiteral("All Due This Month ");
}

} // namespace

MonthListScreen::MonthListScreen(Kind kind, QWidget *parent)
    : ui::Screen(screenName(kind), captionOf(kind), parent), m_kind(kind),
      m_lines(new ui::NameListModel(QStringList(), this)), m_list(new QListView)
{
    m_list->setObjectName(QStringLiteral("lines"));
    m_list->setAccessibleName(captionOf(kind));
    // A large kennel has tens of thousands of birthdays a month: the lines are handed to the
    // view whole, and every line is one line high, so none needs measuring.
    m_list->setModel(m_lines);
    m_list->setUniformItemSizes(true);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    setMinimumSize(560, 400);
}

void MonthListScreen::load()
{
    const QSqlDatabase kennel = db::DatabaseFiles::kennel();
    const QDate today = core::Clock::today();
    QStringList lines;
    switch (m_kind) {
    case Kind::Vaccinations:
        lines = vaccinationsDue(kennel, today);
        break;
    case Kind::Litters:
        lines = littersDue(kennel, today, LitterForm::Single);
        break;
    case Kind::Birthdays:
        lines = birthdays(kennel, today);
        break;
    case Kind::All:
        lines = birthdays(kennel, today) + littersDue(kennel, today, LitterForm::Combined) +
                vaccinationsDue(kennel, today);
        break;
    }
    // Kept as packed text: a line costs its letters, not a string object.
    auto *shown = new ui::NameListModel(lines, this);
    m_list->setModel(shown);
    delete std::exchange(m_lines, shown);
}

QStringList MonthListScreen::lines() const
{
    return m_lines->entries();
}

} // namespace reminders
