#include "TextGroups.h"

#include <QHashFunctions>

#include <cstring>

namespace Orvane {

quint64 TextGroups::hashOf(QByteArrayView first, QByteArrayView second)
{
    const size_t h = qHashBits(first.data(), size_t(first.size()), 0x5bd1e995u);
    return quint64(qHashBits(second.data(), size_t(second.size()), h ^ 0x9e3779b97f4a7c15ull));
}

QByteArrayView TextGroups::firstPart(quint32 group) const
{
    const qsizetype at = m_textAt.at(group);
    const qsizetype end = m_textAt.at(group + 1);
    if (at == end)
        return {};
    const char *text = m_texts.constData() + at;
    return QByteArrayView(text, qsizetype(std::strlen(text)));
}

bool TextGroups::holds(quint32 group, QByteArrayView first, QByteArrayView second) const
{
    const qsizetype at = m_textAt.at(group);
    // A group of its own has no text, and so never this length.
    if (m_textAt.at(group + 1) - at != first.size() + 1 + second.size())
        return false;
    const char *text = m_texts.constData() + at;
    // An empty part (a customer without a phone number) may have no bytes
    // at all to point to, which memcmp() must never be given.
    const auto same = [](const char *stored, QByteArrayView part) {
        return part.isEmpty() || std::memcmp(stored, part.data(), size_t(part.size())) == 0;
    };
    return same(text, first) && same(text + first.size() + 1, second);
}

void TextGroups::place(quint64 hash, quint32 group)
{
    const quint32 mask = quint32(m_slots.size()) - 1;
    for (quint32 i = quint32(hash) & mask;; i = (i + 1) & mask) {
        if (m_slots.at(i).group == 0) {
            m_slots[i] = {group + 1, quint32(hash >> 32)};
            return;
        }
    }
}

void TextGroups::grow()
{
    // Half full at most, so that a probe rarely walks far.
    m_slots = QVector<Slot>(m_slots.isEmpty() ? 1024 : m_slots.size() * 2);
    for (quint32 g = 0; g < count(); ++g) {
        if (m_textAt.at(g) != m_textAt.at(g + 1)) // not a group of its own
            place(m_hashes.at(g), g);
    }
}

quint32 TextGroups::groupOf(quint64 hash, QByteArrayView first, QByteArrayView second)
{
    if (2 * (qsizetype(count()) + 1) > m_slots.size())
        grow();
    const quint32 mask = quint32(m_slots.size()) - 1;
    const quint32 tag = quint32(hash >> 32);
    quint32 i = quint32(hash) & mask;
    for (;; i = (i + 1) & mask) {
        const Slot slot = m_slots.at(i);
        if (slot.group == 0)
            break;
        if (slot.tag == tag && holds(slot.group - 1, first, second))
            return slot.group - 1;
    }
    const quint32 group = count();
    m_texts.append(first.data(), first.size());
    m_texts.append('\0');
    m_texts.append(second.data(), second.size());
    m_textAt.append(m_texts.size());
    m_hashes.append(hash);
    m_slots[i] = {group + 1, tag};
    return group;
}

quint32 TextGroups::addAlone()
{
    const quint32 group = count();
    m_textAt.append(m_texts.size());
    m_hashes.append(0);
    return group;
}

} // namespace Orvane
