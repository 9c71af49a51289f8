#pragma once

#include <QString>

#ifdef ORVANE_ENGINE_KEYS
#include <sqlite3.h>
#endif

class QSqlDatabase;

namespace Orvane {
class KeyIndex;
}

// The list's keys read straight from the SQLite engine under the Qt driver,
// where the driver uses the system's shared library (see CMakeLists.txt).
namespace Orvane::EngineKeys {

// A table's whole-number key column: the records' IdNumber, the kept
// deleted records' KeptNumber (see DeletedRecords). Names written in the
// code, never a user's.
struct KeyColumn
{
    const char *table;
    const char *column;
};
inline constexpr KeyColumn kRecordKeys{"Details", "IdNumber"};

// Keys read in order always increase; a damaged file may say otherwise.
QString outOfOrderReason(const KeyColumn &keys);

// Every key of the column in order, as runs, read without holding them all
// at once: through the engine's handle where the driver gives one, else
// through the driver. False with error set when the read failed (index is
// then empty).
bool readKeyIndex(const QSqlDatabase &db, const KeyColumn &keys, KeyIndex &index,
                  QString &error);

#ifdef ORVANE_ENGINE_KEYS
// The engine's own handle under a connection, or null when the driver is
// not SQLite's.
sqlite3 *handleOf(const QSqlDatabase &db);
#endif

} // namespace Orvane::EngineKeys
