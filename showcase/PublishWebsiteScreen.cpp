#include "showcase/PublishWebsiteScreen.h"

#include "core/Messages.h"
#include "db/DatabaseFiles.h"
#include "genetics/KennelGenetics.h"
#include "showcase/Website.h"
#include "ui/FieldGrid.h"

#include <algorithm>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
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
      m_pickedDogs(new QRadioButton(QStringLiteral("The living dogs ticked below"))),
      m_picks(new QListWidget),
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
    dogsLayout->addWidget(m_pickedDogs);
    m_pickedDogs->setObjectName(QStringLiteral("pickedDogs"));
    m_picks->setObjectName(QStringLiteral("picks"));
    m_picks->setAccessibleName(QStringLiteral("Dogs to publish"));
    m_picks->setUniformItemSizes(true);
    m_picks->setEnabled(false);
    m_picks->setMinimumHeight(160);
    dogsLayout->addWidget(m_picks);
    connect(m_pickedDogs, &QRadioButton::toggled, this, [this](bool on) {
        m_picks->setEnabled(on);
        if (on && m_picks->count() == 0)
            fillPicks();
    });
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

void PublishWebsiteScreen::fillPicks()
{
    const genetics::KennelGraph &graph =
        genetics::KennelGenetics::current(db::DatabaseFiles::kennel()).graph();
    std::vector<std::pair<QString, qint64>> living;
    for (int dog = 0; dog < graph.size(); ++dog) {
        if (!graph.hasDied(dog) && !graph.name(dog).trimmed().isEmpty())
            living.emplace_back(graph.name(dog), graph.id(dog));
    }
    std::sort(living.begin(), living.end(), [](const auto &a, const auto &b) {
        return a.first.compare(b.first, Qt::CaseInsensitive) < 0;
    });
    m_picks->setUpdatesEnabled(false);
    for (const auto &[name, id] : living) {
        auto *item = new QListWidgetItem(name, m_picks);
        item->setData(Qt::UserRole, id);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
        item->setCheckState(Qt::Unchecked);
    }
    m_picks->setUpdatesEnabled(true);
}

void PublishWebsiteScreen::publish()
{
    WebsiteChoice choice;
    choice.folder = QDir::fromNativeSeparators(m_folder->text().trimmed());
    choice.dogs = m_allDogs->isChecked()      ? WebsiteChoice::Dogs::All
                  : m_pickedDogs->isChecked() ? WebsiteChoice::Dogs::Chosen
                                              : WebsiteChoice::Dogs::OwnLiving;
    for (int row = 0; row < m_picks->count(); ++row) {
        if (m_picks->item(row)->checkState() == Qt::Checked)
            choice.chosen << m_picks->item(row)->data(Qt::UserRole).toLongLong();
    }
    if (choice.dogs == WebsiteChoice::Dogs::Chosen && choice.chosen.isEmpty()) {
        core::tell(QStringLiteral("Tick the dogs the website shows."));
        m_picks->setFocus();
        return;
    }
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
