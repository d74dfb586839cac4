#include "app/KennelStatus.h"

#include "core/Clock.h"
#include "db/DatabaseFiles.h"
#include "db/NameLists.h"
#include "db/Tables.h"
#include "db/WriteCount.h"
#include "reminders/MonthLists.h"

#include <QDir>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>

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
    for (const QString &table :
         {db::tables::dogs, db::tables::contacts, db::tables::matings, db::tables::vaccinations}) {
        const QString mark = db::tableVersion(kennel, table);
        if (mark.isEmpty()) {
            version.clear();
            break;
        }
        version += QLatin1Char(' ') + mark;
    }
    if (!now && !version.isEmpty() && version == m_version)
        return;
    m_version = version;
    const QLocale locale;
    m_folder->setText(
        QDir::toNativeSeparators(QDir::currentPath()) +
        (db::DatabaseFiles::isReadOnly() ? QStringLiteral(" (read-only)") : QString()));
    m_counts->setText(QStringLiteral("%1 dogs, %2 contacts")
                          .arg(locale.toString(db::rowCount(kennel, db::tables::dogs)),
                               locale.toString(db::rowCount(kennel, db::tables::contacts))));
    m_due->setText(reminders::dueSummary(reminders::dueThisMonth(kennel, core::Clock::today())));
}

} // namespace app
