#include "RecordStatistics.h"

#include "BlockFields.h"
#include "RecordFinder.h"
#include "SharedTextGroups.h"
#include "TextGroups.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace Orvane {

namespace {

// Months of years 1 to 9999, the dates a record can hold.
constexpr int kYears = 9999;

int monthOf(int date)
{
    return (date / 10000 - 1) * 12 + date / 100 % 100 - 1;
}

// A field's value in one block, and how many of the block's records hold it.
struct BlockValue
{
    QByteArrayView folded;
    quint64 hash = 0;
    qint64 records = 0;
    qint64 key = 0;
};

// The records of each value of one field.
struct Values
{
    TextGroups groups;
    QVector<RecordStatistics::Share> shares;

    void add(const BlockValue &value)
    {
        const quint32 group = groups.groupOf(value.hash, value.folded);
        if (group == quint32(shares.size()))
            shares.append({value.folded.toByteArray(), 0, value.key});
        shares[group].records += value.records;
    }

    // The value with most records first, at most limit of them.
    QVector<RecordStatistics::Share> ranked(qsizetype limit = -1)
    {
        QVector<RecordStatistics::Share> out = std::move(shares);
        std::sort(out.begin(), out.end(), [](const auto &a, const auto &b) {
            return a.records != b.records ? a.records > b.records : a.folded < b.folded;
        });
        if (limit >= 0 && out.size() > limit)
            out.resize(limit);
        return out;
    }
};

// Tool, item and city.
constexpr int kCounted = 3;
// How many customers ahead of their turn their places in the table of
// customers are asked for.
constexpr size_t kAhead = 8;

class Tally final : public FoundRecords
{
public:
    void begin(int slotCount) override
    {
        m_slots.assign(size_t(slotCount), {});
        m_customers = std::make_unique<SharedTextGroups>();
        m_alone = 0;
        for (Values &values : m_values)
            values = {};
        m_months.assign(size_t(kYears) * 12, 0);
        stats = {};
        m_first = m_last = 0;
    }

    void searched(int slot, const FindBlock &block, const QVector<qint64> &found) override
    {
        Slot &s = m_slots[size_t(slot)];
        s.customers.clear();
        s.dates.clear();
        s.records = 0;
        s.alone = 0;
        for (auto &values : s.values)
            values.clear();
        QByteArrayView fields[FindBlock::kFieldCount];
        BlockFields::forEachFound(block, found, [&](qsizetype i, qint64 key) {
            block.fields(i, fields, kFieldsRead);
            const Customer c{fields[m_name], fields[m_phone], 0};
            if (CustomerId::standsAlone(c.name, c.phone))
                ++s.alone;
            else
                s.customers.push_back({c.name, c.phone, TextGroups::hashOf(c.name, c.phone)});
            s.dates.push_back(BlockFields::dateNumberOf(fields[0]));
            ++s.records;
            // A block's records share few values: each is counted here, on
            // the block's own thread, and looked up once for the block.
            for (int f = 0; f < kCounted; ++f) {
                const QByteArrayView text = fields[m_fields[f]];
                std::vector<BlockValue> &values = s.values[f];
                auto at = std::find_if(values.begin(), values.end(),
                                       [&](const BlockValue &v) { return v.folded == text; });
                if (at == values.end())
                    at = values.insert(values.end(), {text, TextGroups::hashOf(text), 0, key});
                ++at->records;
            }
        });
        // Every customer is told apart here, on the block's own thread,
        // under the lock of the customer's shard alone.
        const auto none = [](int, quint32) {};
        for (size_t i = 0; i < s.customers.size(); ++i) {
            if (i + kAhead < s.customers.size())
                m_customers->prefetch(s.customers[i + kAhead].hash);
            const Customer &c = s.customers[i];
            m_customers->visit(c.hash, c.name, c.phone, none);
        }
        s.customers.clear();
    }

    void taken(int slot, const FindBlock &, const QVector<qint64> &) override
    {
        const Slot &s = m_slots[size_t(slot)];
        stats.records += s.records;
        // A record without a name or phone number is a customer of its own.
        m_alone += s.alone;
        for (int f = 0; f < kCounted; ++f) {
            for (const BlockValue &value : s.values[f])
                m_values[f].add(value);
        }
        for (int date : s.dates) {
            if (!date) {
                ++stats.undated;
                continue;
            }
            ++m_months[size_t(monthOf(date))];
            m_first = m_first ? std::min(m_first, date) : date;
            m_last = std::max(m_last, date);
        }
    }

    RecordStatistics finish()
    {
        stats.customers = m_customers->count() + m_alone;
        m_customers.reset();
        if (m_first) {
            stats.firstDate = BlockFields::dateOfNumber(m_first);
            stats.lastDate = BlockFields::dateOfNumber(m_last);
            const auto from = m_months.begin() + monthOf(m_first);
            const auto to = m_months.begin() + monthOf(m_last) + 1;
            stats.perMonth = QVector<qint64>(from, to);
        }
        m_months = {};
        stats.tools = m_values[0].ranked();
        stats.items = m_values[1].ranked();
        stats.cities = m_values[2].ranked(RecordStatistics::kTopCities);
        return std::move(stats);
    }

    RecordStatistics stats;

private:
    struct Customer
    {
        QByteArrayView name;
        QByteArrayView phone;
        quint64 hash = 0;
    };
    struct Slot
    {
        std::vector<Customer> customers;
        std::vector<int> dates; // yyyymmdd, 0 for none
        std::vector<BlockValue> values[kCounted];
        qint64 records = 0;
        qint64 alone = 0;
    };
    // A field's place in a FindBlock is its place among the record's fields.
    static constexpr int m_name = CustomerId::kNameField;
    static constexpr int m_phone = CustomerId::kPhoneField;
    static constexpr int m_fields[kCounted] = {int(DowsingRecord::FieldId::Dowsing_Tool),
                                               int(DowsingRecord::FieldId::Item_Dowsing_For),
                                               int(DowsingRecord::FieldId::City)};
    // The fields counted, and those before them: the walk over a record
    // stops there.
    static constexpr int kFieldsRead =
            std::max({m_name, m_phone, m_fields[0], m_fields[1], m_fields[2]}) + 1;
    std::vector<Slot> m_slots;
    // Customers told apart by name and phone number, and those of their own.
    std::unique_ptr<SharedTextGroups> m_customers;
    qint64 m_alone = 0;
    Values m_values[kCounted];
    std::vector<qint64> m_months;
    int m_first = 0;
    int m_last = 0;
};

} // namespace

RecordStatistics RecordStatistics::tally(RecordFinder &finder, const FindRequest &request,
                                         const std::function<bool()> &stop)
{
    Tally tally;
    FindRequest found = request;
    found.sortBy.reset();
    found.descending = false;
    const FindResult result = finder.run(found, stop, tally);
    RecordStatistics stats;
    if (result.error.isEmpty() && !result.stopped)
        stats = tally.finish();
    stats.error = result.error;
    stats.stopped = result.stopped;
    return stats;
}

} // namespace Orvane
