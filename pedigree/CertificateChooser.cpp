#include "pedigree/CertificateChooser.h"

#include "core/Messages.h"
#include "db/DatabaseFiles.h"
#include "db/NameLists.h"
#include "ui/FieldGrid.h"
#include "ui/PickList.h"
#include "ui/SharedNames.h"

#include <QComboBox>
#include <QGridLayout>
#include <QVBoxLayout>

namespace pedigree {

CertificateChooser::CertificateChooser(QWidget *parent)
    : ui::Screen(screenName(), QStringLiteral("Pedigree Certificate"), parent),
      m_dog(ui::pickList(QStringLiteral("dog"))), m_generations(new QComboBox)
{
    m_dog->setPrompt(QStringLiteral("Select a Dog"));
    m_dog->setMinimumContentsLength(32);
    m_generations->setObjectName(QStringLiteral("generations"));
    for (int generations : {3, 4, 5})
        m_generations->addItem(QString::number(generations), generations);
    m_generations->setCurrentIndex(1);
    auto *grid = new QGridLayout;
    ui::addField(grid, 0, 0, QStringLiteral("Dog"), m_dog);
    ui::addField(grid, 1, 0, QStringLiteral("Generations"), m_generations);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    addButtonRow(layout, QStringLiteral("Show Certificate"), QStringLiteral("show"),
                 [this] { request(); });
}

void CertificateChooser::load()
{
    m_dog->setSharedEntries(
        ui::sharedNames(db::DatabaseFiles::kennel(), ui::SharedList::SortedDogs));
    if (!m_pending.isEmpty())
        m_dog->setText(m_pending);
}

void CertificateChooser::choose(const QString &dog)
{
    m_pending = dog;
    if (isLoaded())
        m_dog->setText(dog);
}

void CertificateChooser::request()
{
    if (m_dog->text().isEmpty() || m_dog->showsPrompt()) {
        core::tell(QStringLiteral("Please Select a Dogs Name"));
        return;
    }
    Q_EMIT certificateRequested(m_dog->text(), m_generations->currentData().toInt());
    closeScreen();
}

} // namespace pedigree
