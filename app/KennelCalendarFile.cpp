#include "app/KennelCalendarFile.h"

#include "calendar/ICalendarFile.h"
#include "calendar/KennelCalendar.h"
#include "core/BackgroundTask.h"
#include "core/Clock.h"
#include "core/Messages.h"
#include "db/DatabaseFiles.h"
#include "db/Preferences.h"
#include "db/RawRows.h"
#include "db/Tables.h"
#include "db/WriteCount.h"
#include "kennel/DogRows.h"

#include <QDir>
#include <QFileDialog>
#include <QLocale>
#include <QStatusBar>
#include <QTimer>

namespace app {
namespace {

const QString keptPreference = QStringLiteral("calendar file");

// What the calendar is made of: when none of these changed and the day is the same, the
// file kept current is too.
QString kennelVersion()
{
    const QSqlDatabase kennel = db::DatabaseFiles::kennel();
    QString version =
        core::Clock::today().toString(Qt::ISODate) + QLatin1Char(' ') + kennel::dogsVersion(kennel);
    for (const QString &table : {db::tables::matings, db::tables::vaccinations, db::tables::seasons,
                                 db::tables::progesterone, db::tables::preferences})
        version += QLatin1Char(' ') + db::tableVersion(kennel, table);
    return version;
}

} // namespace

KennelCalendarFile::KennelCalendarFile(QWidget *window, QStatusBar *bar)
    : QObject(window), m_window(window), m_bar(bar), m_watch(new QTimer(this))
{
    m_watch->setInterval(2000);
    connect(m_watch, &QTimer::timeout, this, &KennelCalendarFile::writeKeptFile);
}

void KennelCalendarFile::chooseAndExport()
{
    const QString kept = db::preference(db::DatabaseFiles::kennel(), keptPreference);
    QString file = QFileDialog::getSaveFileName(
        m_window, QStringLiteral("Export Calendar"),
        kept.isEmpty() ? QDir::home().filePath(QStringLiteral("houndry.ics")) : kept,
        QStringLiteral("iCalendar files (*.ics);;All files (*)"));
    if (file.isEmpty())
        return;
    if (!file.endsWith(QStringLiteral(".ics"), Qt::CaseInsensitive) && !QFileInfo::exists(file))
        file += QStringLiteral(".ics");
    exportTo(file);
}

bool KennelCalendarFile::exportTo(const QString &file)
{
    QSqlDatabase kennel = db::DatabaseFiles::kennel();
    QString problem;
    const auto events = calendar::comingEvents(kennel, core::Clock::today(),
                                               calendar::calendarKey(kennel), &problem);
    if (problem.isEmpty())
        problem = calendar::writeICalendar(events, file);
    const QString shown = QDir::toNativeSeparators(file);
    if (!problem.isEmpty()) {
        core::tell(
            QStringLiteral("The calendar could not be written to %1 (%2).").arg(shown, problem));
        return false;
    }
    const bool keep = core::ask(
        QStringLiteral("The calendar has been written to %1 with %2 dates.\n\nKeep this file "
                       "current after every change, for a calendar program that subscribes "
                       "to it?")
            .arg(shown, QLocale().toString(qint64(events.size()))));
    const QString kept = db::preference(kennel, keptPreference);
    if (keep)
        db::setPreference(kennel, keptPreference, file);
    else if (kept == file)
        db::setPreference(kennel, keptPreference, QString());
    m_version = kennelVersion();
    return true;
}

void KennelCalendarFile::keepCurrent()
{
    m_version = kennelVersion();
    m_watch->start();
}

void KennelCalendarFile::writeKeptFile()
{
    const QSqlDatabase kennel = db::DatabaseFiles::kennel();
    if (m_writing || !kennel.isOpen())
        return;
    const QString version = kennelVersion();
    if (version == m_version)
        return;
    const QString file = db::preference(kennel, keptPreference);
    if (file.isEmpty()) {
        m_version = version;
        return;
    }
    auto problem = std::make_shared<QString>();
    m_writing = new core::BackgroundTask(
        [problem, file, kennelFile = kennel.databaseName(), today = core::Clock::today(),
         key = calendar::calendarKey(db::DatabaseFiles::kennel())] {
            const bool read = db::withReadOnlyConnection(kennelFile, [&](QSqlDatabase &k) {
                const auto events = calendar::comingEvents(k, today, key, problem.get());
                if (problem->isEmpty())
                    *problem = calendar::writeICalendar(events, file);
            });
            if (!read)
                *problem = QStringLiteral("the kennel could not be read");
        },
        this);
    connect(m_writing, &core::BackgroundTask::finished, this, [this, problem, file, version] {
        m_writing->deleteLater();
        m_writing = nullptr;
        // A failed write is tried again at the next change; the file keeps what it had.
        m_version = version;
        if (!problem->isEmpty())
            m_bar->showMessage(
                QStringLiteral("The calendar file %1 could not be kept current (%2).")
                    .arg(QDir::toNativeSeparators(file), *problem));
    });
}

} // namespace app
