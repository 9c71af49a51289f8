#include "RecordCsv.h"

namespace Orvane::RecordCsv {

namespace {

const char kBom[] = "\xEF\xBB\xBF";

// What the export looks for in a field's bytes: those that make it quoted
// (comma, double quote, CR, LF), and those after which it may not be UTF-8
// text (a zero, and every byte beyond ASCII).
enum : unsigned char { kQuoted = 1, kNotAscii = 2 };
struct ByteKinds
{
    unsigned char table[256] = {};
    constexpr ByteKinds()
    {
        table[int(',')] = kQuoted;
        table[int('"')] = kQuoted;
        table[int('\r')] = kQuoted;
        table[int('\n')] = kQuoted;
        table[0] = kNotAscii;
        for (int i = 0x80; i < 0x100; ++i)
            table[i] = kNotAscii;
    }
};
constexpr ByteKinds kKinds;

unsigned kindsOf(QByteArrayView field)
{
    unsigned kinds = 0;
    for (const char c : field)
        kinds |= kKinds.table[static_cast<unsigned char>(c)];
    return kinds;
}

// The length of the well-formed UTF-8 sequence at p (Unicode's table of
// well-formed byte sequences: no overlong forms, no surrogates, nothing
// beyond U+10FFFF), or 0 when the byte there begins none.
int sequenceLength(const unsigned char *p, qsizetype available)
{
    const unsigned char c = p[0];
    if (c < 0x80)
        return 1;
    int length = 0;
    unsigned char low = 0x80, high = 0xBF;
    if (c >= 0xC2 && c <= 0xDF) {
        length = 2;
    } else if (c >= 0xE0 && c <= 0xEF) {
        length = 3;
        if (c == 0xE0)
            low = 0xA0;
        else if (c == 0xED)
            high = 0x9F;
    } else if (c >= 0xF0 && c <= 0xF4) {
        length = 4;
        if (c == 0xF0)
            low = 0x90;
        else if (c == 0xF4)
            high = 0x8F;
    } else {
        return 0;
    }
    if (available < length || p[1] < low || p[1] > high)
        return 0;
    for (int k = 2; k < length; ++k) {
        if (p[k] < 0x80 || p[k] > 0xBF)
            return 0;
    }
    return length;
}

// Windows-1252 from 0x80 to 0x9F; from 0xA0 on it is Latin-1.
constexpr char16_t kWindows1252[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

void appendUtf8(QByteArray &out, char16_t c)
{
    if (c < 0x800) {
        out.append(char(0xC0 | (c >> 6)));
    } else {
        out.append(char(0xE0 | (c >> 12)));
        out.append(char(0x80 | ((c >> 6) & 0x3F)));
    }
    out.append(char(0x80 | (c & 0x3F)));
}

// The stored row's index of the time of the dowsing.
int timeField()
{
    static const int index = [] {
        const auto &fields = DowsingRecord::textFields();
        for (int i = 0; i < int(fields.size()); ++i) {
            if (fields[i].member == &DowsingRecord::Time_Dowsing_Occured)
                return i + 1;
        }
        return -1;
    }();
    return index;
}

} // namespace

// The date and the report's names of the text fields.
const QStringList &headerNames()
{
    static const QStringList names = [] {
        QStringList list;
        for (int i = 0; i < DowsingRecord::kStoredFields; ++i)
            list.append(QLatin1String(DowsingRecord::fields()[i].heading));
        return list;
    }();
    return names;
}

QByteArray fileStart()
{
    QByteArray out(kBom);
    const QStringList &names = headerNames();
    for (int i = 0; i < names.size(); ++i) {
        if (i)
            out.append(',');
        appendField(out, names.at(i).toUtf8());
    }
    out.append("\r\n", 2);
    return out;
}

bool appendAsText(QByteArray &out, QByteArrayView bytes)
{
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.data());
    const qsizetype n = bytes.size();
    bool changed = false;
    for (qsizetype i = 0; i < n;) {
        const int length = p[i] ? sequenceLength(p + i, n - i) : 0;
        if (length > 0) {
            out.append(bytes.data() + i, length);
            i += length;
            continue;
        }
        changed = true;
        if (p[i] == 0)
            appendUtf8(out, 0xFFFD);
        else if (p[i] < 0xA0)
            appendUtf8(out, kWindows1252[p[i] - 0x80]);
        else
            appendUtf8(out, p[i]);
        ++i;
    }
    return changed;
}

bool isUtf8(QByteArrayView bytes)
{
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.data());
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n;) {
        if (p[i] < 0x80) {
            ++i;
            continue;
        }
        const int length = sequenceLength(p + i, n - i);
        if (length == 0)
            return false;
        i += length;
    }
    return true;
}

bool appendField(QByteArray &out, QByteArrayView field, CsvCells::Column column)
{
    unsigned kinds = kindsOf(field);
    QByteArray asText;
    bool repaired = false;
    if (kinds & kNotAscii) {
        asText.reserve(field.size() + 16);
        repaired = appendAsText(asText, field);
        if (repaired) {
            field = asText;
            kinds = kindsOf(field);
        }
    }
    const bool mark = CsvCells::needsMark(field, column);
    if (!(kinds & kQuoted)) {
        if (mark)
            out.append(CsvCells::kMark);
        out.append(field.data(), field.size());
        return repaired;
    }
    out.append('"');
    if (mark)
        out.append(CsvCells::kMark);
    const char *data = field.data();
    qsizetype from = 0;
    for (qsizetype i = 0; i < field.size(); ++i) {
        if (data[i] == '"') {
            out.append(data + from, i - from + 1); // up to and with the quote
            out.append('"');
            from = i + 1;
        }
    }
    out.append(data + from, field.size() - from);
    out.append('"');
    return repaired;
}

int appendRow(QByteArray &out, const RecordStore::StoredRow &row)
{
    // The date whole, whatever another program stored: the import takes
    // back what the export wrote.
    int repaired = appendField(out, row.fields[0], CsvCells::Column::Date);
    const int time = timeField();
    for (int i = 1; i < RecordStore::StoredRow::kFields; ++i) {
        out.append(',');
        repaired += appendField(out, row.fields[i],
                                i == time ? CsvCells::Column::Time : CsvCells::Column::Text);
    }
    out.append("\r\n", 2);
    return repaired;
}

} // namespace Orvane::RecordCsv
