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

// Keys read in order always increase; a damaged file may say otherwise.
QString outOfOrderReason();

#ifdef ORVANE_ENGINE_KEYS
// The engine's own handle under a connection, or null when the driver is
// not SQLite's.
sqlite3 *handleOf(const QSqlDatabase &db);
// The keys in order as runs; the reason of a failure, or an empty text.
bool readKeyIndex(sqlite3 *handle, KeyIndex &index, QString &error);
#endif

} // namespace Orvane::EngineKeys
