#include "app/KennelCheck.h"

#include "core/BackgroundTask.h"
#include "db/DatabaseFiles.h"

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
    m_thread = new core::BackgroundTask(
        [problem, cancelled = m_cancelled] {
            for (db::File file : {db::File::Kennel, db::File::Report}) {
                *problem =
                    db::DatabaseFiles::checkPages(file, [&cancelled] { return cancelled->load(); });
                if (!problem->isEmpty())
                    return;
            }
        },
        this);
    connect(m_thread, &core::BackgroundTask::finished, this, [this, problem, opening] {
        m_thread->deleteLater();
        if (!problem->isEmpty() && opening == db::DatabaseFiles::openings())
            Q_EMIT damaged(*problem);
        Q_EMIT finished();
    });
}

} // namespace app
