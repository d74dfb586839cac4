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

namespace app {

KennelStatus::KennelStatus(QStatusBar *bar)
    : QObject(bar), m_folder(new QLabel), m_counts(new QLabel), m_due(new QPushButton)
{
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

void KennelStatus::refresh(bool now)
{
    if (!now && m_since.isValid() && m_since.elapsed() < 2000)
        return;
    m_since.start();
    const QSqlDatabase kennel = db::DatabaseFiles::kennel();
    // Counting what is due reads every dog of a large kennel: only after a write, or when
    // the month may have turned.
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
    m_folder->setText(QDir::toNativeSeparators(QDir::currentPath()));
    m_counts->setText(QStringLiteral("%1 dogs, %2 contacts")
                          .arg(locale.toString(db::rowCount(kennel, db::tables::dogs)),
                               locale.toString(db::rowCount(kennel, db::tables::contacts))));
    m_due->setText(reminders::dueSummary(reminders::dueThisMonth(kennel, core::Clock::today())));
}

} // namespace app
