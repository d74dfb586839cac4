#include "pedigree/PedigreeScreens.h"

#include "pedigree/PedigreeInbreeding.h"

#include "core/Messages.h"
#include "db/DatabaseFiles.h"
#include "db/Fields.h"
#include "db/NameLists.h"
#include "pedigree/PedigreeBuild.h"
#include "ui/FieldGrid.h"
#include "ui/PickList.h"
#include "ui/SharedNames.h"
#include "ui/Twips.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace pedigree {
namespace {

using namespace Qt::StringLiterals;

QString shown(const QString &slot)
{
    const PedigreeRecord &record = currentPedigree();
    return slot == db::fields::pedigree::dog ? record.dogname : record.slot(slot);
}

// The inbreeding of the pedigree on show, in space the pedigree leaves free.
QLabel *inbreedingLabel(QWidget *screen, const QRect &place)
{
    auto *label = new QLabel(screen);
    label->setObjectName(QStringLiteral("coi"));
    label->setGeometry(place);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QFont smaller = label->font();
    smaller.setPointSizeF(smaller.pointSizeF() * 0.85);
    label->setFont(smaller);
    return label;
}

} // namespace

ViewPedigreeScreen::ViewPedigreeScreen(QWidget *parent)
    : ui::Screen(screenName(), QStringLiteral("View a Pedigree"), parent), m_list(new ui::PickList)
{
    m_list->setObjectName(QStringLiteral("list"));
    m_list->setMinimumContentsLength(32);
    m_list->setPrompt(QStringLiteral("Select a Dog"));
    auto *label = new QLabel(QStringLiteral("Select a Dog"));
    label->setBuddy(m_list);
    auto *buttons = new QGridLayout;
    for (int generations = 3; generations <= 8; ++generations) {
        QPushButton *b = ui::pushButton(QStringLiteral("View %1 Gen Pedigree").arg(generations),
                                        QStringLiteral("view%1").arg(generations));
        connect(b, &QPushButton::clicked, this, [this, generations] { view(generations); });
        if (generations == 3)
            setMainButton(b);
        buttons->addWidget(b, (generations - 3) / 2, (generations - 3) % 2);
    }
    QPushButton *cancel = ui::pushButton(QStringLiteral("Cancel"), QStringLiteral("cancel"));
    connect(cancel, &QPushButton::clicked, this, &ui::Screen::closeScreen);
    buttons->addWidget(cancel, 3, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_list);
    layout->addLayout(buttons);
}

void ViewPedigreeScreen::load()
{
    m_list->setSharedEntries(
        ui::sharedNames(db::DatabaseFiles::kennel(), ui::SharedList::SortedDogs));
}

void ViewPedigreeScreen::view(int generations)
{
    if (m_list->showsPrompt()) {
        core::tell(QStringLiteral("Please Select a Dogs Name"));
        return;
    }
    const QString name = m_list->text();
    if (generations == 3)
        buildpedigree3(name);
    else if (generations == 4)
        buildpedigree4(name);
    else
        buildpedigree(name, generations);
    Q_EMIT pedigreeBuilt(generations);
    closeScreen();
}

Pedigree3Screen::Pedigree3Screen(QWidget *parent)
    : ui::Screen(screenName(), QStringLiteral("Onscreen 3 Generation Pedigree"), parent)
{
    struct Box
    {
        const char *caption;
        const char *slot;
        int left;
        int top;
    };
    static const Box boxes[] = {
        {"Sire", "1s1", 120, 1080}, {"Pedigree of ", "dogname", 0, 2880},
        {"Dam", "1d1", 120, 4560},  {"Sire", "2s1", 2640, 240},
        {"Dam", "2d1", 2640, 1920}, {"Sire", "2s2", 2640, 3720},
        {"Dam", "2d2", 2640, 5400}, {"Sire", "3s1", 5880, 0},
        {"Dam", "3d1", 5880, 720},  {"Sire", "3s2", 5880, 1680},
        {"Dam", "3d2", 5880, 2400}, {"Sire", "3s3", 5880, 3360},
        {"Dam", "3d3", 5880, 4080}, {"Sire", "3s4", 5880, 5040},
        {"Dam", "3d4", 5880, 5760},
    };
    for (const Box &b : boxes) {
        auto *frame = new QGroupBox(QString::fromLatin1(b.caption), this);
        frame->setGeometry(ui::fromTwips(b.left, b.top, 3015, 735));
        auto *name = new QLabel(frame);
        name->setObjectName(QString::fromLatin1(b.slot));
        name->setGeometry(8, 18, ui::fromTwips(3015) - 16, 22);
        m_boxes.insert(QString::fromLatin1(b.slot), name);
    }
    m_inbreeding = inbreedingLabel(this, ui::fromTwips(120, 60, 2500, 900));
    QPushButton *print =
        ui::pushButton(QStringLiteral("Printable Pedigree"), QStringLiteral("print"), this);
    QPushButton *close = ui::pushButton(QStringLiteral("Close"), QStringLiteral("close"), this);
    print->setGeometry(ui::fromTwips(120, 5640, 1920, 420));
    QPushButton *certificate =
        ui::pushButton(QStringLiteral("Pedigree Certificate"), QStringLiteral("certificate"), this);
    certificate->setGeometry(ui::fromTwips(2160, 6180, 1920, 420));
    connect(certificate, &QPushButton::clicked, this, &Pedigree3Screen::certificateRequested);
    close->setGeometry(ui::fromTwips(120, 6120, 1920, 420));
    connect(print, &QPushButton::clicked, this, &Pedigree3Screen::printRequested);
    connect(close, &QPushButton::clicked, this, [this] {
        cleardata();
        closeScreen();
    });
    setMinimumSize(ui::fromTwips(5880 + 3015 + 120), ui::fromTwips(6720));
}

void Pedigree3Screen::showRecord()
{
    for (auto it = m_boxes.cbegin(); it != m_boxes.cend(); ++it) {
        it.value()->setText(shown(it.key()));
        it.value()->setToolTip(shown(it.key()));
    }
    m_inbreeding->setText(inbreedingText(currentPedigree(), QStringLiteral("\n")));
    if (isLoaded())
        movedata();
}

void Pedigree3Screen::load()
{
    if (const auto written = movedata(); !written)
        core::tellNothingChanged(QStringLiteral("The pedigree for printing"), written.problem());
}

QString Pedigree3Screen::boxText(const QString &slot) const
{
    return m_boxes.value(slot)->text();
}

Pedigree4Screen::Pedigree4Screen(QWidget *parent)
    : ui::Screen(screenName(), QStringLiteral("4 Generation On Screen Pedigree"), parent)
{
    struct Column
    {
        int left;
        QList<std::pair<QString, int>> slots;
    };
    const QList<Column> columns{
        {240, {{u"1s1"_s, 1680}, {u"dogname"_s, 3960}, {u"1d1"_s, 6000}}},
        {2760, {{u"2s1"_s, 840}, {u"2d1"_s, 2760}, {u"2s2"_s, 5040}, {u"2d2"_s, 7080}}},
        {5520,
         {{u"3s1"_s, 360},
          {u"3d1"_s, 1200},
          {u"3s2"_s, 2280},
          {u"3d2"_s, 3240},
          {u"3s3"_s, 4560},
          {u"3d3"_s, 5520},
          {u"3s4"_s, 6600},
          {u"3d4"_s, 7560}}},
        {8160, {}},
    };
    for (const Column &column : columns) {
        QList<std::pair<QString, int>> slots = column.slots;
        if (column.left == 8160) {
            const int tops[] = {0,    480,  960,  1440, 2040, 2520, 3000, 3480,
                                4320, 4800, 5280, 5760, 6360, 6840, 7320, 7800};
            for (int n = 1; n <= 16; ++n)
                slots.append({slotOfDog(4, n), tops[n - 1]});
        }
        for (const auto &[slot, top] : slots) {
            auto *label = new QLabel(this);
            label->setObjectName(slot);
            label->setGeometry(ui::fromTwips(column.left, top, 2500, 300));
            m_labels.insert(slot, label);
        }
    }
    m_inbreeding = inbreedingLabel(this, ui::fromTwips(240, 360, 2500, 900));
    auto *caption = new QLabel(QStringLiteral("Pedigree of "), this);
    caption->setGeometry(ui::fromTwips(240, 3600, 2500, 300));
    QPushButton *print =
        ui::pushButton(QStringLiteral("Printable Pedigree"), QStringLiteral("print"), this);
    QPushButton *close = ui::pushButton(QStringLiteral("Close"), QStringLiteral("close"), this);
    print->setGeometry(ui::fromTwips(240, 6900, 1920, 420));
    QPushButton *certificate =
        ui::pushButton(QStringLiteral("Pedigree Certificate"), QStringLiteral("certificate"), this);
    certificate->setGeometry(ui::fromTwips(240, 6420, 1920, 420));
    connect(certificate, &QPushButton::clicked, this, &Pedigree4Screen::certificateRequested);
    close->setGeometry(ui::fromTwips(240, 7380, 1920, 420));
    connect(print, &QPushButton::clicked, this,
            [] { core::tell(QStringLiteral(" This Option is Not Currently Available ")); });
    connect(close, &QPushButton::clicked, this, &ui::Screen::closeScreen);
    setMinimumSize(ui::fromTwips(8160 + 2600), ui::fromTwips(8200));
}

void Pedigree4Screen::showRecord()
{
    for (auto it = m_labels.cbegin(); it != m_labels.cend(); ++it) {
        it.value()->setText(shown(it.key()));
        it.value()->setToolTip(shown(it.key()));
    }
    m_inbreeding->setText(inbreedingText(currentPedigree(), QStringLiteral("\n")));
}

QString Pedigree4Screen::labelText(const QString &slot) const
{
    return m_labels.value(slot)->text();
}

PossibleMatingScreen::PossibleMatingScreen(QWidget *parent)
    : ui::Screen(screenName(), QStringLiteral("View Possible Mating"), parent),
      m_sires(new ui::PickList), m_dams(new ui::PickList)
{
    m_sires->setObjectName(QStringLiteral("sires"));
    m_dams->setObjectName(QStringLiteral("dams"));
    m_sires->setPrompt(QStringLiteral("Select a Sire"));
    m_dams->setPrompt(QStringLiteral("Select a Dam"));
    auto *grid = new QGridLayout;
    auto *father = new QLabel(QStringLiteral("Select Possible Father"));
    auto *mother = new QLabel(QStringLiteral("Select Possible Mother"));
    father->setBuddy(m_sires);
    mother->setBuddy(m_dams);
    grid->addWidget(father, 0, 0);
    grid->addWidget(m_sires, 1, 0);
    grid->addWidget(mother, 0, 1);
    grid->addWidget(m_dams, 1, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    addButtonRow(layout, QStringLiteral("View Pedigree"), QStringLiteral("view"),
                 [this] { viewPedigree(); });
}

void PossibleMatingScreen::load()
{
    const QSqlDatabase kennel = db::DatabaseFiles::kennel();
    m_sires->setSharedEntries(ui::sharedNames(kennel, ui::SharedList::SortedMales));
    m_dams->setSharedEntries(ui::sharedNames(kennel, ui::SharedList::SortedFemales));
}

void PossibleMatingScreen::viewPedigree()
{
    if (m_sires->showsPrompt()) {
        core::tell(QStringLiteral("Please Select a Male Dog From the List"));
        return;
    }
    if (m_dams->showsPrompt()) {
        core::tell(QStringLiteral("Please Select a Female Dog from the List"));
        return;
    }
    buildmatingpedigree(m_sires->text(), m_dams->text());
    Q_EMIT pedigreeBuilt(3);
}

} // namespace pedigree
