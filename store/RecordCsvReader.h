#pragma once

#include "CsvRowReader.h"
#include "DowsingRecord.h"

#include <QString>
#include <QVector>

class QIODevice;

namespace Orvane {

// The records of a CSV file, read a row at a time (see CsvRowReader): an
// export as RecordCsv writes it, and what a spreadsheet saves back.
// - The first row that holds anything is the header. Its names map the
//   columns, in any order and whatever their case: the export's names
//   (Date, Name, ..., Phone Number, Email, Dowsing Time, ...) or the
//   list's captions (Phone No, Email Address, Time Of Dowsing, ...). A
//   column missing from the header is empty in every record, but the date
//   is required. A name that is no field, or a field named twice, refuses
//   the file; a column without a name may only be empty.
// - Rows whose every field is empty are passed over and counted, wherever
//   they stand.
// - Each field is UTF-8 text without a zero character. The export's mark
//   is taken off (CsvCells::unmarked); the time forms spreadsheets write
//   back become "HH:MM", any other time text is kept as it stands; a date
//   with the mark is kept as it stands (the export marks a date another
//   program stored in a form of its own), any other is read by
//   CsvCells::readDate.
// The first row that breaks these refuses the file, naming its line and
// the column by its header.
class RecordCsvReader
{
public:
    explicit RecordCsvReader(QIODevice &device);

    enum class Step { Record, End, Refused };
    // Reads the next record into record; with null, checks it only.
    Step next(DowsingRecord *record);

    int errorLine() const { return m_errorLine; }
    QString errorText() const { return m_error; }
    qint64 skippedRows() const { return m_skipped; }
    qint64 bytesRead() const { return m_rows.bytesRead(); }

private:
    // What one column of the file holds.
    struct Column
    {
        QString header;
        bool isDate = false;
        bool isTime = false;
        // The text field it fills; null for the date and for a column
        // without a name.
        QString DowsingRecord::*member = nullptr;
    };

    Step readHeader();
    Step refuse(int line, const QString &reason);
    Step refuseRowFault();
    // The column's name as a message gives it.
    QString nameOf(int column) const;

    CsvRowReader m_rows;
    QVector<Column> m_columns;
    // The columns up to the last one the header names.
    int m_namedColumns = 0;
    bool m_headerRead = false;
    int m_errorLine = 0;
    QString m_error;
    qint64 m_skipped = 0;
};

} // namespace Orvane
