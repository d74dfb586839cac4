#include "app/DamageCheck.h"

#include "db/DatabaseFiles.h"

#include <memory>
#include <QThread>

namespace app {

DamageCheck::DamageCheck(QObject *parent) : QObject(parent) {}

DamageCheck::~DamageCheck()
{
    if (!m_thread)
        return;
    m_thread->disconnect(this);
    m_thread->wait();
    delete m_thread;
}

void DamageCheck::start()
{
    if (m_thread)
        return;
    auto problem = std::make_shared<QString>();
    m_thread = QThread::create([problem] { *problem = db::DatabaseFiles::findDamage(); });
    connect(m_thread, &QThread::finished, this, [this, problem] {
        m_thread->deleteLater();
        m_thread = nullptr;
        if (!problem->isEmpty())
            Q_EMIT damaged(*problem);
    });
    m_thread->start(QThread::LowPriority);
}

} // namespace app
