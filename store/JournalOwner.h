#pragma once

#include "FileIdentity.h"

#include <QByteArray>
#include <QString>

#include <optional>

class QSqlDatabase;

namespace Orvane {

// Marks the rollback journal of this program's own write with the file the
// write goes to. A note beside the file ("Dowsing.dll-journal-owner") names
// the journal (device, inode, birth time, and the nonce SQLite put in its
// header) and the file (device, inode, birth time); a crash leaves it with
// the journal, and HotJournal reads it to know for sure whether the file at
// the path now is the one the journal was made for. ext4 gives a freed
// inode to the next new file at once (measured: five of five), so the birth
// time and the nonce keep a note from vouching for a later journal or file
// that took the same inode.
//
// The same file may hold other bytes by now: a restore tool or a sync client
// that writes another copy into the file, rather than renaming it over,
// keeps its inode and birth time. So each write also stamps the file's
// header with a number of its own (the user version, which SQLite leaves to
// the program) and the note keeps it. The file's first page reaches the disk
// only at the commit, in one write; until then it is the page the journal
// holds, and from then on it bears the stamp. A first page that is neither
// was written by someone else, and the journal would undo part of that.
class JournalOwner
{
public:
    // Right after BEGIN IMMEDIATE on db, a connection writing the file with
    // this identity at databasePath: stamps the file's header, which has
    // SQLite write the journal with the file's first page as it was at once,
    // then writes the note. A note that cannot be written is done without.
    JournalOwner(const QSqlDatabase &db, const QString &databasePath,
                 const FileIdentity &database);
    // After COMMIT or ROLLBACK: removes the note once its journal is gone.
    ~JournalOwner();
    JournalOwner(const JournalOwner &) = delete;
    JournalOwner &operator=(const JournalOwner &) = delete;

    // False when the engine would not begin the journal; errorText() says
    // why, and the write must not go on.
    bool isReady() const { return m_error.isEmpty(); }
    QString errorText() const { return m_error; }

    // What the note beside databasePath says of the journal there now,
    // whose header bytes 12 to 19 are journalSignature and whose copy of the
    // file's first page (as the write found it) is journalFirstPage, given
    // the first page of the file at the path now: true when this program's
    // write made it for another file than the one at the path, or for this
    // file before other bytes were written into it; false when for the file
    // as it is. nullopt when no note names that journal (a note left by an
    // earlier journal is removed) or where the system gives files no
    // identity.
    static std::optional<bool> madeForAnotherFile(const QString &databasePath,
                                                  const QByteArray &journalSignature,
                                                  const QByteArray &journalFirstPage,
                                                  const QByteArray &fileFirstPage);
    static void removeNote(const QString &databasePath);

private:
    QString m_databasePath;
    QByteArray m_note;
    QString m_error;
};

} // namespace Orvane
