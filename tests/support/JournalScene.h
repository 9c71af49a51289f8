#pragma once

#include "support/HeldWrite.h"
#include "support/TestDatabase.h"

#include "store/DowsingRecord.h"

#include <QList>
#include <QString>

#include <functional>
#include <memory>

namespace Orvane::Testing {

// A database file with a write to it killed inside its transaction, or
// held at work, and perhaps another copy of the file renamed over it
// meanwhile, as a synced folder's client does. Each step returns what went
// wrong, or an empty text.
struct JournalScene
{
    using Start = std::function<std::unique_ptr<HeldWrite>()>;

    explicit JournalScene(const QString &databasePath);

    QString folder;
    QString path;
    // The other copy, beside the file until it is renamed over it.
    QString otherCopy;
    // The records the file must hold once the journal is settled.
    QList<DowsingRecord> expected;
    std::unique_ptr<HeldWrite> writer;

    // Copies the file as it is now to otherCopy and gives the copy saves of
    // its own, with notes of that length; the copy's records are then the
    // ones expected.
    QString makeOtherCopy(int saves, int notesLength = 0);
    // Holds the write; with replace, renames the other copy over the file
    // meanwhile. With reachesFile, the write must have reached the file it
    // writes (seen through a link to it, also after a rename).
    QString hold(const Start &start, bool replace = false, bool reachesFile = true);
    // Holds the write as hold() does, then kills it.
    QString crash(const Start &start, bool replace = false);
    // Writes the other copy's bytes into the file, which keeps its inode and
    // birth time, as a restore tool or a sync client that rewrites a file in
    // place does; the other copy is gone then.
    QString writeOtherCopyInto();

    // Records as saves elsewhere make them.
    static QList<DowsingRecord> saved(const QString &name, int count, int notesLength);
    // The program's import of 400 records, and the shell's statement.
    static Start programImport(const QString &path);
    // The program's save of one record, held in its commit at the step
    // (see HeldWrite::byProgramCommit()).
    static Start programCommit(const QString &path, const QString &step);
    static Start shell(const QString &path, const QString &statement);
};

} // namespace Orvane::Testing
