#include "HotJournal.h"

#include "JournalFile.h"
#include "JournalOwner.h"
#include "StoreSql.h"
#include "StoreTexts.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

#include <algorithm>

#include <sqlite3.h>

namespace Orvane {

namespace {

// The file opened through SQLite's own file layer with the SHARED lock
// SQLite holds while it decides whether a journal is hot: until it is let
// go, no SQLite can play the journal or begin a write. Through the engine
// (the library Qt's driver uses) it also sees the locks of this process's
// own connections, which the system's record locks never report to their
// own process, and closing it never drops them, as closing any other
// descriptor of the file would.
class SharedHold
{
public:
    explicit SharedHold(const QString &path)
    {
        QUrl uri = QUrl::fromLocalFile(path);
        uri.setQuery(QStringLiteral("mode=ro"));
        // Opening reads nothing yet, and so plays nothing.
        if (sqlite3_open_v2(uri.toString(QUrl::FullyEncoded).toUtf8().constData(), &m_db,
                            SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, nullptr)
                    != SQLITE_OK
            || sqlite3_file_control(m_db, "main", SQLITE_FCNTL_FILE_POINTER, &m_file)
                    != SQLITE_OK
            || !m_file || !m_file->pMethods) {
            m_file = nullptr;
            return;
        }
        // Refused while a writer holds PENDING or EXCLUSIVE: it is about to
        // write the file, or is playing the journal back itself.
        const int locked = m_file->pMethods->xLock(m_file, SQLITE_LOCK_SHARED);
        m_held = locked == SQLITE_OK;
        m_writerAtWork = locked == SQLITE_BUSY;
        int reserved = 0;
        if (m_held && m_file->pMethods->xCheckReservedLock(m_file, &reserved) == SQLITE_OK)
            m_writerAtWork = reserved != 0;
    }
    ~SharedHold()
    {
        if (m_held)
            m_file->pMethods->xUnlock(m_file, SQLITE_LOCK_NONE);
        sqlite3_close(m_db);
    }
    SharedHold(const SharedHold &) = delete;
    SharedHold &operator=(const SharedHold &) = delete;

    bool isHeld() const { return m_held && !m_writerAtWork; }
    bool writerAtWork() const { return m_writerAtWork; }

    // The file's first bytes, up to size of them.
    QByteArray start(quint32 size) const
    {
        sqlite3_int64 fileSize = 0;
        if (m_file->pMethods->xFileSize(m_file, &fileSize) != SQLITE_OK)
            return {};
        QByteArray bytes(int(std::min<sqlite3_int64>(size, fileSize)), '\0');
        if (m_file->pMethods->xRead(m_file, bytes.data(), bytes.size(), 0) != SQLITE_OK)
            return {};
        return bytes;
    }

private:
    sqlite3 *m_db = nullptr;
    sqlite3_file *m_file = nullptr;
    bool m_held = false;
    bool m_writerAtWork = false;
};

// "Dowsing.dll-journal-of-another-file-2026-12-08-080500", with "-2", "-3"
// ... after it when an earlier one took that name.
QString setAsideName(const QString &journalPath)
{
    const QString base = journalPath + QLatin1String("-of-another-file-")
            + QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd-HHmmss"));
    QString name = base;
    for (int n = 2; QFileInfo::exists(name); ++n)
        name = base + QLatin1Char('-') + QString::number(n);
    return name;
}

HotJournal::Outcome setAside(const QString &databasePath, const QString &journalPath)
{
    const QString fileName = QFileInfo(databasePath).fileName();
    HotJournal::Outcome outcome;
    QFile journal(journalPath);
    // Never over another file: QFile refuses a name that is taken.
    const QString target = setAsideName(journalPath);
    if (!journal.rename(target)) {
        outcome.verdict = HotJournal::Verdict::Stuck;
        outcome.error =
                StoreTexts::tr("An unfinished change found beside %1 belongs to another copy of "
                               "the file, which has since replaced it, and must not be applied "
                               "to it. It could not be set aside (%2), so the file was not "
                               "opened and nothing was changed. Move %3 out of the folder %4, "
                               "then start the program again.")
                        .arg(fileName, journal.errorString(), QFileInfo(journalPath).fileName(),
                             nativePath(QFileInfo(journalPath).absolutePath()));
        return outcome;
    }
    JournalOwner::removeNote(databasePath);
    outcome.verdict = HotJournal::Verdict::SetAside;
    outcome.setAsideAs = target;
    outcome.notice = StoreTexts::tr("An unfinished change found beside %1 belonged to another "
                                    "copy of the file, which has since replaced it. It was set "
                                    "aside as %2 and not applied; your records are as the file "
                                    "holds them.")
                             .arg(fileName, QFileInfo(target).fileName());
    return outcome;
}

} // namespace

HotJournal::Outcome HotJournal::settle(const QString &databasePath)
{
    const QString journalPath = databasePath + QLatin1String("-journal");
    // The usual case costs a look at the folder: SQLite passes over a
    // missing or empty journal, and a note can only be left over.
    if (QFileInfo(journalPath).size() <= 0) {
        JournalOwner::removeNote(databasePath);
        return {};
    }
    const SharedHold hold(databasePath);
    if (hold.writerAtWork())
        return {Verdict::Live, {}, {}, {}};
    // A file that cannot be read is refused by the engine at the open.
    if (!hold.isHeld())
        return {};
    // A journal SQLite would not play (its header is zeroed until the
    // write first makes it durable, and again once a PERSIST write ends)
    // needs no note.
    const std::optional<JournalFile> journal = JournalFile::read(journalPath);
    if (!journal) {
        JournalOwner::removeNote(databasePath);
        return {};
    }
    // The note, where it names this journal, knows; the journal's header
    // can only rule out.
    const QByteArray fileStart = hold.start(journal->pageSize);
    const bool other = JournalOwner::madeForAnotherFile(databasePath, journal->signature,
                                                        journal->firstPage, fileStart)
                               .value_or(false)
            || journal->cannotBelongTo(fileStart);
    if (!other) {
        JournalOwner::removeNote(databasePath);
        return {Verdict::Belongs, {}, {}, {}};
    }
    // Moved while the hold keeps every other SQLite from playing it.
    return setAside(databasePath, journalPath);
}

} // namespace Orvane
