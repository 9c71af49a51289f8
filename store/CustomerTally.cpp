#include "CustomerTally.h"

#include "BlockFields.h"
#include "BlockWorkers.h"
#include "RecordFinder.h"
#include "RecordSort.h"
#include "SharedTextGroups.h"

#include <algorithm>
#include <array>
#include <numeric>
#include <vector>

namespace Orvane::CustomerTally {

namespace {

// A field's place in a FindBlock is its place among the record's fields.
constexpr int nameField()
{
    return int(DowsingRecord::FieldId::Name);
}
constexpr int phoneField()
{
    return int(DowsingRecord::FieldId::Phone_No);
}
constexpr int cityField()
{
    return int(DowsingRecord::FieldId::City);
}

// Asks the processor to bring the memory at p near, without waiting for it.
inline void prefetch(const void *p)
{
#if defined(__GNUC__)
    __builtin_prefetch(p);
#else
    (void)p;
#endif
}
// How many records ahead of its turn a customer's row is asked for.
constexpr qsizetype kAhead = 16;

// The keys of a table's customers, in increasing order: a search over every
// record looks at theirs only (the record that stands for each customer).
class Chosen
{
public:
    explicit Chosen(QVector<qint64> keys) : m_keys(std::move(keys)) {}
    // Calls visit(i, key) for each of the found records of block that is
    // chosen, with its place in the block.
    template<typename Visit>
    void forEach(const FindBlock &block, const QVector<qint64> &found, Visit visit) const
    {
        if (found.isEmpty())
            return;
        auto next = std::lower_bound(m_keys.cbegin(), m_keys.cend(), found.first());
        BlockFields::forEachFound(block, found, [&](qsizetype i, qint64 key) {
            while (next != m_keys.cend() && *next < key)
                ++next;
            if (next != m_keys.cend() && *next == key)
                visit(i, key);
        });
    }

private:
    QVector<qint64> m_keys;
};

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
            Record r{fields[m_name], fields[m_phone], 0, key,
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
    const int m_name = nameField();
    const int m_phone = phoneField();
    // The date, the name and the phone number, and those between them.
    static constexpr int kFieldsRead = std::max({0, nameField(), phoneField()}) + 1;
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

// The keys of the records that pass a test, in key order.
class KeysWhere final : public FoundRecords
{
public:
    using Test = std::function<bool(const FindBlock &, qsizetype)>;
    KeysWhere(const Chosen &chosen, Test test) : m_chosen(chosen), m_test(std::move(test)) {}

    void begin(int slotCount) override
    {
        m_slots.assign(size_t(slotCount), {});
        keys.clear();
    }
    void searched(int slot, const FindBlock &block, const QVector<qint64> &found) override
    {
        QVector<qint64> &passed = m_slots[size_t(slot)];
        passed.clear();
        m_chosen.forEach(block, found, [&](qsizetype i, qint64 key) {
            if (m_test(block, i))
                passed.append(key);
        });
    }
    void taken(int slot, const FindBlock &, const QVector<qint64> &) override
    {
        keys.append(m_slots[size_t(slot)]);
    }

    QVector<qint64> keys;

private:
    const Chosen &m_chosen;
    Test m_test;
    std::vector<QVector<qint64>> m_slots;
};

// The given records' keys in the order of one field's text.
class FieldOrder final : public FoundRecords
{
public:
    FieldOrder(const Chosen &chosen, int field) : sort(field), m_chosen(chosen), m_field(field) {}

    RecordSort sort;

    void begin(int slotCount) override
    {
        m_slots.assign(size_t(slotCount), RecordSort(m_field));
        sort = RecordSort(m_field);
    }
    void searched(int slot, const FindBlock &block, const QVector<qint64> &found) override
    {
        RecordSort &part = m_slots[size_t(slot)];
        part.clear();
        m_chosen.forEach(block, found,
                         [&](qsizetype i, qint64 key) { part.add(key, block.field(i, m_field)); });
    }
    void taken(int slot, const FindBlock &, const QVector<qint64> &) override
    {
        sort.take(m_slots[size_t(slot)]);
    }

private:
    const Chosen &m_chosen;
    int m_field;
    std::vector<RecordSort> m_slots;
};

bool contains(QByteArrayView text, const QByteArray &folded)
{
    return std::search(text.begin(), text.end(), folded.begin(), folded.end()) != text.end();
}

// The table's keys in increasing order.
Chosen keysOfTable(const CustomerTable &table)
{
    QVector<qint64> keys;
    keys.reserve(table.size());
    for (qsizetype i = 0; i < table.size(); ++i)
        keys.append(table.keyAt(i));
    std::sort(keys.begin(), keys.end());
    return Chosen(std::move(keys));
}

// Each of keys' place in table.
QVector<quint32> placesOf(const KeyList &keys, const CustomerTable &table)
{
    std::vector<std::pair<qint64, quint32>> byKey(size_t(table.size()));
    for (qsizetype i = 0; i < table.size(); ++i)
        byKey[size_t(i)] = {table.keyAt(i), quint32(i)};
    std::sort(byKey.begin(), byKey.end());
    QVector<quint32> places;
    places.reserve(keys.size());
    for (qsizetype i = 0; i < keys.size(); ++i) {
        const auto at = std::lower_bound(byKey.begin(), byKey.end(),
                                         std::make_pair(keys.at(i), quint32(0)));
        if (at != byKey.end() && at->first == keys.at(i))
            places.append(at->second);
    }
    return places;
}

// The table's places in the order of a column of numbers; ties (and the
// order without a column) by key.
QVector<quint32> numberOrder(const CustomerTable &table, int column, bool descending)
{
    struct Item
    {
        qint64 value;
        qint64 key;
        quint32 place;
    };
    std::vector<Item> items(size_t(table.size()));
    for (qsizetype i = 0; i < table.size(); ++i) {
        const CustomerTable::Row row = table.rowAt(i);
        const qint64 value = column == Records ? row.records
                : column == FirstDate          ? row.firstDay
                : column == LastDate           ? row.lastDay
                                               : 0;
        // ~ reverses the order without overflowing, also for kNoDay.
        items[size_t(i)] = {descending ? ~value : value, row.key, quint32(i)};
    }
    std::sort(items.begin(), items.end(), [](const Item &a, const Item &b) {
        return a.value != b.value ? a.value < b.value : a.key < b.key;
    });
    QVector<quint32> order;
    order.reserve(table.size());
    for (const Item &item : items)
        order.append(item.place);
    return order;
}

} // namespace

CustomerView build(RecordFinder &finder, const std::function<bool()> &stop)
{
    Build tally;
    const FindResult result = finder.run(FindRequest(), stop, tally);
    CustomerView view;
    view.error = result.error;
    view.stopped = result.stopped;
    if (view.error.isEmpty() && !view.stopped)
        view.table = std::make_shared<const CustomerTable>(tally.table());
    return view;
}

CustomerView arrange(RecordFinder &finder, const std::shared_ptr<const CustomerTable> &table,
                     const CustomerRequest &request, const std::function<bool()> &stop)
{
    CustomerView view;
    const auto failed = [&](const FindResult &result) {
        view.error = result.error;
        view.stopped = result.stopped;
        if (view.error.isEmpty() && !view.stopped)
            return false;
        view.table.reset();
        return true;
    };
    const int column = request.sortColumn;
    if (column == Name || column == Phone || column == City) {
        const int field = column == Name ? nameField() : column == Phone ? phoneField() : cityField();
        const Chosen chosen = keysOfTable(*table);
        FieldOrder tally(chosen, field);
        if (failed(finder.run(FindRequest(), stop, tally)))
            return view;
        BlockWorkers workers(BlockWorkers::helpersForThisMachine());
        const KeyList sorted = tally.sort.sortedKeys(request.descending, &workers);
        view.table = std::make_shared<const CustomerTable>(table->reordered(placesOf(sorted, *table)));
    } else {
        view.table = std::make_shared<const CustomerTable>(
                table->reordered(numberOrder(*table, column, column >= 0 && request.descending)));
    }
    if (stop()) {
        view.stopped = true;
        view.table.reset();
        return view;
    }
    if (request.text.isEmpty())
        return view;

    const QByteArray folded = FindBlock::foldedQuery(request.text);
    const int fields[] = {nameField(), phoneField(), cityField()};
    const Chosen chosen = keysOfTable(*view.table);
    KeysWhere tally(chosen, [&](const FindBlock &block, qsizetype i) {
        for (int f : fields) {
            if (contains(block.field(i, f), folded))
                return true;
        }
        return false;
    });
    if (failed(finder.run(FindRequest(), stop, tally)))
        return view;
    QVector<quint32> found;
    for (qsizetype i = 0; i < view.table->size(); ++i) {
        if (std::binary_search(tally.keys.cbegin(), tally.keys.cend(), view.table->keyAt(i)))
            found.append(quint32(i));
    }
    view.found = std::move(found);
    return view;
}

} // namespace Orvane::CustomerTally
