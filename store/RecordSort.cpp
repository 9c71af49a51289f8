#include "RecordSort.h"

#include "BlockWorkers.h"

#include <algorithm>
#include <cstring>

namespace Orvane {

namespace {

// "3/7/2009" as "20090307", which sorts by the calendar.
void appendCalendarOrder(QByteArray &out, QByteArrayView listed)
{
    // Month, day and year as numbers, whatever their digits.
    int parts[3] = {0, 0, 0};
    int part = 0;
    for (char c : listed) {
        if (c == '/' && part < 2)
            ++part;
        else if (c >= '0' && c <= '9')
            parts[part] = parts[part] * 10 + (c - '0');
    }
    const int digits[8] = {parts[2] / 1000 % 10, parts[2] / 100 % 10, parts[2] / 10 % 10,
                           parts[2] % 10,        parts[0] / 10 % 10,  parts[0] % 10,
                           parts[1] / 10 % 10,   parts[1] % 10};
    for (int d : digits)
        out.append(char('0' + d));
}

quint64 headOf(const char *text, qsizetype size, qsizetype from)
{
    quint64 head = 0;
    for (qsizetype i = 0; i < 8; ++i)
        head = (head << 8) | (from + i < size ? quint8(text[from + i]) : 0u);
    return head;
}

} // namespace

RecordSort::RecordSort(int field)
    : m_field(field)
{
}

void RecordSort::reserve(qsizetype records)
{
    m_items.reserve(records);
    m_texts.reserve(records * 24);
}

void RecordSort::add(qint64 key, QByteArrayView folded)
{
    const quint32 at = quint32(m_texts.size());
    if (m_field == 0)
        appendCalendarOrder(m_texts, folded);
    else
        m_texts.append(folded.first(qMin<qsizetype>(folded.size(), kKeptBytes)));
    m_items.append({0, 0, at, quint32(m_texts.size()) - at, key});
}

void RecordSort::take(const RecordSort &part)
{
    const quint32 base = quint32(m_texts.size());
    m_texts.append(part.m_texts);
    for (Item item : part.m_items) {
        item.at += base;
        m_items.append(item);
    }
}

void RecordSort::clear()
{
    m_texts.clear();
    m_items.clear();
}

KeyList RecordSort::sortedKeys(bool descending, BlockWorkers *workers)
{
    const char *texts = m_texts.constData();
    // Texts often share a start ("Customer ..."): the eight bytes compared
    // first are taken after what every text shares, so that most comparisons
    // never reach the texts themselves.
    qsizetype shared = m_items.isEmpty() ? 0 : m_items.first().size;
    if (!m_items.isEmpty()) {
        const char *first = texts + m_items.first().at;
        for (const Item &item : std::as_const(m_items)) {
            const qsizetype limit = qMin<qsizetype>(shared, item.size);
            qsizetype n = 0;
            // Most texts share the whole start found so far: one memcmp.
            if (std::memcmp(texts + item.at, first, size_t(limit)) == 0)
                n = limit;
            else
                while (texts[item.at + n] == first[n])
                    ++n;
            shared = n;
        }
    }
    for (Item &item : m_items) {
        item.head = headOf(texts + item.at, item.size, shared);
        item.next = headOf(texts + item.at, item.size, shared + 8);
    }

    // Texts hold no zero bytes, so two texts that end within the sixteen
    // bytes of their heads are equal exactly when their heads are.
    const qsizetype skip = shared + 16;
    const auto compareTexts = [&](const Item &a, const Item &b) {
        if (a.head != b.head)
            return a.head < b.head ? -1 : 1;
        if (a.next != b.next)
            return a.next < b.next ? -1 : 1;
        if (a.size <= skip || b.size <= skip)
            return a.size == b.size ? 0 : (a.size < b.size ? -1 : 1);
        const qsizetype sa = a.size - skip;
        const qsizetype sb = b.size - skip;
        const int c = std::memcmp(texts + a.at + skip, texts + b.at + skip, qMin(sa, sb));
        if (c != 0)
            return c;
        return sa == sb ? 0 : (sa < sb ? -1 : 1);
    };
    // The items come in key order, and a stable sort keeps that order among
    // equal texts. (std::sort fell back to heap sort on numbered texts
    // such as "North Field 1" .. "North Field 1000000".)
    const auto less = [&](const Item &a, const Item &b) {
        const int c = compareTexts(a, b);
        return descending ? c > 0 : c < 0;
    };
    // Stable throughout: each part keeps the order of addition among equal
    // texts, and a merge takes from the earlier part first on ties.
    const int parts = workers && m_items.size() >= kItemsWorthSharing ? workers->threads() : 1;
    if (parts <= 1) {
        std::stable_sort(m_items.begin(), m_items.end(), less);
    } else {
        const qsizetype n = m_items.size();
        const auto bound = [&](int part) { return m_items.begin() + n * part / parts; };
        workers->run(parts, [&](int part) { std::stable_sort(bound(part), bound(part + 1), less); });
        for (int width = 1; width < parts; width *= 2) {
            const int merges = (parts + 2 * width - 1) / (2 * width);
            workers->run(merges, [&](int m) {
                const int first = 2 * width * m;
                const int middle = std::min(first + width, parts);
                const int last = std::min(first + 2 * width, parts);
                if (middle < last)
                    std::inplace_merge(bound(first), bound(middle), bound(last), less);
            });
        }
    }
    KeyList keys;
    keys.reserve(m_items.size());
    for (const Item &item : std::as_const(m_items))
        keys.append(item.key);
    // Given back now, not kept as room: clear() would keep it.
    m_items = {};
    m_texts = {};
    return keys;
}

} // namespace Orvane
