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

} // namespace Orvane::FindIndexUpgrade
