#include "core/BackgroundTask.h"

namespace core {

BackgroundTask::BackgroundTask(std::function<void()> work, QObject *parent)
    : QObject(parent), m_thread([this, work = std::move(work)] {
          work();
          QMetaObject::invokeMethod(this, &BackgroundTask::joinAndTell, Qt::QueuedConnection);
      })
{
}

BackgroundTask::~BackgroundTask()
{
    wait();
}

void BackgroundTask::wait()
{
    if (m_thread.joinable())
        m_thread.join();
}

void BackgroundTask::joinAndTell()
{
    wait();
    Q_EMIT finished();
}

} // namespace core
