#include "RecordCsvReader.h"

#include "CsvCells.h"
#include "RecordCsv.h"
#include "StoreTexts.h"

#include <QBuffer>
#include <QHash>
#include <QStringDecoder>

namespace Orvane {

namespace {

QString quoted(const QString &text)
{
    return QLatin1Char('"') + text + QLatin1Char('"');
}

// Text for a message, with characters that do not show (a byte-order mark,
// a control character) named by their code: a header name "\uFEFFDate"
// reads as "<U+FEFF>Date", not as "Date".
QString visible(const QString &text)
{
    QString out;
    for (const QChar c : text) {
        if (c.isPrint() && c.category() != QChar::Other_Format)
            out.append(c);
        else
            out.append(QStringLiteral("<U+%1>").arg(c.unicode(), 4, 16, QLatin1Char('0')).toUpper());
    }
    return out;
}

// UTF-8 text, a byte-order mark included: only the file's first bytes are
// its mark, and the row reader took those off.
std::optional<QString> textOf(QByteArrayView bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8,
                           QStringDecoder::Flag::Stateless
                                   | QStringDecoder::Flag::ConvertInitialBom);
    QString text = decoder(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

// The names a header may give each column, folded to one case.
struct KnownColumn
{
    bool isDate = false;
    QString DowsingRecord::*member = nullptr;
};
const QHash<QString, KnownColumn> &knownColumns()
{
    static const QHash<QString, KnownColumn> known = [] {
        QHash<QString, KnownColumn> names;
        names.insert(DowsingRecord::dateCaption().toCaseFolded(), {true, nullptr});
        for (const DowsingRecord::TextField &field : DowsingRecord::textFields()) {
            for (const char *name : {field.heading, field.caption})
                names.insert(QString::fromLatin1(name).toCaseFolded(), {false, field.member});
        }
        return names;
    }();
    return known;
}

} // namespace

RecordCsvReader::RecordCsvReader(QIODevice &device)
    : m_rows(device)
{
}

RecordCsvReader::Step RecordCsvReader::refuse(int line, const QString &reason)
{
    m_errorLine = line;
    m_error = reason;
    return Step::Refused;
}

QString RecordCsvReader::nameOf(int column) const
{
    if (column < m_columns.size() && !m_columns.at(column).header.isEmpty())
        return StoreTexts::tr("the column %1").arg(quoted(visible(m_columns.at(column).header)));
    return StoreTexts::tr("column %1").arg(column + 1);
}

RecordCsvReader::Step RecordCsvReader::refuseRowFault()
{
    const int line = m_rows.line();
    const QString column = nameOf(m_rows.faultField());
    QString reason;
    switch (m_rows.fault()) {
    case CsvRowReader::Fault::None:
    case CsvRowReader::Fault::Unreadable:
        reason = StoreTexts::tr("The file could not be read: %1").arg(m_rows.errorText());
        break;
    case CsvRowReader::Fault::Unclosed:
        reason = StoreTexts::tr("A quoted field in %1 is not closed.").arg(column);
        break;
    case CsvRowReader::Fault::TextAfterQuote:
        reason = StoreTexts::tr("Text follows the closing quote of %1.").arg(column);
        break;
    case CsvRowReader::Fault::BareQuote:
        reason = StoreTexts::tr("A field in %1 holds a double quote but is not enclosed in "
                                "double quotes.")
                         .arg(column);
        break;
    case CsvRowReader::Fault::LoneReturn:
        reason = StoreTexts::tr("A carriage return outside quotes is not followed by a line "
                                "feed.");
        break;
    case CsvRowReader::Fault::TooLong:
        reason = StoreTexts::tr("The row is longer than %1 MB: a quote in it may not be closed.")
                         .arg(CsvRowReader::kLongestRow >> 20);
        break;
    }
    return refuse(line, reason);
}

RecordCsvReader::Step RecordCsvReader::readHeader()
{
    for (;;) {
        const CsvRowReader::Step step = m_rows.next();
        if (step == CsvRowReader::Step::Failed)
            return refuseRowFault();
        if (step == CsvRowReader::Step::End)
            return refuse(1, StoreTexts::tr("The file is empty: it has no header row."));
        if (!m_rows.isEmptyRow())
            break;
        ++m_skipped;
    }
    const int line = m_rows.line();
    QVector<QString DowsingRecord::*> mapped;
    bool hasDate = false;
    for (int i = 0; i < m_rows.fieldCount(); ++i) {
        const std::optional<QString> text = textOf(m_rows.field(i));
        if (!text)
            return refuse(line, StoreTexts::tr("The header row is not UTF-8 text."));
        Column column;
        column.header = text->trimmed();
        if (!column.header.isEmpty()) {
            const auto known = knownColumns().constFind(column.header.toCaseFolded());
            if (known == knownColumns().cend())
                return refuse(line, StoreTexts::tr("The header row names a column %1, which is no "
                                                   "field of a record. The fields are %2.")
                                            .arg(quoted(visible(column.header)),
                                                 RecordCsv::headerNames().join(
                                                         QStringLiteral(", "))));
            if ((known->isDate && hasDate) || (!known->isDate && mapped.contains(known->member)))
                return refuse(line, StoreTexts::tr("The header row names the field %1 twice.")
                                            .arg(quoted(visible(column.header))));
            column.isDate = known->isDate;
            column.member = known->member;
            column.isTime = column.member == &DowsingRecord::Time_Dowsing_Occured;
            hasDate = hasDate || column.isDate;
            if (column.member)
                mapped.append(column.member);
        }
        m_columns.append(column);
        if (!column.header.isEmpty())
            m_namedColumns = int(m_columns.size());
    }
    if (!hasDate)
        return refuse(line, StoreTexts::tr("The header row names no column %1: every record "
                                           "needs its date.")
                                    .arg(quoted(DowsingRecord::dateCaption())));
    return Step::Record;
}

RecordCsvReader::Step RecordCsvReader::next(DowsingRecord *record)
{
    if (!m_error.isEmpty())
        return Step::Refused;
    if (!m_headerRead) {
        m_headerRead = true;
        if (readHeader() == Step::Refused)
            return Step::Refused;
    }
    for (;;) {
        const CsvRowReader::Step step = m_rows.next();
        if (step == CsvRowReader::Step::End)
            return Step::End;
        if (step == CsvRowReader::Step::Failed)
            return refuseRowFault();
        if (!m_rows.isEmptyRow())
            break;
        ++m_skipped;
    }
    const int line = m_rows.line();
    const int count = m_rows.fieldCount();
    const int expected = int(m_columns.size());
    // Empty fields past the header's last named column (a spreadsheet may
    // write them, or leave them out) hold nothing that could be lost.
    bool fits = count >= m_namedColumns;
    for (int i = expected; fits && i < count; ++i)
        fits = m_rows.field(i).isEmpty();
    if (!fits)
        return refuse(line, count == 1
                                    ? StoreTexts::tr("The row has 1 field where %1 fields are "
                                                     "expected.")
                                              .arg(expected)
                                    : StoreTexts::tr("The row has %1 fields where %2 fields are "
                                                     "expected.")
                                              .arg(count)
                                              .arg(expected));
    if (record)
        *record = DowsingRecord();
    for (int i = 0; i < m_namedColumns; ++i) {
        const Column &column = m_columns.at(i);
        const QByteArrayView bytes = m_rows.field(i);
        if (!column.isDate && !column.member) {
            if (!bytes.isEmpty())
                return refuse(line, StoreTexts::tr("The row holds text in column %1, which the "
                                                   "header row gives no name.")
                                            .arg(i + 1));
            continue;
        }
        // A zero character ends a field where the records are searched:
        // no record takes one.
        if (bytes.contains('\0'))
            return refuse(line, StoreTexts::tr("The field in %1 holds a zero character, which no "
                                               "record may hold.")
                                        .arg(nameOf(i)));
        const auto notText = [&] {
            return StoreTexts::tr("The field in %1 is not UTF-8 text. Save the file as UTF-8 and "
                                  "import it again.")
                    .arg(nameOf(i));
        };
        // A check needs no text but the date's.
        if (!record && !column.isDate) {
            if (!RecordCsv::isUtf8(bytes))
                return refuse(line, notText());
            continue;
        }
        const std::optional<QString> text = textOf(bytes);
        if (!text)
            return refuse(line, notText());
        if (column.isDate) {
            // A marked date is one the export wrote as another program had
            // stored it: it goes back as it stands. Any other is read as a
            // spreadsheet may have written it.
            bool marked = false;
            QString stored = CsvCells::unmarked(*text, CsvCells::Column::Date, &marked);
            if (!marked) {
                const CsvCells::DateReading date = CsvCells::readDate(*text);
                if (!date.error.isEmpty())
                    return refuse(line, date.error);
                stored = RecordDate(date.date).storedText();
            }
            if (record)
                record->Date = RecordDate::fromStored(stored);
        } else if (column.isTime) {
            bool marked = false;
            QString time = CsvCells::unmarked(*text, CsvCells::Column::Time, &marked);
            if (!marked) {
                if (std::optional<QString> minute = CsvCells::minuteOf(time))
                    time = *minute;
            }
            record->*column.member = time;
        } else {
            record->*column.member = CsvCells::unmarked(*text, CsvCells::Column::Text);
        }
    }
    return Step::Record;
}

namespace RecordCsv {

ReadResult read(const QByteArray &bytes)
{
    ReadResult result;
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    RecordCsvReader reader(buffer);
    DowsingRecord record;
    RecordCsvReader::Step step;
    while ((step = reader.next(&record)) == RecordCsvReader::Step::Record)
        result.records.append(record);
    result.skippedRows = reader.skippedRows();
    if (step == RecordCsvReader::Step::Refused) {
        result.records.clear();
        result.errorLine = reader.errorLine();
        result.error = reader.errorText();
    }
    return result;
}

} // namespace RecordCsv

} // namespace Orvane
