#pragma once

#include "DowsingRecord.h"
#include "TextSearch.h"
#include "KeySummary.h"

#include <QByteArray>
#include <QStringView>
#include <QVector>

#include <limits>

namespace Orvane {


// The text of up to 256 records whose keys share all but their lowest eight
// bits, as the finder searches it: every field that can be found (the date
// as the list shows it, then Name to Notes, in the list's order) folded to
// one case, as UTF-8, each field ended by a zero byte. A search is then one
// byte search over the block: a folded text without zero bytes can only
// match inside one field, and a match at a byte never starts inside a
// character.
//
// Kept in the database compressed (see FindIndex), so that a search reads a
// fraction of what the table holds.
class FindBlock
{
public:
    static constexpr int kKeyBits = 8;
    static constexpr int kFieldCount = DowsingRecord::kStoredFields;

    // The block of a key: its key shifted right, rounding down for keys
    // below zero as the engine's >> does in the index's triggers.
    static qint64 blockOf(qint64 key) { return key >> kKeyBits; }
    // The blocks that keys of 64 bits fall in; a number outside them (in a
    // file another program wrote) names no key at all.
    static constexpr qint64 kFirstBlock = std::numeric_limits<qint64>::min() >> kKeyBits;
    static constexpr qint64 kLastBlock = std::numeric_limits<qint64>::max() >> kKeyBits;
    static bool isBlock(qint64 block) { return block >= kFirstBlock && block <= kLastBlock; }
    // The least and the greatest key of a block (isBlock()).
    static qint64 firstKeyOf(qint64 block) { return block * (qint64(1) << kKeyBits); }
    static qint64 lastKeyOf(qint64 block) { return firstKeyOf(block) + ((1 << kKeyBits) - 1); }

    // Appends text folded to one case (Unicode case folding), as UTF-8,
    // without zero characters.
    static void appendFolded(QByteArray &out, QStringView text);
    // The folded form of text: what is searched for.
    static QByteArray foldedQuery(QStringView text);

    void clear();
    // Records must come in increasing key order, all within one block.
    void append(qint64 key, const DowsingRecord &record);

    bool isEmpty() const { return m_keys.isEmpty(); }
    qsizetype count() const { return m_keys.size(); }
    qint64 keyAt(qsizetype i) const { return m_keys.at(i); }
    void addKeysTo(KeySummary &summary) const
    {
        for (qint64 key : m_keys)
            summary.add(key);
    }

    // Calls found(key) for each record, in key order, with a field that holds
    // folded; every record for an empty query.
    template<typename Found>
    void search(const QByteArray &folded, Found found) const;

    // Field f of record i (0 the date as listed, 12 Notes), folded.
    QByteArrayView field(qsizetype i, int f) const;
    // Every field of record i, in one walk over its text; a field a record
    // lacks (in a block another program wrote) is empty.
    void fields(qsizetype i, QByteArrayView (&out)[kFieldCount]) const { fields(i, out, kFieldCount); }
    // The first count fields of record i, the same way: the walk stops
    // there, before the long fields at the end (Notes is most of a record).
    void fields(qsizetype i, QByteArrayView *out, int count) const;

    // The stored form, and back. fromStored() is false for bytes that are
    // not a block this build wrote (another version's, or damaged).
    QByteArray toStored() const;
    bool fromStored(qint64 block, const QByteArray &stored);

private:
    QVector<qint64> m_keys;
    // Where each record's text ends in m_text.
    QVector<quint32> m_ends;
    // The records' text starts at m_textAt: a stored block is read into one
    // buffer, and its text is not copied out of it.
    QByteArray m_text;
    qsizetype m_textAt = 0;
};

template<typename Found>
void FindBlock::search(const QByteArray &folded, Found found) const
{
    if (folded.isEmpty()) {
        for (qint64 key : m_keys)
            found(key);
        return;
    }
    const char *const text = m_text.constData() + m_textAt;
    const qsizetype size = m_text.size() - m_textAt;
    qsizetype from = 0;
    qsizetype record = 0;
    while (record < m_keys.size()) {
        const qsizetype at = TextSearch::indexOf(QByteArrayView(text + from, size - from), folded);
        if (at < 0)
            return;
        const quint32 hit = quint32(from + at);
        while (m_ends.at(record) <= hit)
            ++record;
        found(m_keys.at(record));
        from = m_ends.at(record);
        ++record;
    }
}

} // namespace Orvane
