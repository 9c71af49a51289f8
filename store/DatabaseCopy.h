#pragma once

#include "FileIdentity.h"

#include <QString>

#include <functional>
#include <optional>

class QSqlDatabase;

// A consistent copy of a record database, taken while other connections
// read and write it: File > Back Up and the daily back-up both make theirs
// here.
//
// The engine's online back-up copies the pages in small steps; each step
// holds the file's read lock only briefly, so a save on another connection
// waits at most one step, well inside its busy timeout. A save between steps
// makes the engine start the copy again from the first page, so the copy is
// always of one moment. Where the engine's handle is out of reach the copy
// is made with VACUUM INTO, which holds the read lock for the whole copy.
//
// The copy grows in a temporary file beside the target and is renamed into
// place only once complete: a failed or cancelled copy leaves the target as
// it was and no temporary file.
namespace Orvane::DatabaseCopy {

enum class Result { Done, Cancelled, Failed };

// What a copy may do to a file that already has the target's name.
enum class Target {
    Replace,    // put the copy in its place (the user chose the name)
    NeverOver,  // fail instead, whatever the file is (a folder, a link)
};

// Told the pages copied and their number after each step; cancels the copy
// by returning false.
using Progress = std::function<bool(qint64 done, qint64 total)>;

// Copies the database open on db, whose file is at source, to target. Call
// it on the thread that opened db. Refuses source itself (by any name) as
// the target. A writer's lock held for about two seconds fails the copy. On
// failure error holds why.
Result copy(const QSqlDatabase &db, const QString &source, const QString &target,
            const Progress &progress, QString &error);

// Copies the file at source over a read-only connection that this call makes
// and closes on the calling thread, so that it may run on a thread of its
// own. A writer's lock is waited for as long as it is held (progress is
// told after each try, and may cancel). With expected, only the file of
// that identity is copied: a file renamed over source before or during the
// copy fails it.
Result copyFile(const QString &source, const QString &target, const Progress &progress,
                QString &error, const std::optional<FileIdentity> &expected = std::nullopt,
                Target over = Target::Replace);

// True when the file at path is a regular file (not a link) holding a whole
// record database: a SQLite file as long as its header says, whose table of
// records is described. Reads its header and the tables' description, at
// any size of file, and never plays a journal beside it into it.
bool isWholeCopy(const QString &path);

} // namespace Orvane::DatabaseCopy
