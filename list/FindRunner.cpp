#include "FindRunner.h"

#include "store/FinderThread.h"

namespace Orvane {

FindRunner::FindRunner(const QString &databasePath, QObject *parent)
    : QObject(parent)
    , m_thread(std::make_unique<FinderThread>(databasePath))
{
}

FindRunner::~FindRunner() = default;

void FindRunner::post(const FindRequest &request, const KeySummary &listed)
{
    m_thread->post<FindResult>(
            [request, listed](RecordFinder &finder, const std::function<bool()> &stop) {
                return finder.run(request, stop, listed);
            },
            [this](FindResult result) { emit done(result); });
}

void FindRunner::cancel()
{
    m_thread->cancel();
}

bool FindRunner::isRunning() const
{
    return m_thread->isRunning();
}

} // namespace Orvane
