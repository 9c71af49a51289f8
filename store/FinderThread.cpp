#include "FinderThread.h"

#include <QThread>

namespace Orvane {

// Lives in the worker's thread, so that the finder's connection is made,
// used and closed there.
class FinderThread::Resident : public QObject
{
public:
    explicit Resident(const QString &path) : finder(path) {}
    RecordFinder finder;
};

FinderThread::FinderThread(const QString &databasePath, QObject *parent)
    : QObject(parent)
    , m_latest(std::make_shared<std::atomic<quint64>>(0))
    , m_thread(new QThread(this))
    , m_resident(new Resident(databasePath))
{
    m_thread->setObjectName(QStringLiteral("record finder"));
    m_resident->moveToThread(m_thread);
    connect(m_thread, &QThread::finished, m_resident, &QObject::deleteLater);
    m_thread->start();
}

FinderThread::~FinderThread()
{
    // A running job sees the newer generation and stops.
    ++*m_latest;
    m_thread->quit();
    m_thread->wait();
}

quint64 FinderThread::nextGeneration()
{
    m_running = true;
    return ++*m_latest;
}

void FinderThread::delivered(quint64 generation)
{
    if (isLatest(generation))
        m_running = false;
}

void FinderThread::cancel()
{
    ++*m_latest;
    m_running = false;
}

void FinderThread::dispatch(quint64 generation,
                           std::function<void(RecordFinder &, const std::function<bool()> &)> run)
{
    Resident *resident = m_resident;
    const auto latest = m_latest;
    QMetaObject::invokeMethod(
            resident,
            [resident, latest, generation, run = std::move(run)] {
                const std::function<bool()> stop = [&] { return latest->load() != generation; };
                if (!stop())
                    run(resident->finder, stop);
            },
            Qt::QueuedConnection);
}

} // namespace Orvane
