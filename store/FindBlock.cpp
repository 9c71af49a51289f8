#include "FindBlock.h"

#include "DowsingRecord.h"

#include <QtEndian>

#include <lz4.h>

#include <algorithm>
#include <cstring>

namespace Orvane {

namespace {

// The first byte of a stored block: its layout's version.
constexpr char kFormat = 1;

} // namespace

void FindBlock::appendFolded(QByteArray &out, QStringView text)
{
    // Most fields are plain ASCII: fold those bytes here instead of making
    // two converted copies.
    bool ascii = true;
    for (QChar c : text) {
        if (c.unicode() >= 0x80) {
            ascii = false;
            break;
        }
    }
    // A zero character (another program may store one) is left out: a zero
    // byte ends a field here.
    if (!ascii) {
        QByteArray folded = text.toString().toCaseFolded().toUtf8();
        folded.replace('\0', QByteArray());
        out += folded;
        return;
    }
    const qsizetype at = out.size();
    out.resize(at + text.size());
    char *p = out.data() + at;
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u != 0)
            *p++ = char(u >= 'A' && u <= 'Z' ? u + ('a' - 'A') : u);
    }
    out.truncate(p - out.constData());
}

QByteArray FindBlock::foldedQuery(QStringView text)
{
    QByteArray folded;
    appendFolded(folded, text);
    return folded;
}

void FindBlock::clear()
{
    m_keys.clear();
    m_ends.clear();
    m_text.clear();
    m_textAt = 0;
}

void FindBlock::append(qint64 key, const DowsingRecord &r)
{
    // The date as the list shows it, then the text fields in order.
    appendFolded(m_text, r.listedDateText());
    m_text.append('\0');
    for (const DowsingRecord::Field &field : DowsingRecord::textFields()) {
        appendFolded(m_text, r.*field.member);
        m_text.append('\0');
    }
    m_keys.append(key);
    m_ends.append(quint32(m_text.size()));
}

QByteArrayView FindBlock::field(qsizetype i, int f) const
{
    // Every field ends in a zero byte (fromStored() checks the last), so
    // strlen() finds each end; it costs less than memchr() on short fields.
    const char *text = m_text.constData() + m_textAt;
    const char *at = text + (i == 0 ? 0 : m_ends.at(i - 1));
    const char *end = text + m_ends.at(i);
    for (int n = 0; n < f && at < end; ++n)
        at += std::strlen(at) + 1;
    if (at >= end)
        return {};
    return QByteArrayView(at, qMin<qsizetype>(qsizetype(std::strlen(at)), end - at));
}

void FindBlock::fields(qsizetype i, QByteArrayView *out, int count) const
{
    const char *text = m_text.constData() + m_textAt;
    const char *at = text + (i == 0 ? 0 : m_ends.at(i - 1));
    const char *end = text + m_ends.at(i);
    for (int f = 0; f < count; ++f) {
        if (at >= end) {
            out[f] = {};
            continue;
        }
        out[f] = QByteArrayView(at, qMin<qsizetype>(qsizetype(std::strlen(at)), end - at));
        at += out[f].size() + 1;
    }
}

// Stored: the format byte, the record count (one byte: count - 1), each
// key's low byte, each record's end as four bytes, then the text; all but
// the first byte compressed with LZ4 behind the uncompressed size.
QByteArray FindBlock::toStored() const
{
    QByteArray plain;
    plain.reserve(1 + m_keys.size() * 5 + m_text.size());
    plain.append(char(m_keys.size() - 1));
    for (qint64 key : m_keys)
        plain.append(char(key & 0xff));
    for (quint32 end : m_ends) {
        char bytes[4];
        qToLittleEndian(end, bytes);
        plain.append(bytes, 4);
    }
    plain.append(m_text);

    QByteArray stored(1 + 4 + LZ4_compressBound(int(plain.size())), Qt::Uninitialized);
    stored[0] = kFormat;
    qToLittleEndian(quint32(plain.size()), stored.data() + 1);
    const int packed = LZ4_compress_default(plain.constData(), stored.data() + 5,
                                            int(plain.size()), int(stored.size() - 5));
    stored.truncate(5 + packed);
    return stored;
}

bool FindBlock::fromStored(qint64 block, const QByteArray &stored)
{
    clear();
    if (!isBlock(block) || stored.size() < 5 || stored.at(0) != kFormat)
        return false;
    const quint32 plainSize = qFromLittleEndian<quint32>(stored.constData() + 1);
    // A block holds at most 256 records of a few kilobytes each as a rule;
    // refuse sizes no block this build writes could have.
    if (plainSize < 2 || plainSize > (1u << 30))
        return false;
    QByteArray plain(plainSize, Qt::Uninitialized);
    if (LZ4_decompress_safe(stored.constData() + 5, plain.data(), int(stored.size() - 5),
                            int(plainSize))
        != int(plainSize))
        return false;
    const int count = quint8(plain.at(0)) + 1;
    const qsizetype textAt = 1 + qsizetype(count) * 5;
    if (plain.size() < textAt)
        return false;
    m_keys.resize(count);
    m_ends.resize(count);
    const char *p = plain.constData() + 1;
    quint32 last = 0;
    for (int i = 0; i < count; ++i)
        m_keys[i] = firstKeyOf(block) + quint8(p[i]);
    p += count;
    for (int i = 0; i < count; ++i, p += 4) {
        m_ends[i] = qFromLittleEndian<quint32>(p);
        if (m_ends[i] < last || (i > 0 && m_keys[i] <= m_keys[i - 1]))
            return false;
        last = m_ends[i];
    }
    if (textAt + last != plain.size() || (last > 0 && plain.back() != '\0'))
        return false;
    m_text = std::move(plain);
    m_textAt = textAt;
    return true;
}

} // namespace Orvane
