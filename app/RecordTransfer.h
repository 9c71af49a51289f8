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
    };

    explicit RecordTransfer(QObject *parent = nullptr);

    // Asks for a CSV file (Save As) and exports the records: every record in
    // order of addition (nullopt), or the records with these keys in this
    // order (what a list shows, found and sorted). The outcome is told in a
    // message box; a cancelled dialog tells nothing.
    Outcome exportRecords(QWidget *parent, const std::optional<QVector<qint64>> &keys);
    // Asks for a CSV file in the export's form, checks every row, asks once
    // whether to add them, and adds them all in one transaction.
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
};

} // namespace Orvane
