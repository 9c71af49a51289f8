#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

#include <memory>

namespace Orvane::Testing {

// A write transaction that another process holds open on a database file,
// with its journal beside the file, until it commits or is killed: killed,
// it leaves the journal as a crash does. Both writers keep a cache of ten
// pages, so that their changes reach the file itself before the commit, as
// a long import's do.
class HeldWrite
{
public:
    // The program's own store importing this many records (a copy of this
    // test's executable runs holdImport()); it holds after the last.
    static std::unique_ptr<HeldWrite> byProgram(const QString &path, int records);
    // The program's own store deleting the record with this key (a copy of
    // this test's executable runs holdDelete()); it holds inside the
    // delete's transaction once the step named ("copy": the record's copy
    // kept, "removal": the record removed) is done.
    static std::unique_ptr<HeldWrite> byProgramDelete(const QString &path, qint64 key,
                                                      const QString &step);
    // The program's own store saving one record, held inside the commit once
    // the step named is done: "first page" (the file's first page written,
    // no other page yet) or "synced" (every page written and synced, the
    // journal not yet removed). A copy of this test's executable runs
    // holdCommit().
    static std::unique_ptr<HeldWrite> byProgramCommit(const QString &path, const QString &step);
    // The sqlite3 shell running the statements after BEGIN IMMEDIATE.
    static std::unique_ptr<HeldWrite> byShell(const QString &path, const QStringList &statements);
    ~HeldWrite();
    HeldWrite(const HeldWrite &) = delete;
    HeldWrite &operator=(const HeldWrite &) = delete;

    // True once the writer holds its transaction; otherwise failure() says
    // what it said.
    bool isHeld() const { return m_held; }
    QString failure() const { return m_failure; }
    // Ends the writer as a crash would, and waits for it to be gone.
    void kill();
    // The shell only: commits and quits; true when the commit succeeded.
    bool commit();

private:
    HeldWrite() = default;
    QString whatItSaid(const QByteArray &line);
    QProcess m_process;
    bool m_held = false;
    QString m_failure;
};

// The argument that makes a copy of a test's executable run holdImport().
inline constexpr char kHoldImportArgument[] = "--hold-import";
// In the copy: imports records records through the program's store into
// the file at path and, inside the import's transaction, after the last,
// says "held" and waits to be killed ("refused" when the store would not
// open the file). A test's main() calls it for kHoldImportArgument.
[[noreturn]] void holdImport(const QString &path, int records);

// The argument that makes a copy of a test's executable run holdDelete().
inline constexpr char kHoldDeleteArgument[] = "--hold-delete";
// In the copy: deletes the record with this key through the program's
// store and, inside the delete's transaction, after the step ("copy" or
// "removal"), says "held" and waits to be killed.
[[noreturn]] void holdDelete(const QString &path, qint64 key, const QString &step);

// The argument that makes a copy of a test's executable run holdCommit().
inline constexpr char kHoldCommitArgument[] = "--hold-commit";
// In the copy: saves one record through the program's store into the file
// at path and, inside the commit, once the step ("first page" or "synced")
// is done, says "held" and waits to be killed. The engine's files are
// reached through a layer of the copy's own that watches the writes.
[[noreturn]] void holdCommit(const QString &path, const QString &step);

} // namespace Orvane::Testing
