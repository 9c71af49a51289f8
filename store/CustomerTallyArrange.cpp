#include "CustomerTally.h"

#include "BlockFields.h"
#include "BlockWorkers.h"
#include "RecordFinder.h"
#include "RecordSort.h"

#include <algorithm>
#include <vector>

// The customers sorted by a column and found by a text: each a search over
// the records that stand for the customers (their latest).
namespace Orvane::CustomerTally {

namespace {

constexpr int kCityField = int(DowsingRecord::FieldId::City);

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

// The customers of table, counted at the file's version countedAt, sorted
// and found as asked. When outdated is given, the arrangement ends early
// with it set if the file is found at another version: the records read
// may no longer be the customers' latest.
CustomerView arrangeTable(RecordFinder &finder, const std::shared_ptr<const CustomerTable> &table,
                          qint64 countedAt, const CustomerRequest &request,
                          const std::function<bool()> &stop, bool *outdated)
{
    CustomerView view;
    const auto changed = [&](qint64 version) {
        if (!outdated || version == countedAt)
            return false;
        *outdated = true;
        return true;
    };
    const auto failed = [&](const FindResult &result) {
        view.error = result.error;
        view.stopped = result.stopped;
        if (view.error.isEmpty() && !view.stopped && !changed(result.fileVersion))
            return false;
        view.table.reset();
        return true;
    };
    // A sort by a number reads nothing: the file is asked whether the count
    // still holds.
    const qint64 now = finder.fileVersion(view.error);
    if (!view.error.isEmpty() || changed(now))
        return view;
    const int column = request.sortColumn;
    if (column == Name || column == Phone || column == City) {
        const int field = column == Name ? CustomerId::kNameField : column == Phone ? CustomerId::kPhoneField : kCityField;
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
    const int fields[] = {CustomerId::kNameField, CustomerId::kPhoneField, kCityField};
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

} // namespace

CustomerView arrange(RecordFinder &finder, const CustomerView &counted,
                     const CustomerRequest &request, const std::function<bool()> &stop)
{
    // While another program writes all the time, the third count is shown
    // as it stands rather than counted again and again.
    constexpr int kRecounts = 2;
    std::shared_ptr<const CustomerTable> table = counted.table;
    qint64 countedAt = counted.fileVersion;
    for (int recount = 0;; ++recount) {
        bool outdated = false;
        CustomerView view = arrangeTable(finder, table, countedAt, request, stop,
                                         recount < kRecounts ? &outdated : nullptr);
        if (!outdated) {
            view.fileVersion = countedAt;
            return view;
        }
        CustomerView fresh = build(finder, stop);
        if (!fresh.error.isEmpty() || fresh.stopped)
            return fresh;
        table = std::move(fresh.table);
        countedAt = fresh.fileVersion;
    }
}

} // namespace Orvane::CustomerTally
