#include "FindRunner.h"

#include <QThread>

namespace Orvane {

// Lives in the runner's thread, so that the finder's connection is made,
// used and closed there.
class FindRunner::Worker : public QObject
{
public:
    explicit Worker(const QString &path) : finder(path) {}
    RecordFinder finder;
};

FindRunner::FindRunner(const QString &databasePath, QObject *parent)
    : QObject(parent)
    , m_latest(std::make_shared<std::atomic<quint64>>(0))
    , m_thread(new QThread(this))
    , m_worker(new Worker(databasePath))
{
    m_thread->setObjectName(QStringLiteral("record finder"));
    m_worker->moveToThread(m_thread);
    // The worker, and the finder's connection with it, go in its thread.
    connect(m_thread, &QThread::finished, m_worker, &QObject::deleteLater);
    m_thread->start();
}

FindRunner::~FindRunner()
{
    // A running search sees the newer generation and stops.
    ++*m_latest;
    m_thread->quit();
    m_thread->wait();
}

void FindRunner::post(const FindRequest &request, const KeySummary &listed)
{
    const quint64 generation = ++*m_latest;
    m_running = true;
    Worker *worker = m_worker;
    const auto latest = m_latest;
    QMetaObject::invokeMethod(
            worker,
            [this, worker, latest, generation, request, listed] {
                const auto stale = [&] { return latest->load() != generation; };
                if (stale())
                    return;
                FindResult result = worker->finder.run(request, stale, listed);
                if (result.stopped || stale())
                    return;
                // The runner outlives this call: its destructor waits for
                // the thread. A call still queued when it goes is dropped
                // with it.
                QMetaObject::invokeMethod(
                        this,
                        [this, generation, result = std::move(result)] {
                            if (m_latest->load() != generation)
                                return;
                            m_running = false;
                            emit done(result);
                        },
                        Qt::QueuedConnection);
            },
            Qt::QueuedConnection);
}

void FindRunner::cancel()
{
    ++*m_latest;
    m_running = false;
}

} // namespace Orvane
