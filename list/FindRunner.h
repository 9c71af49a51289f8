#pragma once

#include "store/RecordFinder.h"

#include <QObject>

#include <memory>

namespace Orvane {

class FinderThread;

// Runs the list's searches on a FinderThread, one at a time, through the
// RecordFinder that lives in that thread. Each post() supersedes every
// earlier one: a search still running is told to stop, one still waiting is
// skipped, and a result that comes back after a newer post() is dropped, so
// that done() only ever carries the result of the latest request.
class FindRunner : public QObject
{
    Q_OBJECT

public:
    explicit FindRunner(const QString &databasePath, QObject *parent = nullptr);
    // Stops the running search and waits for the thread to end.
    ~FindRunner() override;

    // Asks for a search; returns at once. listed: the summary of the keys
    // the list holds, which the find index is checked against.
    void post(const FindRequest &request, const KeySummary &listed);
    // Drops whatever was asked: no done() follows until the next post().
    void cancel();
    // A request is posted and its result not yet delivered.
    bool isRunning() const;

signals:
    void done(const Orvane::FindResult &result);

private:
    std::unique_ptr<FinderThread> m_thread;
};

} // namespace Orvane
