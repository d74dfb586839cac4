#include "app/KennelCheck.h"

#include "core/BackgroundTask.h"
#include "db/DatabaseFiles.h"
#include "db/RawRows.h"
#include "showcase/Photos.h"

#include <QDir>

namespace app {

KennelCheck::KennelCheck(QObject *parent) : QObject(parent) {}

KennelCheck::~KennelCheck()
{
    *m_cancelled = true;
}

void KennelCheck::start()
{
    if (m_thread)
        return;
    const quint64 opening = db::DatabaseFiles::openings();
    auto problem = std::make_shared<QString>();
    auto missing = std::make_shared<QStringList>();
    m_thread = new core::BackgroundTask(
        [problem, missing, cancelled = m_cancelled, folder = QDir::currentPath(),
         kennel = db::DatabaseFiles::kennel().databaseName()] {
            for (db::File file : {db::File::Kennel, db::File::Report}) {
                *problem =
                    db::DatabaseFiles::checkPages(file, [&cancelled] { return cancelled->load(); });
                if (!problem->isEmpty())
                    return;
            }
            db::withReadOnlyConnection(kennel, [&](QSqlDatabase &db) {
                *missing = showcase::missingPhotos(db, folder).value_or(QStringList());
            });
        },
        this);
    connect(m_thread, &core::BackgroundTask::finished, this, [this, problem, missing, opening] {
        m_thread->deleteLater();
        const bool same = opening == db::DatabaseFiles::openings();
        if (!problem->isEmpty() && same)
            Q_EMIT damaged(*problem);
        else if (!missing->isEmpty() && same)
            Q_EMIT photosMissing(*missing);
        Q_EMIT finished();
    });
}

} // namespace app
