#pragma once

#include <QObject>
#include <QString>
#include <QVector>

#include <optional>

class QWidget;

namespace Orvane {

class AtomicFiles;
class Progress;
class RecordStore;

// File > Export, Import and Back Up, on a store of its own over the
// program's database. Every dialog, question and message goes through the
// platform seams; the work itself is in the static functions, which show
// nothing.
class RecordTransfer : public QObject
{
    Q_OBJECT

public:
    enum class Outcome { Done, Cancelled, Failed };
    struct Result
    {
        Outcome outcome = Outcome::Failed;
        qint64 count = 0;
        QString reason;
        // An export: the fields that held bytes that are not UTF-8 text,
        // written as characters (see RecordCsv::appendAsText).
        qint64 repairedFields = 0;
        // An import: the rows with every field empty, passed over.
        qint64 skippedRows = 0;
    };

    explicit RecordTransfer(QObject *parent = nullptr);

    // Asks for a CSV file (Save As) and exports the records: every record in
    // order of addition (nullopt), or the records with these keys in this
    // order (what a list shows, found and sorted). The outcome is told in a
    // message box; a cancelled dialog tells nothing.
    Outcome exportRecords(QWidget *parent, const std::optional<QVector<qint64>> &keys);
    // Asks for a CSV file, checks every row, asks once whether to add
    // them, and adds them all in one transaction (see RecordImport).
    Outcome importRecords(QWidget *parent);
    // Asks for a file name and writes a consistent copy of the database.
    Outcome backUpDatabase(QWidget *parent);

    // Writes the records to path through files, atomically: a failure or a
    // cancel (progress->advance() false; progress may be null) leaves no
    // file and an existing file as it was. Rows are read in batches,
    // never all at once.
    static Result exportTo(RecordStore &store, const QString &path,
                           const std::optional<QVector<qint64>> &keys, AtomicFiles &files,
                           Progress *progress);

    static QString csvFilter();
    static QString databaseFilter();
    // "1 record", "2 records", "1,000,000 records".
    static QString recordCount(qint64 n);
    // Opens the program's own database for a task; false after telling
    // the user why it could not.
    static bool openDatabase(QWidget *parent, RecordStore &store);
};

} // namespace Orvane
