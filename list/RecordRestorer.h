#pragma once

#include "store/DeletedRecords.h"

#include <QtGlobal>

#include <optional>

class QWidget;

namespace Orvane {

class RecordStore;

// Puts deleted records back among the records, or removes them for good,
// and tells the user what became of each, naming the record. A record goes
// back under the key it had, so that it takes its old place in the order of
// addition, or under a new one when another record holds that key now
// (written there by another program). Each acts only while the file still
// keeps the record as the user was shown it (or as this program deleted
// it): a sync client may have put another machine's copy in place, whose
// kept records are others.
namespace RecordRestorer {

// What became of a kept record.
enum class Outcome {
    Done,
    // Another program changed the kept records: nothing was written.
    ChangedElsewhere,
    // The file could not be read or written (the user was told why).
    Failed,
    // The user said No.
    Declined,
};

// "ALICE AAA, 7/3/2009": the record named in a message, its name cut to a
// line.
QString nameOf(const DowsingRecord &record);
// "12/8/2026 10:15": when a kept record was deleted, as listed; empty
// where the file keeps no time that can be read.
QString whenDeleted(const DeletedRecord &kept);

// File > Undo Delete, through a connection of its own: deletedHere, the
// record this program deleted last, put back while the file still keeps it
// as it was deleted; without one (none deleted in this run), the record
// deleted last, after a question that names it. *key is where it went back.
Outcome undoDelete(QWidget *parent, const std::optional<DeletedRecord> &deletedHere,
                   qint64 *key);

// The kept record shown, put back through store; *key is where it went.
Outcome restore(QWidget *parent, RecordStore &store, const DeletedRecord &shown, qint64 *key);

// The kept record shown, removed for good through store after its own
// question.
Outcome deleteForGood(QWidget *parent, RecordStore &store, const DeletedRecord &shown);

} // namespace RecordRestorer
} // namespace Orvane
