#pragma once

#include <QString>

namespace Orvane {

// A rollback journal that a write killed part-way left beside the record
// file. SQLite finds it by the file's name and plays it into whatever file
// has that name at the next open: where a synced folder renamed another copy
// of the file over it meanwhile, that destroys the copy (measured: 4,648 of
// 6,000 records gone, integrity_check failing). settle() looks at such a
// journal before any connection opens the file and sets aside one that
// cannot belong to the file, under a name that says so; it is never played
// in and never deleted.
//
// What it cannot tell: a journal without this program's note (see
// JournalOwner), made by another program or an earlier version, beside a
// copy that looks like the file its write began with: a copy one save
// ahead of it, or, for a write that left the first page alone, a copy of
// the same page size no larger than the file was. Such a journal is played.
// Measured with the sqlite3 shell killed at random in imports, changes,
// removals and VACUUMs (orvane-journal-bench 400): beside a copy one save
// ahead, 21 of 44 journals were played and damaged it, 23 set aside; two
// or three saves ahead, 58 of 58 set aside; beside a copy of the file as
// the write found it, 35 played without harm; of 45 journals of the file
// itself none was set aside. With the note, 12 of 12 set aside, and of the
// program's saves killed at random, 40 of 40 beside a copy one save ahead
// written into the file (which keeps the file's inode) and 0 of 34 of the
// file itself; orvane-crash-bench 1000 played back 263 of 263.
class HotJournal
{
public:
    enum class Verdict {
        None,     // no journal SQLite would play
        Belongs,  // left for SQLite to play in, which is right
        Live,     // a write under way holds the file: left alone
        SetAside, // moved to setAsideAs, never played in
        Stuck,    // cannot belong but could not be moved: error says why
    };
    struct Outcome
    {
        Verdict verdict = Verdict::None;
        QString setAsideAs; // the journal's new path
        QString notice;     // for the user, after a set-aside
        QString error;      // why the file must not be opened now
    };

    // Settles the journal beside the database file at databasePath (an
    // absolute path); to be called before any connection opens the file.
    static Outcome settle(const QString &databasePath);
};

} // namespace Orvane
