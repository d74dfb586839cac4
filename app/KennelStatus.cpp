#include "app/KennelStatus.h"

#include "breeding/Seasons.h"
#include "core/BackgroundTask.h"
#include "core/Clock.h"
#include "db/DatabaseFiles.h"
#include "db/NameLists.h"
#include "db/RawRows.h"
#include "db/Tables.h"
#include "db/WriteCount.h"
#include "kennel/DogRows.h"
#include "kennel/Dogs.h"
#include "reminders/MonthLists.h"

#include <QDir>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <utility>

namespace app {

KennelStatus::KennelStatus(QStatusBar *bar)
    : QObject(bar), m_folder(new QLabel), m_counts(new QLabel), m_due(new QPushButton),
      m_watch(new QTimer(this))
{
    m_watch->setInterval(1000);
    connect(m_watch, &QTimer::timeout, this, [this] { refresh(); });
    m_folder->setObjectName(QStringLiteral("kennelFolder"));
    m_counts->setObjectName(QStringLiteral("kennelCounts"));
    m_due->setObjectName(QStringLiteral("dueThisMonth"));
    m_due->setFlat(true);
    m_due->setToolTip(QStringLiteral("Open the list of all that is due this month"));
    connect(m_due, &QPushButton::clicked, this, &KennelStatus::dueListRequested);
    bar->addWidget(m_folder, 1);
    bar->addWidget(m_counts);
    bar->addWidget(m_due);
}

void KennelStatus::followWrites()
{
    m_watch->start();
}

void KennelStatus::refresh(bool now)
{
    const QSqlDatabase kennel = db::DatabaseFiles::kennel();
    // Between closing and opening the files again, as a restore does.
    if (!kennel.isOpen())
        return;
    // Counting what is due reads every dog of a large kennel: only after a write, or when
    // the day has turned. Telling whether there was a write costs next to nothing.
    QString version = core::Clock::today().toString(Qt::ISODate);
    for (const QString &mark : {kennel::dogsVersion(kennel), kennel::contactsVersion(kennel),
                                db::tableVersion(kennel, db::tables::matings),
                                db::tableVersion(kennel, db::tables::vaccinations),
                                db::tableVersion(kennel, db::tables::seasons)}) {
        if (mark.isEmpty()) {
            version.clear();
            break;
        }
        version += QLatin1Char(' ') + mark;
    }
    if (!now && !version.isEmpty() && version == m_version)
        return;
    m_version = version;
    m_folder->setText(
        QDir::toNativeSeparators(QDir::currentPath()) +
        (db::DatabaseFiles::isReadOnly() ? QStringLiteral(" (read-only)") : QString()));
    count();
}

void KennelStatus::count()
{
    if (m_counting) {
        m_countAgain = true;
        return;
    }
    struct Counts
    {
        bool read = false;
        qint64 dogs = 0;
        qint64 contacts = 0;
        reminders::DueCounts due;
    };
    auto counts = std::make_shared<Counts>();
    m_counting = new core::BackgroundTask(
        [counts, file = db::DatabaseFiles::kennel().databaseName(), today = core::Clock::today()] {
            counts->read = db::withReadOnlyConnection(file, [&](QSqlDatabase &kennel) {
                counts->dogs = kennel::dogCount(kennel);
                counts->contacts = kennel::contactCount(kennel);
                counts->due = reminders::dueThisMonth(kennel, today);
                counts->due.seasons = breeding::seasonsExpectedInMonth(kennel, today);
            });
        },
        this);
    connect(m_counting, &core::BackgroundTask::finished, this, [this, counts] {
        m_counting->deleteLater();
        m_counting = nullptr;
        if (counts->read) {
            const QLocale locale;
            m_counts->setText(
                QStringLiteral("%1 dogs, %2 contacts")
                    .arg(locale.toString(counts->dogs), locale.toString(counts->contacts)));
            m_due->setText(reminders::dueSummary(counts->due));
        }
        if (std::exchange(m_countAgain, false))
            count();
    });
}

} // namespace app
