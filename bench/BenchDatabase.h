#pragma once

#include <QString>

namespace Orvane::Testing {

// Copies the shipped database into folder and fills it with records of a
// realistic size, in one transaction, so that rows records remain after
// every step-th record added is removed (none with step 0 or 1). Half the
// records name a hazel tool. With findIndex the file then gets its find
// index, as the program gives it to a file written before the index existed.
bool makeDatabase(const QString &folder, qint64 rows, qint64 step, bool findIndex = true);

} // namespace Orvane::Testing
