#include "RecordCsv.h"

#include <QStringDecoder>

namespace Orvane::RecordCsv {

namespace {

const char kBom[] = "\xEF\xBB\xBF";

// Bytes that make a field quoted: comma, double quote, CR, LF.
struct SpecialBytes
{
    bool table[256] = {};
    constexpr SpecialBytes()
    {
        table[int(',')] = true;
        table[int('"')] = true;
        table[int('\r')] = true;
        table[int('\n')] = true;
    }
};
constexpr SpecialBytes kSpecial;

QString quoted(const QString &text)
{
    return QLatin1Char('"') + text + QLatin1Char('"');
}

} // namespace

// The report's field names without its " :- ". The item takes the name the
// report gives it when empty: a header names every row's item alike.
const QStringList &headerNames()
{
    static const QStringList names = {
        QStringLiteral("Date"),         QStringLiteral("Name"),
        QStringLiteral("Address"),      QStringLiteral("City"),
        QStringLiteral("State"),        QStringLiteral("Pin"),
        QStringLiteral("Phone Number"), QStringLiteral("Email"),
        QStringLiteral("Dowsing Time"), QStringLiteral("Dowsing Tool"),
        QStringLiteral("Dowsing Item"), QStringLiteral("Location"),
        QStringLiteral("Notes"),
    };
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

void appendField(QByteArray &out, QByteArrayView field)
{
    const char *data = field.data();
    const qsizetype size = field.size();
    qsizetype i = 0;
    while (i < size && !kSpecial.table[static_cast<unsigned char>(data[i])])
        ++i;
    if (i == size) {
        out.append(data, size);
        return;
    }
    out.append('"');
    qsizetype from = 0;
    for (i = 0; i < size; ++i) {
        if (data[i] == '"') {
            out.append(data + from, i - from + 1); // up to and with the quote
            out.append('"');
            from = i + 1;
        }
    }
    out.append(data + from, size - from);
    out.append('"');
}

void appendRow(QByteArray &out, const RecordStore::StoredRow &row)
{
    // The date as stored is yyyy-MM-dd; a time of day some other writer may
    // have kept after it is not part of the date.
    QByteArrayView date = row.fields[0];
    if (date.size() > 10)
        date = date.first(10);
    appendField(out, date);
    for (int i = 1; i < RecordStore::StoredRow::kFields; ++i) {
        out.append(',');
        appendField(out, row.fields[i]);
    }
    out.append("\r\n", 2);
}

bool isStoredTimeForm(const QString &text)
{
    const auto digit = [&](int i) { return text.at(i) >= u'0' && text.at(i) <= u'9'; };
    return text.size() == 5 && digit(0) && digit(1) && text.at(2) == u':' && digit(3)
            && digit(4);
}

ReadResult read(const QByteArray &bytes)
{
    ReadResult result;
    const char *data = bytes.constData();
    const qsizetype n = bytes.size();
    qsizetype pos = bytes.startsWith(kBom) ? 3 : 0;
    int line = 1;
    bool header = true;
    const auto refuse = [&](int at, const QString &reason) {
        result.records.clear();
        result.errorLine = at;
        result.error = reason;
        return result;
    };
    if (pos >= n)
        return refuse(1, QStringLiteral("The file is empty: it has no header row."));

    QVector<QByteArray> fields;
    while (pos < n) {
        // Empty lines at the very end, as an editor may leave, end the file.
        qsizetype rest = pos;
        while (rest < n && (data[rest] == '\r' || data[rest] == '\n'))
            ++rest;
        if (rest == n)
            break;
        const int recordLine = line;
        fields.clear();
        // One record: fields until a line end or the end of the file.
        for (;;) {
            QByteArray field;
            if (pos < n && data[pos] == '"') {
                ++pos;
                for (;;) {
                    if (pos >= n)
                        return refuse(recordLine, QStringLiteral("A quoted field is not closed."));
                    const char c = data[pos];
                    if (c == '"') {
                        if (pos + 1 < n && data[pos + 1] == '"') {
                            field.append('"');
                            pos += 2;
                            continue;
                        }
                        ++pos;
                        break;
                    }
                    if (c == '\n')
                        ++line;
                    field.append(c);
                    ++pos;
                }
                if (pos < n && data[pos] != ',' && data[pos] != '\r' && data[pos] != '\n')
                    return refuse(recordLine, QStringLiteral("Text follows the closing quote of "
                                                             "field %1.")
                                                      .arg(fields.size() + 1));
            } else {
                const qsizetype start = pos;
                while (pos < n && data[pos] != ',' && data[pos] != '\r' && data[pos] != '\n') {
                    if (data[pos] == '"')
                        return refuse(recordLine,
                                      QStringLiteral("Field %1 holds a double quote but is not "
                                                     "enclosed in double quotes.")
                                              .arg(fields.size() + 1));
                    ++pos;
                }
                field = QByteArray(data + start, pos - start);
            }
            fields.append(field);
            if (pos >= n)
                break;
            if (data[pos] == ',') {
                ++pos;
                continue;
            }
            if (data[pos] == '\r') {
                if (pos + 1 >= n || data[pos + 1] != '\n')
                    return refuse(recordLine, QStringLiteral("A carriage return outside quotes "
                                                             "is not followed by a line feed."));
                ++pos;
            }
            ++pos; // the line feed
            ++line;
            break;
        }

        const int expected = headerNames().size();
        if (fields.size() != expected)
            return refuse(recordLine, QStringLiteral("The row has %1 where %2 fields are "
                                                     "expected.")
                                              .arg(fields.size() == 1
                                                           ? QStringLiteral("1 field")
                                                           : QStringLiteral("%1 fields")
                                                                     .arg(fields.size()))
                                              .arg(expected));
        QStringList texts;
        texts.reserve(expected);
        for (int i = 0; i < expected; ++i) {
            QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
            QString text = decoder(fields.at(i));
            if (decoder.hasError())
                return refuse(recordLine, QStringLiteral("Field %1 is not UTF-8 text.").arg(i + 1));
            // A zero character ends a field where the records are searched:
            // no record takes one.
            if (fields.at(i).contains('\0'))
                return refuse(recordLine, QStringLiteral("Field %1 (%2) holds a zero character, "
                                                         "which no record may hold.")
                                                  .arg(i + 1)
                                                  .arg(headerNames().at(i)));
            texts.append(text);
        }
        if (header) {
            header = false;
            if (texts != headerNames())
                return refuse(recordLine, QStringLiteral("The first row is not the header row "
                                                         "of an export: %1.")
                                                  .arg(headerNames().join(QLatin1Char(','))));
            continue;
        }
        DowsingRecord r;
        r.Date = QDate::fromString(texts.at(0), QStringLiteral("yyyy-MM-dd"));
        if (texts.at(0).size() != 10 || !r.Date.isValid())
            return refuse(recordLine, QStringLiteral("The date %1 is not a calendar date in the "
                                                     "form yyyy-MM-dd.")
                                              .arg(quoted(texts.at(0))));
        if (!isStoredTimeForm(texts.at(8)))
            return refuse(recordLine, QStringLiteral("The time %1 is not in the form HH:MM.")
                                              .arg(quoted(texts.at(8))));
        r.Name = texts.at(1);
        r.Address = texts.at(2);
        r.City = texts.at(3);
        r.State = texts.at(4);
        r.Pin = texts.at(5);
        r.Phone_No = texts.at(6);
        r.Email = texts.at(7);
        r.Time_Dowsing_Occured = texts.at(8);
        r.Dowsing_Tool = texts.at(9);
        r.Item_Dowsing_For = texts.at(10);
        r.Location_Dowsing_Occured = texts.at(11);
        r.Notes = texts.at(12);
        result.records.append(r);
    }
    if (header)
        return refuse(1, QStringLiteral("The file has no header row."));
    return result;
}

} // namespace Orvane::RecordCsv
