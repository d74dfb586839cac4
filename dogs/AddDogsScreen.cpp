#include "dogs/AddDogsScreen.h"

#include "core/Messages.h"
#include "core/NumberText.h"
#include "db/DatabaseFiles.h"
#include "kennel/BlankDogs.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace dogs {

AddDogsScreen::AddDogsScreen(QWidget *parent)
    : ui::Screen(screenName(), QStringLiteral("Enter Number to Be added"), parent),
      m_number(new QLineEdit)
{
    m_number->setObjectName(QStringLiteral("number"));
    auto *label = new QLabel(
        QStringLiteral("Enter the Number of Dogs you wish to be added to the Database."));
    label->setBuddy(m_number);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_number);
    addButtonRow(layout, QStringLiteral("Create Records"), QStringLiteral("create"), [this] {
        createRecords();
    })->setDefault(true);
}

void AddDogsScreen::createRecords()
{
    if (const auto written =
            kennel::addBlankDogs(db::DatabaseFiles::kennel(), core::typedCount(m_number->text()));
        !written) {
        core::tellNothingChanged(QStringLiteral("The blank records"), written.problem());
        return;
    }
    core::tell(QStringLiteral(
        "Blank records have been added you may now edit the records with the information"));
    closeScreen();
}

} // namespace dogs
