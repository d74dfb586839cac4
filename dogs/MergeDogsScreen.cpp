#include "dogs/MergeDogsScreen.h"

#include "core/DateText.h"
#include "db/DatabaseFiles.h"
#include "db/Fields.h"
#include "dogs/DogMerge.h"
#include "dogs/DogRecords.h"
#include "kennel/Changes.h"
#include "kennel/DogFinder.h"
#include "ui/FieldGrid.h"
#include "ui/PickList.h"
#include "ui/ScreenHost.h"
#include "ui/SharedNames.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace dogs {
namespace {

namespace dog = db::fields::dogs;

// As the dog records screen calls them.
QString caption(const QString &field)
{
    static const QHash<QString, QString> captions{
        {dog::name, QStringLiteral("Name")},
        {dog::registration, QStringLiteral("Reg Number")},
        {dog::sex, QStringLiteral("Sex")},
        {dog::colour, QStringLiteral("Colour")},
        {dog::countryOfBirth, QStringLiteral("Country of Birth")},
        {dog::born, QStringLiteral("D.O.B")},
        {dog::died, QStringLiteral("D.O.D")},
        {dog::breeder, QStringLiteral("Breeder")},
        {dog::breed, QStringLiteral("Breed of Dog")},
        {dog::microchip, QStringLiteral("Microchip Number")},
        {dog::tattoo, QStringLiteral("Tattoo")},
        {dog::sire, QStringLiteral("Sire")},
        {dog::dam, QStringLiteral("Dam")},
        {dog::owner, QStringLiteral("Owners Name")},
    };
    return captions.value(field, field);
}

QString shown(const QString &field, const QVariant &stored)
{
    if (field == dog::born || field == dog::died)
        return core::datetext::display(stored);
    return stored.toString();
}

} // namespace

MergeDogsScreen::MergeDogsScreen(QWidget *parent)
    : ui::Screen(screenName(), QStringLiteral("Merge Dogs"), parent),
      m_keep(ui::pickList(QStringLiteral("keepList"))),
      m_merge(ui::pickList(QStringLiteral("mergeList"))), m_duplicates(new QComboBox),
      m_duplicatesRow(new QWidget), m_fields(new QGridLayout)
{
    m_duplicates->setObjectName(QStringLiteral("duplicateList"));
    auto *offered = new QFormLayout(m_duplicatesRow);
    offered->setContentsMargins({});
    auto *offeredLabel = new QLabel(QStringLiteral("&Likely duplicates:"));
    offeredLabel->setBuddy(m_duplicates);
    offered->addRow(offeredLabel, m_duplicates);
    m_duplicatesRow->hide();
    connect(m_duplicates, &QComboBox::activated, this, &MergeDogsScreen::choosePair);
    auto *choose = new QFormLayout;
    for (const auto &[list, caption] :
         {std::pair{m_keep, QStringLiteral("&Keep this record:")},
          std::pair{m_merge, QStringLiteral("&Merge this record into it:")}}) {
        list->setPrompt(QStringLiteral("Select a Dog"));
        auto *label = new QLabel(caption);
        label->setBuddy(list);
        choose->addRow(label, list);
        connect(list, &ui::PickList::textChosen, this, &MergeDogsScreen::compare);
    }
    auto *buttons = new QDialogButtonBox;
    m_mergeButton = buttons->addButton(QStringLiteral("Merge"), QDialogButtonBox::AcceptRole);
    m_mergeButton->setObjectName(QStringLiteral("mergeButton"));
    m_mergeButton->setEnabled(false);
    buttons->addButton(QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &MergeDogsScreen::mergeChosen);
    connect(buttons, &QDialogButtonBox::rejected, this, &ui::Screen::closeScreen);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_duplicatesRow);
    layout->addLayout(choose);
    layout->addWidget(new QLabel(QStringLiteral("For each field, the value to keep:")));
    layout->addLayout(m_fields);
    layout->addStretch();
    layout->addWidget(buttons);
    // Its own merge done, the screen has nothing left to show.
    connect(&kennel::Changes::instance(), &kennel::Changes::dogsMerged, this,
            [this](qint64 kept, qint64 merged) {
                if (kept == m_kept && merged == m_merged)
                    closeScreen();
            });
}

void MergeDogsScreen::load()
{
    const auto names = ui::sharedNames(db::DatabaseFiles::kennel(), ui::SharedList::SortedDogs);
    m_keep->setSharedEntries(names);
    m_merge->setSharedEntries(names);
    // The first list has the focus from the start: what is typed replaces its prompt.
    m_keep->setFocus(Qt::ActiveWindowFocusReason);
    m_keep->lineEdit()->selectAll();
}

QString MergeDogsScreen::keptName() const
{
    return m_keptValues.value(dog::name).toString();
}

QString MergeDogsScreen::mergedName() const
{
    return m_mergedValues.value(dog::name).toString();
}

void MergeDogsScreen::compare()
{
    while (QLayoutItem *item = m_fields->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    m_kept =
        m_keep->showsPrompt() ? 0 : kennel::dogNamed(db::DatabaseFiles::kennel(), m_keep->text());
    m_merged = m_merge->showsPrompt()
                   ? 0
                   : kennel::dogNamed(db::DatabaseFiles::kennel(), m_merge->text(), m_kept);
    m_keptValues = dogValues(db::DatabaseFiles::kennel(), m_kept);
    m_mergedValues = dogValues(db::DatabaseFiles::kennel(), m_merged);
    const bool both = m_kept != 0 && m_merged != 0;
    m_mergeButton->setEnabled(both);
    if (!both)
        return;
    int row = 0;
    for (const QString &field : DogRecords::fields()) {
        const QVariant kept = m_keptValues.value(field);
        const QVariant merged = m_mergedValues.value(field);
        auto *group = new QButtonGroup(this);
        auto *keep = new QRadioButton(shown(field, kept));
        auto *take = new QRadioButton(shown(field, merged));
        keep->setObjectName(QStringLiteral("keep_") + field);
        take->setObjectName(QStringLiteral("take_") + field);
        group->addButton(keep);
        group->addButton(take);
        // The kept record's value, unless it has none and the other has one.
        (kept.toString().isEmpty() && !merged.toString().isEmpty() ? take : keep)->setChecked(true);
        take->setEnabled(kept != merged);
        m_fields->addWidget(new QLabel(caption(field)), row, 0);
        m_fields->addWidget(keep, row, 1);
        m_fields->addWidget(take, row, 2);
        ++row;
    }
    // Shown now rather than when the event loop comes round, so that the frame's size
    // counts them.
    for (int i = 0; i < m_fields->count(); ++i)
        m_fields->itemAt(i)->widget()->show();
    layout()->activate();
    if (QWidget *frame = parentWidget()) {
        frame->resize(frame->size().expandedTo(frame->sizeHint()));
        ui::ScreenHost::keepInView(frame);
    }
}

void MergeDogsScreen::offerDuplicates(const std::vector<genetics::PedigreeProblem> &duplicates)
{
    // The frame takes the size of the pair's fields once it is on view and loaded.
    if (!isLoaded()) {
        connect(
            this, &Screen::loaded, this, [this, duplicates] { offerDuplicates(duplicates); },
            Qt::SingleShotConnection);
        return;
    }
    m_offered = duplicates;
    m_duplicates->clear();
    for (const genetics::PedigreeProblem &pair : m_offered)
        m_duplicates->addItem(QStringLiteral("%1 (Dog ID %2) and %3 (Dog ID %4)")
                                  .arg(pair.earlier)
                                  .arg(pair.earlierId)
                                  .arg(pair.dog)
                                  .arg(pair.dogId));
    m_duplicatesRow->setVisible(!m_offered.empty());
    if (!m_offered.empty())
        choosePair(0);
}

void MergeDogsScreen::choosePair(int index)
{
    if (index < 0 || size_t(index) >= m_offered.size())
        return;
    m_duplicates->setCurrentIndex(index);
    m_keep->setText(m_offered[size_t(index)].earlier);
    m_merge->setText(m_offered[size_t(index)].dog);
    compare();
}

QHash<QString, QVariant> MergeDogsScreen::chosen() const
{
    QHash<QString, QVariant> values;
    for (const QString &field : DogRecords::fields()) {
        const auto *take = findChild<QRadioButton *>(QStringLiteral("take_") + field);
        if (take && take->isChecked())
            values.insert(field, m_mergedValues.value(field));
    }
    return values;
}

} // namespace dogs
