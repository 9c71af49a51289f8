#include "StoredRows.h"

#include "store/RecordStore.h"

namespace Orvane {

StoredRows::StoredRows(RecordStore &store)
    : m_store(store)
    , m_rows(kCachedRows)
{
}

std::optional<DowsingRecord> StoredRows::record(qint64 key)
{
    if (const auto *cached = m_rows.object(key))
        return *cached;
    auto found = m_store.find(key);
    if (found || m_store.errorText().isEmpty())
        m_rows.insert(key, new std::optional<DowsingRecord>(found));
    return found;
}

bool StoredRows::isKnownGone(qint64 key) const
{
    const auto *cached = m_rows.object(key);
    return cached && !cached->has_value();
}

} // namespace Orvane
