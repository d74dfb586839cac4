#include "app/KennelCheck.h"

#include "db/DatabaseFiles.h"

#include <QThread>

namespace app {

KennelCheck::KennelCheck(QObject *parent) : QObject(parent) {}

KennelCheck::~KennelCheck()
{
    *m_cancelled = true;
    if (m_thread) {
        m_thread->wait();
        delete m_thread.data();
    }
}

void KennelCheck::start()
{
    if (m_thread)
        return;
    const quint64 opening = db::DatabaseFiles::openings();
    auto problem = std::make_shared<QString>();
    m_thread = QThread::create([problem, cancelled = m_cancelled] {
        for (db::File file : {db::File::Kennel, db::File::Report}) {
            *problem =
                db::DatabaseFiles::checkPages(file, [&cancelled] { return cancelled->load(); });
            if (!problem->isEmpty())
                return;
        }
    });
    connect(m_thread, &QThread::finished, this, [this, problem, opening] {
        m_thread->deleteLater();
        if (!problem->isEmpty() && opening == db::DatabaseFiles::openings())
            Q_EMIT damaged(*problem);
        Q_EMIT finished();
    });
    m_thread->start(QThread::LowPriority);
}

} // namespace app
