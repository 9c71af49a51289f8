#pragma once

#include "TextGroups.h"

#include <array>
#include <atomic>
#include <mutex>

namespace Orvane {

// TextGroups that the threads of a search fill at once: the texts are
// shared out by hash among shards, each with a lock of its own, so that
// telling a million customers apart takes every core instead of waiting
// for one thread.
class SharedTextGroups
{
public:
    static constexpr int kShardBits = 6;
    static constexpr int kShards = 1 << kShardBits;

    // A group: its shard and its number there, packed so that a record's
    // group takes four bytes.
    static quint32 idOf(int shard, quint32 group) { return group << kShardBits | quint32(shard); }
    static int shardOf(quint32 id) { return int(id & (kShards - 1)); }
    static quint32 groupOf(quint32 id) { return id >> kShardBits; }

    // Calls found(shard, group) under the lock of the group's shard, so
    // that what the caller keeps for each group of that shard (indexed by
    // group) is safe to change there; returns the group's id.
    template<typename Found>
    quint32 visit(quint64 hash, QByteArrayView first, QByteArrayView second, Found found)
    {
        const int shard = int(hash >> (64 - kShardBits));
        Shard &s = m_shards[size_t(shard)];
        std::lock_guard<std::mutex> lock(s.mutex);
        const quint32 group = s.groups.groupOf(hash, first, second);
        s.table.store(s.groups.slotTable(), std::memory_order_relaxed);
        s.mask.store(s.groups.slotMask(), std::memory_order_relaxed);
        found(shard, group);
        return idOf(shard, group);
    }
    // Asks the processor to bring near where visit(hash, ...) will look
    // first, without the shard's lock: a few records ahead, it then finds
    // the place at hand instead of waiting for memory (see TextGroups).
    void prefetch(quint64 hash) const
    {
        const Shard &s = m_shards[size_t(hash >> (64 - kShardBits))];
        TextGroups::prefetchIn(s.table.load(std::memory_order_relaxed),
                               s.mask.load(std::memory_order_relaxed), hash);
    }
    // The same for a group of its own; spread chooses its shard.
    template<typename Found>
    quint32 visitAlone(quint64 spread, Found found)
    {
        const int shard = int(spread % kShards);
        Shard &s = m_shards[size_t(shard)];
        std::lock_guard<std::mutex> lock(s.mutex);
        const quint32 group = s.groups.addAlone();
        found(shard, group);
        return idOf(shard, group);
    }

    // Once the threads are done.
    quint32 count(int shard) const { return m_shards[size_t(shard)].groups.count(); }
    qint64 count() const
    {
        qint64 total = 0;
        for (int s = 0; s < kShards; ++s)
            total += count(s);
        return total;
    }

private:
    struct Shard
    {
        std::mutex mutex;
        TextGroups groups;
        // Where groups keeps its table, for prefetch(); possibly of a
        // moment ago, which only makes the hint useless.
        std::atomic<const void *> table{nullptr};
        std::atomic<quint32> mask{0};
    };
    std::array<Shard, kShards> m_shards;
};

} // namespace Orvane
