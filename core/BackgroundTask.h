#pragma once

#include <functional>
#include <thread>

#include <QObject>

namespace core {

// Work on a thread of its own, whose end its owner hears of on the owner's thread. The
// thread is joined before `finished`, so what the work wrote is the owner's to read from
// then on, and tools that watch threads see that hand-over too (Qt's own event queue
// hides it from them). Deleting the task waits for the work: a parent that goes away never
// leaves it running.
class BackgroundTask : public QObject
{
    Q_OBJECT
public:
    // The work starts at once; `finished` comes from the event loop, so a connection made
    // right after this is in time for it.
    BackgroundTask(std::function<void()> work, QObject *parent = nullptr);
    ~BackgroundTask() override;

    // Blocks until the work has returned; `finished` still follows from the event loop.
    void wait();

Q_SIGNALS:
    void finished();

private:
    void joinAndTell();

    std::thread m_thread;
};

} // namespace core
