#pragma once

#include <QtGlobal>

class QWidget;

namespace Orvane {

class RecordStore;

// Puts deleted records back among the records, through a connection of its
// own, and tells the user what became of each. A record goes back under the
// key it had, so that it takes its old place in the order of addition, or
// under a new one when another record holds that key now (written there by
// another program).
namespace RecordRestorer {

// File > Undo Delete: the kept record deleted last, put back. Its key now,
// or -1 when nothing was put back (the user was told why).
qint64 undoLastDelete(QWidget *parent);

// The kept record with this number, put back through store; its key now, or
// -1 (the user was told why).
qint64 restore(QWidget *parent, RecordStore &store, qint64 keptNumber);

} // namespace RecordRestorer
} // namespace Orvane
