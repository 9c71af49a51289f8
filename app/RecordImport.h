#pragma once

#include "RecordTransfer.h"

#include <QString>

class QWidget;

namespace Orvane {

class Progress;
class RecordStore;

// File > Import Records. The file is read as a stream, twice, and never
// held whole: first every row is checked and the records counted, then,
// once the user agreed, it is read again and its records added batch by
// batch in one transaction (RecordStore::addBatches). Each pass shows its
// progress with Cancel; a cancel, a failure, or a file that no longer
// holds what was checked adds nothing and leaves the database file as it
// was.
class RecordImport
{
public:
    // What the check found.
    struct Checked
    {
        // Done, Cancelled by the user, or Failed with the reason.
        RecordTransfer::Outcome outcome = RecordTransfer::Outcome::Failed;
        qint64 records = 0;
        qint64 skippedRows = 0;
        // The line of the row that refused the file; 0 when the file could
        // not be read.
        int errorLine = 0;
        QString reason;
    };
    // Reads and checks every row; progress (may be null) is told the bytes
    // read and may cancel.
    static Checked check(const QString &path, Progress *progress);
    // Reads the file again and adds its records to store in one
    // transaction; progress (may be null) is told the records added and may
    // cancel. Adds nothing where the file no longer holds what check()
    // found.
    static RecordTransfer::Result add(RecordStore &store, const QString &path,
                                      const Checked &checked, Progress *progress);

    // The whole command: asks for the file, checks it, asks once whether to
    // add the records, adds them and tells the outcome.
    static RecordTransfer::Outcome run(QWidget *parent);
};

} // namespace Orvane
