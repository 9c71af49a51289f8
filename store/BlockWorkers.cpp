#include "BlockWorkers.h"

#include <QThread>

#include <algorithm>

namespace Orvane {

BlockWorkers::BlockWorkers(int helpers)
{
    for (int i = 0; i < helpers; ++i)
        m_threads.emplace_back([this] { serve(); });
}

BlockWorkers::~BlockWorkers()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_quit = true;
    }
    m_wake.notify_all();
    for (std::thread &thread : m_threads)
        thread.join();
}

int BlockWorkers::helpersForThisMachine()
{
    return std::max(0, QThread::idealThreadCount() - 1);
}

void BlockWorkers::run(int count, const std::function<void(int)> &work)
{
    begin(count, work);
    finish();
}

void BlockWorkers::begin(int count, const std::function<void(int)> &work)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_work = &work;
        m_count = std::max(count, 0);
        m_next = 0;
        m_finished = 0;
        ++m_batch;
    }
    m_wake.notify_all();
}

void BlockWorkers::finish()
{
    takeItems();
    std::unique_lock<std::mutex> lock(m_mutex);
    // Every item done, and no helper still holding the batch's work.
    m_done.wait(lock, [this] { return m_finished == m_count && m_busyHelpers == 0; });
    m_work = nullptr;
}

void BlockWorkers::takeItems()
{
    for (;;) {
        int item;
        const std::function<void(int)> *work;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            if (m_next >= m_count)
                return;
            item = m_next++;
            work = m_work;
        }
        (*work)(item);
        bool last;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            last = ++m_finished == m_count;
        }
        if (last)
            m_done.notify_all();
    }
}

void BlockWorkers::serve()
{
    unsigned seen = 0;
    for (;;) {
        {
            std::unique_lock<std::mutex> lock(m_mutex);
            m_wake.wait(lock, [&] { return m_quit || (m_batch != seen && m_work); });
            if (m_quit)
                return;
            seen = m_batch;
            ++m_busyHelpers;
        }
        takeItems();
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            --m_busyHelpers;
        }
        m_done.notify_all();
    }
}

} // namespace Orvane
