#include "dogs/DogRecordsScreen.h"

#include "core/Clock.h"
#include "core/DateText.h"
#include "db/DatabaseFiles.h"
#include "db/Fields.h"
#include "db/NameLists.h"
#include "dogs/MatingCleanup.h"
#include "genetics/KennelGenetics.h"
#include "kennel/Changes.h"
#include "showcase/Photos.h"
#include "showcase/PhotoStore.h"
#include "ui/Countries.h"
#include "ui/FieldGrid.h"
#include "ui/PickList.h"
#include "ui/RecordHistory.h"
#include "ui/SharedNames.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace dogs {
namespace {

constexpr int photoSize = 160;

} // namespace

namespace dog = db::fields::dogs;

DogRecordsScreen::DogRecordsScreen(QWidget *parent)
    : ui::RecordScreen(screenName(), QStringLiteral("Pawmark Houndry - Dog Records"), parent),
      m_records(db::DatabaseFiles::kennel()), m_age(new QLabel), m_dogId(new QLabel),
      m_inbreeding(new QLabel), m_dna(new QLabel), m_photo(new QLabel)
{
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(buildDogInformation());
    // The photo stands beside parents and owner, where the rows leave room.
    auto *lower = new QHBoxLayout;
    auto *people = new QVBoxLayout;
    people->addWidget(buildParents());
    people->addWidget(buildOwner());
    lower->addLayout(people, 1);
    m_photo->setObjectName(QStringLiteral("mainPhoto"));
    m_photo->setAccessibleName(QStringLiteral("Main photo"));
    m_photo->setFixedSize(photoSize, photoSize);
    m_photo->setAlignment(Qt::AlignCenter);
    m_photo->setWordWrap(true);
    m_photo->setFrameShape(QFrame::StyledPanel);
    lower->addWidget(m_photo, 0, Qt::AlignTop);
    layout->addLayout(lower);
    layout->addWidget(buildButtons());
    layout->addStretch();
    const kennel::Changes &changes = kennel::Changes::instance();
    connect(&changes, &kennel::Changes::dogDeleted, this, &DogRecordsScreen::dogDeleted);
    connect(&changes, &kennel::Changes::dogsMerged, this, [this](qint64 kept, qint64 merged) {
        dogDeleted(merged);
        showRow(kept);
    });
    connect(&changes, &kennel::Changes::photosChanged, this, &DogRecordsScreen::photosChanged);
}

DogRecordsScreen::~DogRecordsScreen() = default;

QWidget *DogRecordsScreen::buildDogInformation()
{
    auto *group = new QGroupBox(QStringLiteral("Dog Information"));
    auto *grid = new QGridLayout(group);
    auto bindText = [this](const QString &field) {
        QLineEdit *edit = ui::textBox(field);
        fields().bind(field, edit);
        return edit;
    };
    auto bindList = [this](const QString &field) {
        ui::PickList *list = ui::pickList(field);
        fields().bind(field, list);
        return list;
    };

    ui::addField(grid, 0, 0, QStringLiteral("Name"), bindText(dog::name), 3);
    ui::addField(grid, 1, 0, QStringLiteral("Reg Number"), bindText(dog::registration));
    ui::PickList *sex = bindList(dog::sex);
    sex->setEntries({QStringLiteral("Male"), QStringLiteral("Female")});
    ui::addField(grid, 1, 1, QStringLiteral("Sex"), sex);
    ui::addField(grid, 2, 0, QStringLiteral("Colour"), bindText(dog::colour));
    ui::PickList *cob = bindList(dog::countryOfBirth);
    cob->setEntries(ui::dogCountries());
    ui::addField(grid, 2, 1, QStringLiteral("Country of Birth"), cob);
    QLineEdit *dob = bindText(dog::born);
    QLineEdit *dod = bindText(dog::died);
    dob->setPlaceholderText(core::datetext::typingHint());
    dod->setPlaceholderText(core::datetext::typingHint());
    ui::addField(grid, 3, 0, QStringLiteral("D.O.B"), dob);
    ui::addField(grid, 3, 1, QStringLiteral("D.O.D"), dod);
    ui::addField(grid, 4, 0, QStringLiteral("Breeder"), bindList(dog::breeder));
    ui::addField(grid, 4, 1, QStringLiteral("Breed of Dog"), bindList(dog::breed));
    ui::addField(grid, 5, 0, QStringLiteral("Microchip Number"), bindText(dog::microchip));
    ui::addField(grid, 5, 1, dog::tattoo, bindText(dog::tattoo));

    m_age->setObjectName(QStringLiteral("age"));
    m_dogId->setObjectName(QStringLiteral("dogid"));
    ui::addField(grid, 6, 0, QStringLiteral("Age"), m_age);
    ui::addField(grid, 6, 1, QStringLiteral("Dog ID : KZ"), m_dogId);
    m_inbreeding->setObjectName(QStringLiteral("coi"));
    m_inbreeding->setTextInteractionFlags(Qt::TextSelectableByMouse);
    ui::addField(grid, 7, 0, QStringLiteral("COI"), m_inbreeding, 2);
    auto *health = new QPushButton(QStringLiteral("Health Results..."));
    health->setObjectName(QStringLiteral("healthResultsButton"));
    connect(health, &QPushButton::clicked, this, [this] {
        if (settle() && m_records.hasDog())
            Q_EMIT healthResultsRequested(m_records.dogId());
    });
    grid->addWidget(health, 7, 3);
    m_dna->setObjectName(QStringLiteral("dnaStatus"));
    m_dna->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_dna->setWordWrap(true);
    ui::addField(grid, 8, 0, QStringLiteral("DNA"), m_dna, 3);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    return group;
}

QWidget *DogRecordsScreen::buildParents()
{
    auto *group = new QGroupBox(QStringLiteral("Parents"));
    auto *grid = new QGridLayout(group);
    for (const auto &[column, field, caption] : {std::tuple{0, dog::sire, QStringLiteral("Sire")},
                                                 std::tuple{1, dog::dam, QStringLiteral("Dam")}}) {
        ui::PickList *list = ui::pickList(field);
        fields().bind(field, list);
        ui::addField(grid, 0, column, caption, list);
    }
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    return group;
}

QWidget *DogRecordsScreen::buildOwner()
{
    auto *group = new QGroupBox(QStringLiteral("Dogs Owner Record"));
    auto *grid = new QGridLayout(group);
    ui::PickList *owner = ui::pickList(dog::owner);
    fields().bind(dog::owner, owner);
    ui::addField(grid, 0, 0, QStringLiteral("Owners Name"), owner);
    grid->setColumnStretch(1, 1);
    return group;
}

QWidget *DogRecordsScreen::buildButtons()
{
    auto *row = new QWidget;
    auto *buttons = new QHBoxLayout(row);
    const std::tuple<QString, bool (db::TableCursor::*)()> moves[] = {
        {QStringLiteral("First"), &db::TableCursor::first},
        {QStringLiteral("Previous"), &db::TableCursor::previous},
        {QStringLiteral("Next"), &db::TableCursor::next},
        {QStringLiteral("Last"), &db::TableCursor::last},
    };
    for (const auto &[caption, move] : moves) {
        auto *button = new QPushButton(caption);
        button->setObjectName(caption.toLower() + QStringLiteral("Button"));
        connect(button, &QPushButton::clicked, this, [this, move = move] { step(move); });
        buttons->addWidget(button);
    }
    buttons->addStretch();
    auto *remove = new QPushButton(QStringLiteral("Delete Dog..."));
    remove->setObjectName(QStringLiteral("deleteButton"));
    connect(remove, &QPushButton::clicked, this, [this] {
        if (m_records.hasDog())
            Q_EMIT deleteRequested(m_records.dogId());
    });
    buttons->addWidget(remove);
    auto *history = new QPushButton(QStringLiteral("History..."));
    history->setObjectName(QStringLiteral("historyButton"));
    connect(history, &QPushButton::clicked, this, [this] {
        if (!settle())
            return;
        ui::RecordHistory::open(
            record(), QStringLiteral("History of %1").arg(record().text(dog::name)), this);
    });
    buttons->addWidget(history);
    auto *photos = new QPushButton(QStringLiteral("Photos..."));
    photos->setObjectName(QStringLiteral("photosButton"));
    connect(photos, &QPushButton::clicked, this, [this] {
        if (settle() && m_records.hasDog())
            Q_EMIT photosRequested(m_records.dogId(), record().text(dog::name));
    });
    buttons->addWidget(photos);
    auto *shows = new QPushButton(QStringLiteral("Shows and Titles..."));
    shows->setObjectName(QStringLiteral("showsButton"));
    connect(shows, &QPushButton::clicked, this, [this] {
        if (settle() && m_records.hasDog())
            Q_EMIT showResultsRequested(m_records.dogId(), record().text(dog::name));
    });
    buttons->addWidget(shows);
    return row;
}

void DogRecordsScreen::dogDeleted(qint64 dogId)
{
    db::TableCursor &cursor = m_records.record().cursor();
    if (!isLoaded() || cursor.rowId() != dogId)
        return;
    if (!cursor.next() && !cursor.previous())
        cursor.first();
    showRecord();
}

void DogRecordsScreen::photosChanged(qint64 dogId)
{
    if (isLoaded() && m_records.hasDog() && m_records.dogId() == dogId)
        showPhotoLater();
}

void DogRecordsScreen::fillPickLists()
{
    const QSqlDatabase db = db::DatabaseFiles::kennel();
    for (const QString &field : {dog::sire, dog::dam})
        qobject_cast<ui::PickList *>(fields().widget(field))
            ->setSharedEntries(ui::sharedNames(db, ui::SharedList::StoredDogs));
    for (const QString &field : {dog::breeder, dog::owner})
        qobject_cast<ui::PickList *>(fields().widget(field))
            ->setSharedEntries(ui::sharedNames(db, ui::SharedList::StoredContacts));
    qobject_cast<ui::PickList *>(fields().widget(dog::breed))->setEntries(db::breedNames(db));
}

void DogRecordsScreen::load()
{
    fillPickLists();
    const bool found = m_showOnLoad && m_records.goToName(*m_showOnLoad);
    if (!found)
        m_records.first();
    showRecord();
    cleanMatings(db::DatabaseFiles::kennel());
}

void DogRecordsScreen::showDogNamed(const QString &name)
{
    if (!isLoaded()) {
        m_showOnLoad = name;
        return;
    }
    if (!settle())
        return;
    m_records.goToName(name);
    showRecord();
}

void DogRecordsScreen::showRecord()
{
    m_records.record().show();
    const auto *dob = qobject_cast<QLineEdit *>(fields().widget(dog::born));
    m_age->setText(calculateage(dob->text(), core::Clock::today()));
    m_dogId->setText(m_records.hasDog() ? QString::number(m_records.dogId()) : QString());
    showInbreeding();
    showPhotoLater();
}

void DogRecordsScreen::showPhotoLater()
{
    m_photo->clear();
    const quint64 step = ++m_photoStep;
    const std::optional<qint64> dogId =
        m_records.hasDog() ? std::optional(m_records.dogId()) : std::nullopt;
    QTimer::singleShot(0, this, [this, step, dogId] {
        // A later step has its own photo to show.
        if (step != m_photoStep || !dogId)
            return;
        const std::optional<showcase::Photo> photo =
            showcase::mainPhotoOf(db::DatabaseFiles::kennel(), *dogId);
        if (!photo) {
            m_photo->setText(QStringLiteral("No photo"));
            return;
        }
        // The small copy made when the photo was added is sharp enough here, and quick; it
        // may outlive the photo itself.
        const showcase::PhotoStore store;
        const QImage image = store.holds(photo->file) ? store.thumbnail(photo->file) : QImage();
        if (image.isNull()) {
            m_photo->setText(QStringLiteral("The photo file %1 is missing or damaged.")
                                 .arg(photo->file.left(12) + QStringLiteral("…")));
            return;
        }
        QPixmap shown = QPixmap::fromImage(
            image.scaled(QSize(photoSize, photoSize) * m_photo->devicePixelRatioF(),
                         Qt::KeepAspectRatio, Qt::SmoothTransformation));
        shown.setDevicePixelRatio(m_photo->devicePixelRatioF());
        m_photo->setPixmap(shown);
        m_photo->setToolTip(photo->caption);
    });
}

void DogRecordsScreen::showInbreeding()
{
    // Every dog's inbreeding takes seconds on a large kennel, and is worked out again after a
    // dog is renamed or removed: the screen does not wait for it.
    const QSqlDatabase kennel = db::DatabaseFiles::kennel();
    if (!m_records.hasDog() || genetics::KennelGenetics::isCurrent(kennel) ||
        !genetics::KennelGenetics::preparationProblem(kennel).isEmpty()) {
        m_inbreeding->setText(m_records.inbreeding());
        m_dna->setText(m_records.dnaSummary());
        return;
    }
    m_inbreeding->setText(QStringLiteral("Working out..."));
    m_dna->clear();
    genetics::KennelGenetics::prepare(kennel, this, [this] { showInbreeding(); });
}

} // namespace dogs
