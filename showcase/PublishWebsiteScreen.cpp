#include "showcase/PublishWebsiteScreen.h"

#include "core/Messages.h"
#include "db/DatabaseFiles.h"
#include "showcase/Website.h"
#include "ui/FieldGrid.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace showcase {
namespace {

QWidget *withChooser(QLineEdit *box, QWidget *parent, const QString &objectName)
{
    auto *row = new QWidget;
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(box, 1);
    QPushButton *choose = ui::pushButton(QStringLiteral("Choose..."), objectName);
    QObject::connect(choose, &QPushButton::clicked, parent, [box, parent] {
        const QString folder = QFileDialog::getExistingDirectory(
            parent, QStringLiteral("Choose a Folder"),
            box->text().isEmpty() ? QDir::homePath() : box->text());
        if (!folder.isEmpty())
            box->setText(QDir::toNativeSeparators(folder));
    });
    layout->addWidget(choose);
    return row;
}

} // namespace

PublishWebsiteScreen::PublishWebsiteScreen(QWidget *parent)
    : ui::Screen(screenName(), QStringLiteral("Publish Website"), parent),
      m_folder(ui::textBox(QStringLiteral("websiteFolder"))),
      m_ownDogs(new QRadioButton(QStringLiteral("The kennel's own living dogs"))),
      m_allDogs(new QRadioButton(QStringLiteral("Every dog"))),
      m_contact(new QCheckBox(QStringLiteral("With my address, phone and email"))),
      m_templates(ui::textBox(QStringLiteral("templatesFolder")))
{
    m_folder->setText(QDir::home().filePath(QStringLiteral("Kennel website")));
    m_ownDogs->setObjectName(QStringLiteral("ownDogs"));
    m_allDogs->setObjectName(QStringLiteral("allDogs"));
    m_ownDogs->setChecked(true);
    m_contact->setObjectName(QStringLiteral("contactDetails"));
    m_templates->setPlaceholderText(QStringLiteral("the templates that come with Houndry"));
    auto *grid = new QGridLayout;
    ui::addField(grid, 0, 0, QStringLiteral("Folder"),
                 withChooser(m_folder, this, QStringLiteral("chooseFolder")));
    auto *dogs = new QWidget;
    auto *dogsLayout = new QVBoxLayout(dogs);
    dogsLayout->setContentsMargins(0, 0, 0, 0);
    dogsLayout->addWidget(m_ownDogs);
    dogsLayout->addWidget(m_allDogs);
    ui::addField(grid, 1, 0, QStringLiteral("Dogs"), dogs);
    grid->addWidget(m_contact, 2, 1);
    ui::addField(grid, 3, 0, QStringLiteral("Own templates"),
                 withChooser(m_templates, this, QStringLiteral("chooseTemplates")));
    QPushButton *copy = ui::pushButton(QStringLiteral("Copy Templates to Change..."),
                                       QStringLiteral("copyTemplates"));
    connect(copy, &QPushButton::clicked, this, [this] {
        const QString folder = QFileDialog::getExistingDirectory(
            this, QStringLiteral("Copy Templates to Change"), QDir::homePath());
        if (folder.isEmpty())
            return;
        if (const QString problem = writeShippedTemplates(folder); !problem.isEmpty()) {
            core::tell(problem);
            return;
        }
        m_templates->setText(QDir::toNativeSeparators(folder));
    });
    grid->addWidget(copy, 4, 1, Qt::AlignLeft);
    auto *note = new QLabel(
        QStringLiteral("The website is a folder of plain pages that any web host, or a USB "
                       "stick, can serve. Publishing again replaces it. Addresses, phone "
                       "numbers, prices and notes of your contacts never go on it."));
    note->setWordWrap(true);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(note);
    addButtonRow(layout, QStringLiteral("Publish"), QStringLiteral("publish"),
                 [this] { publish(); });
    setMinimumWidth(560);
}

void PublishWebsiteScreen::publish()
{
    WebsiteChoice choice;
    choice.folder = QDir::fromNativeSeparators(m_folder->text().trimmed());
    choice.dogs =
        m_allDogs->isChecked() ? WebsiteChoice::Dogs::All : WebsiteChoice::Dogs::OwnLiving;
    choice.contactDetails = m_contact->isChecked();
    choice.templates = QDir::fromNativeSeparators(m_templates->text().trimmed());
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const Published published =
        publishWebsite(db::DatabaseFiles::kennel(), choice, QDir::currentPath());
    QApplication::restoreOverrideCursor();
    if (!published.problem.isEmpty()) {
        core::tell(published.problem);
        m_folder->setFocus();
        return;
    }
    core::tell(QStringLiteral("The website is written in %1: %2 pages. Open index.html in it "
                              "to look at it.")
                   .arg(QDir::toNativeSeparators(choice.folder))
                   .arg(published.pages));
}

} // namespace showcase
