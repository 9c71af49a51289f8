#pragma once

class QString;
class QWidget;

namespace Orvane::FindIndexUpgrade {

// Gives a record file written before the find index existed its index, in
// one transaction, with a progress dialog where that takes more than a
// moment. A file that has the index is left alone. Cancelled or failed, the
// file stays as it was, searches read the records themselves, and the next
// start asks again; the user is told either way.
void run(QWidget *parent, const QString &databasePath);

// Builds the index anew in the same way, for a file whose index was found
// not to fit its records (another program wrote it, or a page of it is
// damaged). Until it is built, searches read the records themselves.
//
// A damaged index (and run() meets one too) stops every write: it is built
// anew only when the user agrees, after a copy of the file as it is was kept
// beside it ("Dowsing-before-index-repair-<date>.dll").
void rebuild(QWidget *parent, const QString &databasePath);

} // namespace Orvane::FindIndexUpgrade
