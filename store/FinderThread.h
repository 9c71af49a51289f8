#pragma once

#include "RecordFinder.h"

#include <QObject>
#include <QPointer>

#include <atomic>
#include <functional>
#include <memory>

class QThread;

namespace Orvane {

// Runs work over the records (the list's finds and sorts, the counts of
// customers and statistics) on a thread of its own, one at a time, through
// one RecordFinder that is made, used and closed on that thread, so that a
// window's thread never waits for a million records. Each post()
// supersedes every earlier one: a job still running is told to stop (its
// stop() answers true), one still waiting is skipped, and a result that
// comes back after a newer post() is dropped.
class FinderThread : public QObject
{
public:
    explicit FinderThread(const QString &databasePath, QObject *parent = nullptr);
    // Stops the running job and waits for the thread to end.
    ~FinderThread() override;

    // Runs job(finder, stop) on the worker's thread and hands its result to
    // done on this object's thread, unless it was superseded first.
    template<typename Result>
    void post(std::function<Result(RecordFinder &, const std::function<bool()> &)> job,
              std::function<void(Result)> done);
    // Drops whatever was asked: no done() follows until the next post().
    void cancel();
    // A job is posted and its result not yet delivered.
    bool isRunning() const { return m_running; }

private:
    class Resident;
    // Runs run(finder) on the worker's thread for the generation given.
    void dispatch(quint64 generation,
                  std::function<void(RecordFinder &, const std::function<bool()> &)> run);
    quint64 nextGeneration();
    bool isLatest(quint64 generation) const { return m_latest->load() == generation; }
    void delivered(quint64 generation);

    std::shared_ptr<std::atomic<quint64>> m_latest;
    QThread *m_thread = nullptr;
    Resident *m_resident = nullptr;
    bool m_running = false;
};

template<typename Result>
void FinderThread::post(std::function<Result(RecordFinder &, const std::function<bool()> &)> job,
                       std::function<void(Result)> done)
{
    const quint64 generation = nextGeneration();
    const QPointer<FinderThread> self(this);
    dispatch(generation, [self, generation, job = std::move(job),
                          done = std::move(done)](RecordFinder &finder,
                                                  const std::function<bool()> &stop) {
        Result result = job(finder, stop);
        if (stop())
            return;
        // Back on the window's thread; a worker gone meanwhile takes the
        // call with it.
        QMetaObject::invokeMethod(
                self.data(),
                [self, generation, done, result = std::move(result)]() mutable {
                    if (!self || !self->isLatest(generation))
                        return;
                    self->delivered(generation);
                    done(std::move(result));
                },
                Qt::QueuedConnection);
    });
}

} // namespace Orvane
