#include "CsvRowReader.h"

#include <QIODevice>

#include <algorithm>
#include <cstring>

namespace Orvane {

namespace {

// Bytes read from the device at a time.
constexpr qint64 kPiece = 1 << 20;

const char kByteOrderMark[] = "\xEF\xBB\xBF";

} // namespace

CsvRowReader::CsvRowReader(QIODevice &device)
    : m_device(device)
{
}

QByteArrayView CsvRowReader::field(int i) const
{
    const qsizetype from = i > 0 ? m_ends.at(i - 1) : 0;
    return QByteArrayView(m_text.constData() + from, m_ends.at(i) - from);
}

CsvRowReader::Step CsvRowReader::fail(Fault fault, int field)
{
    m_fault = fault;
    m_faultField = field;
    return Step::Failed;
}

// Reads the next piece after what the current row has not yet used: the
// bytes before it are let go. False, with the fault set, when the device
// fails or the row would grow beyond kLongestRow.
bool CsvRowReader::fill()
{
    if (m_pos > 0) {
        m_buffer.remove(0, m_pos);
        m_pos = 0;
    }
    if (m_buffer.size() >= kLongestRow) {
        fail(Fault::TooLong, int(m_ends.size()));
        return false;
    }
    // A row that needs more is read again from its start: reading as much
    // again as it holds so far makes a long row cost its length twice, not
    // its length times its pieces (the import of a record with notes of
    // 100 MB without a space took 18.8 s, now 5.2 s: orvane-bigtext-bench
    // --transfer 100).
    // Never beyond kLongestRow.
    const qsizetype had = m_buffer.size();
    const qsizetype want = qMin<qsizetype>(qMax<qsizetype>(kPiece, had), kLongestRow - had);
    m_buffer.resize(had + want);
    const qint64 got = m_device.read(m_buffer.data() + had, want);
    if (got < 0) {
        m_buffer.resize(had);
        m_readError = m_device.errorString();
        fail(Fault::Unreadable, 0);
        return false;
    }
    m_buffer.resize(had + got);
    m_bytesRead += got;
    m_atEnd = got == 0;
    return true;
}

// The byte-order mark, and the separator from the first line that holds
// anything, read whole.
bool CsvRowReader::start()
{
    m_started = true;
    while (m_buffer.size() < 3 && !m_atEnd) {
        if (!fill())
            return false;
    }
    if (m_buffer.startsWith(kByteOrderMark)) {
        m_byteOrderMark = true;
        m_pos = 3;
    }
    for (;;) {
        const char *data = m_buffer.constData();
        const qsizetype n = m_buffer.size();
        qsizetype pos = m_pos;
        while (pos < n && (data[pos] == '\r' || data[pos] == '\n'))
            ++pos;
        bool quoted = false;
        int commas = 0, semicolons = 0, tabs = 0;
        for (; pos < n; ++pos) {
            const char c = data[pos];
            if (c == '"')
                quoted = !quoted;
            else if (quoted)
                continue;
            else if (c == '\n')
                break;
            else if (c == ',')
                ++commas;
            else if (c == ';')
                ++semicolons;
            else if (c == '\t')
                ++tabs;
        }
        if (pos < n || m_atEnd) {
            if (semicolons > commas && semicolons >= tabs)
                m_separator = ';';
            else if (tabs > commas && tabs > semicolons)
                m_separator = '\t';
            return true;
        }
        if (!fill())
            return false;
    }
}

CsvRowReader::Step CsvRowReader::next()
{
    if (m_fault != Fault::None)
        return Step::Failed;
    if (!m_started && !start())
        return Step::Failed;
    for (;;) {
        if (m_pos >= m_buffer.size()) {
            if (m_atEnd)
                return Step::End;
            if (!fill())
                return Step::Failed;
            continue;
        }
        m_rowLine = m_line;
        switch (parseRow()) {
        case Parse::Done:
            return Step::Row;
        case Parse::Bad:
            return Step::Failed;
        case Parse::NeedMore:
            // The row is read again from its start with the next piece.
            if (!fill())
                return Step::Failed;
            break;
        }
    }
}

CsvRowReader::Parse CsvRowReader::parseRow()
{
    const char *data = m_buffer.constData();
    const qsizetype n = m_buffer.size();
    const char separator = m_separator;
    const auto bad = [&](Fault fault) {
        fail(fault, int(m_ends.size()));
        return Parse::Bad;
    };
    qsizetype pos = m_pos;
    int lines = 0;
    m_text.resize(0);
    m_ends.resize(0);
    for (;;) {
        if (pos < n && data[pos] == '"') {
            ++pos;
            for (;;) {
                const auto *quote = static_cast<const char *>(std::memchr(data + pos, '"', n - pos));
                if (!quote)
                    return m_atEnd ? bad(Fault::Unclosed) : Parse::NeedMore;
                const qsizetype at = quote - data;
                lines += int(std::count(data + pos, quote, '\n'));
                m_text.append(data + pos, at - pos);
                pos = at + 1;
                if (pos >= n && !m_atEnd)
                    return Parse::NeedMore;
                if (pos < n && data[pos] == '"') {
                    m_text.append('"');
                    ++pos;
                    continue;
                }
                break;
            }
            if (pos < n && data[pos] != separator && data[pos] != '\r' && data[pos] != '\n')
                return bad(Fault::TextAfterQuote);
        } else {
            const qsizetype from = pos;
            for (; pos < n; ++pos) {
                const char c = data[pos];
                if (c == separator || c == '\n' || c == '\r')
                    break;
                if (c == '"')
                    return bad(Fault::BareQuote);
            }
            if (pos >= n && !m_atEnd)
                return Parse::NeedMore;
            m_text.append(data + from, pos - from);
        }
        m_ends.append(m_text.size());
        if (pos >= n)
            break; // the file's last row, without a line end
        if (data[pos] == separator) {
            ++pos;
            continue;
        }
        if (data[pos] == '\r') {
            if (pos + 1 >= n && !m_atEnd)
                return Parse::NeedMore;
            if (pos + 1 >= n || data[pos + 1] != '\n')
                return bad(Fault::LoneReturn);
            ++pos;
        }
        ++pos; // the line feed
        ++lines;
        break;
    }
    m_pos = pos;
    m_line += lines;
    return Parse::Done;
}

} // namespace Orvane
