#pragma once

#include "FileIdentity.h"

#include <QSqlDatabase>
#include <QString>

#include <functional>
#include <memory>

namespace Orvane {

class FileCheck;
struct Damage;

// The record file itself, under one connection: which file is opened and
// which refused, the journal a crash left beside it, the check of every
// page, the journal mode, and that a write goes to the file that stands at
// the path and is in it alone once reported. RecordStore keeps the records
// in it.
//
// The file is never created, and a file that is refused is left exactly as
// it was.
class StoreFile
{
public:
    enum class OpenResult {
        Opened,
        Missing,  // no regular file of that name
        Unusable, // the file exists but is not a usable record database
    };

    StoreFile();
    ~StoreFile();
    StoreFile(const StoreFile &) = delete;
    StoreFile &operator=(const StoreFile &) = delete;

    // "<folder>/Dowsing.dll".
    static QString databasePath(const QString &dataFolder);
    // True only for a regular file: a folder of that name is missing.
    static bool isPresent(const QString &path);

    // Opens the file read-write without ever creating it, and checks that it
    // is a SQLite database with a usable Details table that can be written.
    // A file larger than largeFileBytes() opens before all its pages are
    // read: see pendingCheck().
    OpenResult open(const QString &path);
    bool isOpen() const;
    void close();

    // The connection; invalid while the file is not open.
    QSqlDatabase database() const;
    QString connectionName() const { return m_connection; }
    // The absolute path opened; empty while the file is not open.
    QString path() const { return m_path; }
    // What the file at the path was when it was opened.
    const FileIdentity &identity() const { return m_identity; }

    // Before a write: the file is the one at the path (a replaced file is
    // opened afresh), all its pages were read and found sound, and it is
    // journaled so that the file alone will hold the write.
    bool readyToWrite();
    // After the write's commit: the file alone holds it, and it is still the
    // file at the path. A write is reported done only once this holds.
    bool writtenToFileAtPath();

    // Rewrites the file in place (VACUUM, in one transaction of the engine's
    // journal) with only the pages its tables use: a damaged find index,
    // taken out of the schema unread when it was built anew, leaves its
    // pages behind, used by no table. keepGoing is asked now and then where
    // the engine's handle is in reach, and stops it, leaving the file as it
    // was, when it answers false. False, with errorText(), when not done.
    bool compact(const std::function<bool()> &keepGoing);

    // What open() or the last write did that the user should hear of: empty
    // as a rule; else open() set aside an unfinished change that belonged to
    // another copy of the file (see HotJournal), or the write is kept but
    // another program holds part of it back.
    QString notice() const { return m_notice; }

    // The check of every page found damage in the find index only: the
    // records are read as ever, but no write is made until the index is
    // built anew, between beginIndexMend() and endIndexMend().
    bool isIndexDamaged();
    void beginIndexMend();
    void endIndexMend(bool built);

    // The check of every page of a large file while it still runs on a
    // second thread; null when the check was made at open or is over.
    FileCheck *pendingCheck() const;
    // Files above this size are checked on a second thread.
    static qint64 largeFileBytes();
    // For tests: checks files above this size on a second thread.
    static void setLargeFileBytes(qint64 bytes);

    // The reason of the last failure, empty after a success.
    QString errorText() const { return m_error; }

private:
    bool fail(const QString &reason);
    bool checkUsable();
    bool checkKey();
    bool followFileAtPath();
    bool useRollbackJournal();
    bool checkpoint();
    // Takes in the verdict of the page check: false, with the reason, for
    // damage beyond the find index.
    bool takeVerdict(const Damage &damage);

    QString m_connection;
    QString m_error;
    QString m_notice;
    QString m_path;
    FileIdentity m_identity;
    std::shared_ptr<FileCheck> m_check;
    // Why the find index is found damaged; empty when it is not.
    QString m_indexDamage;
    bool m_mendingIndex = false;
    bool m_journalSettled = false;
    // Another connection kept the file in write-ahead-log mode: every write
    // is copied into the file before it is reported.
    bool m_checkpointEachWrite = false;
};

} // namespace Orvane
