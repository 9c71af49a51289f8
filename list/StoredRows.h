#pragma once

#include "store/DowsingRecord.h"

#include <QCache>

#include <optional>

namespace Orvane {

class RecordStore;

// The records a grid shows, read by key from the store and kept for the
// rows scrolled past most lately, so that a repaint reads nothing again.
class StoredRows
{
public:
    // The rows kept: a few screens' worth.
    static constexpr int kCachedRows = 512;

    explicit StoredRows(RecordStore &store);

    // The record with the key; nullopt when there is none or the read
    // failed (the store's errorText() tells which). A failed read is not
    // kept: the next look may succeed.
    std::optional<DowsingRecord> record(qint64 key);
    // The key was read and found to hold no record.
    bool isKnownGone(qint64 key) const;
    void clear() { m_rows.clear(); }

private:
    RecordStore &m_store;
    QCache<qint64, std::optional<DowsingRecord>> m_rows;
};

} // namespace Orvane
