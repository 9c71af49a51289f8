#pragma once

#include "Prefetch.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QVector>

namespace Orvane {

// Tells texts apart exactly, fast enough for a million records: each
// distinct text of one or two parts (a name and a phone number, say) gets a
// number, in order of first sight. The texts are compared byte for byte, not
// only by their hash. One table of slots and one buffer of texts, so that
// what it borrows goes back to the system at once when it goes.
class TextGroups
{
public:
    // The hash groupOf() wants for these parts; on any thread.
    static quint64 hashOf(QByteArrayView first, QByteArrayView second = {});

    // The number of the group of the text (first, second), a new one when
    // it was not seen before; hash is hashOf(first, second). Neither part
    // holds a zero byte.
    quint32 groupOf(quint64 hash, QByteArrayView first, QByteArrayView second = {});
    // Asks the processor to bring near where groupOf(hash, ...) looks first
    // (see Prefetch.h).
    void prefetch(quint64 hash) const { prefetchIn(m_slots.constData(), slotMask(), hash); }
    // The same through a table and mask this object had (slotTable(),
    // slotMask()), which may be gone: asking is no access, and a thread
    // that does not hold the object may ask.
    static void prefetchIn(const void *table, quint32 mask, quint64 hash)
    {
        Orvane::prefetch(static_cast<const Slot *>(table) + (quint32(hash) & mask));
    }
    const void *slotTable() const { return m_slots.constData(); }
    quint32 slotMask() const { return m_slots.isEmpty() ? 0 : quint32(m_slots.size()) - 1; }
    // A group of its own, which no text joins.
    quint32 addAlone();
    quint32 count() const { return quint32(m_textAt.size()) - 1; }
    // The first part of a group's text; empty for a group of its own.
    QByteArrayView firstPart(quint32 group) const;

private:
    struct Slot
    {
        quint32 group = 0; // group + 1; 0 for a free slot
        quint32 tag = 0;   // the hash's high half, compared before the text
    };
    bool holds(quint32 group, QByteArrayView first, QByteArrayView second) const;
    void grow();
    void place(quint64 hash, quint32 group);

    QVector<Slot> m_slots;
    // Each group's text, the two parts with a zero byte between (so never
    // empty); a group of its own has none. m_textAt[g] is where group g's text begins, and one
    // more entry ends the last.
    QByteArray m_texts;
    QVector<qsizetype> m_textAt{0};
    // Each group's hash, so that growing never hashes a text again.
    QVector<quint64> m_hashes;
};

} // namespace Orvane
