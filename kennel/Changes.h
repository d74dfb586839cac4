#pragma once

#include <QObject>

namespace kennel {

// What changed in the kennel, told to whoever listens: a write announces what it did here once
// it has landed, and each screen on view that shows it refreshes itself, so that no one has to
// know which screens to call after a write. On the window's thread.
class Changes : public QObject
{
    Q_OBJECT
public:
    static Changes &instance();

Q_SIGNALS:
    void dogDeleted(qint64 dogId);
    void dogsMerged(qint64 kept, qint64 merged);
    void contactDeleted(qint64 contactRow);
    void photosChanged(qint64 dogId);
    // A season's progesterone tests were added, changed or removed.
    void seasonTestsChanged();
    // The pups of a litter were recorded at its whelping.
    void whelpingRecorded();
    void healthTestsChanged();

private:
    Changes() = default;
};

} // namespace kennel
