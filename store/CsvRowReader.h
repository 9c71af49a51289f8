#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QVector>

class QIODevice;

namespace Orvane {

// The rows of a CSV file, read from a device a piece at a time: a file of
// any size takes no more memory than a piece and its longest row.
// - Only the file's first three bytes may be the UTF-8 byte-order mark;
//   the same bytes anywhere else are text.
// - The separator is recognised from the first line that holds anything
//   (the header): the comma, semicolon or tab it holds most of, the comma
//   when it holds none.
// - RFC 4180 quoting: a field enclosed in double quotes may hold the
//   separator, line breaks and doubled quotes. Rows end with CR LF or LF.
// Fields are handed out as bytes; what they mean is the caller's.
class CsvRowReader
{
public:
    explicit CsvRowReader(QIODevice &device);

    enum class Step { Row, End, Failed };
    // Reads the next row.
    Step next();

    int fieldCount() const { return int(m_ends.size()); }
    QByteArrayView field(int i) const;
    // Every field of the row is empty (an empty line is one empty field).
    bool isEmptyRow() const { return m_text.isEmpty(); }
    // The file's physical line, counted from 1, where the last row read
    // (or the failure) starts.
    int line() const { return m_rowLine; }

    // Why next() failed, and in which field (counted from 0) of the row.
    enum class Fault {
        None,
        Unreadable,      // the device failed: see errorText()
        Unclosed,        // a quoted field runs to the end of the file
        TextAfterQuote,  // a quoted field's closing quote is followed by text
        BareQuote,       // a field not enclosed in quotes holds one
        LoneReturn,      // a CR outside quotes without LF after it
        TooLong,         // a row longer than kLongestRow
    };
    Fault fault() const { return m_fault; }
    int faultField() const { return m_faultField; }
    QString errorText() const { return m_readError; }

    char separator() const { return m_separator; }
    bool hadByteOrderMark() const { return m_byteOrderMark; }
    qint64 bytesRead() const { return m_bytesRead; }

    // A row may hold up to this many bytes: what the export writes of a
    // record with a text of 100 MB (another program may store one), though
    // its every character were a quote, doubled; but an unclosed quote early
    // in a large file does not take its whole size.
    static constexpr qsizetype kLongestRow = 256 * 1024 * 1024;

private:
    enum class Parse { Done, NeedMore, Bad };
    Parse parseRow();
    bool fill();
    bool start();
    Step fail(Fault fault, int field);

    QIODevice &m_device;
    QByteArray m_buffer;
    qsizetype m_pos = 0;
    bool m_atEnd = false;
    bool m_started = false;
    qint64 m_bytesRead = 0;
    char m_separator = ',';
    bool m_byteOrderMark = false;
    int m_line = 1;
    int m_rowLine = 1;
    // The row: its fields' bytes one after another, and where each ends.
    QByteArray m_text;
    QVector<qsizetype> m_ends;
    Fault m_fault = Fault::None;
    int m_faultField = 0;
    QString m_readError;
};

} // namespace Orvane
