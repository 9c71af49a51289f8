#include "CustomerTally.h"

#include "BlockFields.h"
#include "Prefetch.h"
#include "RecordFinder.h"
#include "SharedTextGroups.h"

#include <algorithm>
#include <array>
#include <vector>

namespace Orvane::CustomerTally {

namespace {

// How many records ahead of its turn a customer's row is asked for.
constexpr qsizetype kAhead = 16;

// Every record's customer, told apart on the threads that searched the
// blocks, each customer's figures kept under the lock of its shard.
class Build final : public FoundRecords
{
public:
    void begin(int slotCount) override
    {
        m_slots.assign(size_t(slotCount), {});
        m_groups = std::make_unique<SharedTextGroups>();
        for (std::vector<Customer> &rows : m_rows)
            rows.clear();
        m_customerOfRecord.clear();
    }

    void searched(int slot, const FindBlock &block, const QVector<qint64> &found) override
    {
        Slot &s = m_slots[size_t(slot)];
        s.ids.clear();
        s.records.clear();
        QByteArrayView fields[FindBlock::kFieldCount];
        BlockFields::forEachFound(block, found, [&](qsizetype i, qint64 key) {
            block.fields(i, fields, kFieldsRead);
            Record r{fields[CustomerId::kNameField], fields[CustomerId::kPhoneField], 0, key,
                     BlockFields::dateNumberOf(fields[0])};
            if (!CustomerId::standsAlone(r.name, r.phone))
                r.hash = TextGroups::hashOf(r.name, r.phone);
            s.records.push_back(r);
        });
        for (size_t i = 0; i < s.records.size(); ++i) {
            if (i + size_t(kAhead) < s.records.size())
                m_groups->prefetch(s.records[i + kAhead].hash);
            const Record &r = s.records[i];
            const auto count = [&](int shard, quint32 group) {
                std::vector<Customer> &rows = m_rows[size_t(shard)];
                if (group == rows.size())
                    rows.emplace_back();
                Customer &c = rows[group];
                // Blocks are searched in any order: the latest record has
                // the greatest key.
                c.key = c.records == 0 ? r.key : std::max(c.key, r.key);
                ++c.records;
                if (r.date) {
                    c.first = c.first ? std::min(c.first, r.date) : r.date;
                    c.last = std::max(c.last, r.date);
                }
            };
            s.ids.append(CustomerId::standsAlone(r.name, r.phone)
                                 ? m_groups->visitAlone(quint64(r.key), count)
                                 : m_groups->visit(r.hash, r.name, r.phone, count));
        }
    }

    void taken(int slot, const FindBlock &, const QVector<qint64> &) override
    {
        m_customerOfRecord.append(m_slots[size_t(slot)].ids);
    }

    // The customers in the order in which their latest records were added:
    // walking the records backwards, each customer is met first at its
    // latest record.
    CustomerTable table()
    {
        m_groups.reset();
        std::array<qint64, SharedTextGroups::kShards> base{};
        qint64 total = 0;
        for (int s = 0; s < SharedTextGroups::kShards; ++s) {
            base[size_t(s)] = total;
            total += qint64(m_rows[size_t(s)].size());
        }
        std::vector<bool> met(static_cast<size_t>(total));
        QVector<CustomerTable::Row> ordered;
        ordered.reserve(total);
        const auto dayOf = [](int date) {
            return date ? BlockFields::julianDayOfNumber(date) : CustomerTable::kNoDay;
        };
        const auto rowOf = [&](quint32 id) -> const Customer & {
            return m_rows[size_t(SharedTextGroups::shardOf(id))][SharedTextGroups::groupOf(id)];
        };
        for (qsizetype r = m_customerOfRecord.size() - 1; r >= 0; --r) {
            // The customers lie all over memory: asked for ahead, a row is
            // at hand when its turn comes (70 ms to 25 ms for a million).
            if (r >= kAhead)
                prefetch(&rowOf(m_customerOfRecord.at(r - kAhead)));
            const quint32 id = m_customerOfRecord.at(r);
            const int shard = SharedTextGroups::shardOf(id);
            const quint32 group = SharedTextGroups::groupOf(id);
            const size_t flat = size_t(base[size_t(shard)] + group);
            if (!met[flat]) {
                met[flat] = true;
                const Customer &c = m_rows[size_t(shard)][group];
                ordered.append({c.key, c.records, dayOf(c.first), dayOf(c.last)});
            }
        }
        for (std::vector<Customer> &rows : m_rows)
            rows = {};
        m_customerOfRecord = {};
        std::reverse(ordered.begin(), ordered.end());
        return CustomerTable(ordered);
    }

private:
    struct Customer
    {
        qint64 key = 0;
        quint32 records = 0;
        int first = 0; // yyyymmdd, 0 for none
        int last = 0;
    };
    // The date, the name and the phone number, and those between them.
    static constexpr int kFieldsRead =
            std::max({0, CustomerId::kNameField, CustomerId::kPhoneField}) + 1;
    // A record found in a slot's block, read before its customer is
    // looked up, so that the lookups can be asked for ahead.
    struct Record
    {
        QByteArrayView name;
        QByteArrayView phone;
        quint64 hash = 0; // none for a customer of its own
        qint64 key = 0;
        int date = 0;
    };
    struct Slot
    {
        std::vector<Record> records;
        // The group of each record found in the block.
        QVector<quint32> ids;
    };
    std::vector<Slot> m_slots;
    std::unique_ptr<SharedTextGroups> m_groups;
    std::array<std::vector<Customer>, SharedTextGroups::kShards> m_rows;
    QVector<quint32> m_customerOfRecord;
};
} // namespace

CustomerView build(RecordFinder &finder, const std::function<bool()> &stop)
{
    Build tally;
    const FindResult result = finder.run(FindRequest(), stop, tally);
    CustomerView view;
    view.error = result.error;
    view.stopped = result.stopped;
    view.fileVersion = result.fileVersion;
    if (view.error.isEmpty() && !view.stopped)
        view.table = std::make_shared<const CustomerTable>(tally.table());
    return view;
}

} // namespace Orvane::CustomerTally
