#include "JournalOwner.h"

#include "StoreSql.h"

#include <QFile>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#ifdef Q_OS_LINUX
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#endif

namespace Orvane {

namespace {

QString journalPathOf(const QString &databasePath)
{
    return databasePath + QLatin1String("-journal");
}

QString notePathOf(const QString &databasePath)
{
    return databasePath + QLatin1String("-journal-owner");
}

// A file's identity and, where the system keeps it, its birth time: one
// inode holds many files over time, each born anew.
struct FileStamp
{
    FileIdentity identity;
    qint64 bornNs = 0; // 0: not known

    bool sameFileAs(const FileStamp &other) const
    {
        return identity == other.identity
                && (bornNs == 0 || other.bornNs == 0 || bornNs == other.bornNs);
    }
    QByteArray text() const
    {
        return QByteArray::number(identity.device) + ' ' + QByteArray::number(identity.inode)
                + ' ' + QByteArray::number(bornNs);
    }
};

std::optional<FileStamp> stampOf(const QString &path)
{
#if defined(Q_OS_LINUX) && defined(STATX_BTIME)
    struct statx status {};
    if (::statx(AT_FDCWD, QFile::encodeName(path).constData(), AT_STATX_SYNC_AS_STAT,
                STATX_TYPE | STATX_INO | STATX_BTIME, &status)
                != 0
        || !S_ISREG(status.stx_mode))
        return std::nullopt;
    FileStamp stamp;
    // As stat() gives it, so that it compares with FileIdentity.
    stamp.identity.device = quint64(makedev(status.stx_dev_major, status.stx_dev_minor));
    stamp.identity.inode = status.stx_ino;
    if (status.stx_mask & STATX_BTIME)
        stamp.bornNs = qint64(status.stx_btime.tv_sec) * 1000000000 + status.stx_btime.tv_nsec;
    return stamp;
#else
    const std::optional<FileIdentity> identity = identityOf(path);
    if (!identity)
        return std::nullopt;
    return FileStamp{*identity, 0};
#endif
}

// Bytes 12 to 19 of the journal's header, as JournalFile reads them.
QByteArray signatureOf(const QString &journalPath)
{
    QFile journal(journalPath);
    if (!journal.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return {};
    const QByteArray header = journal.read(20);
    return header.size() == 20 ? header.mid(12, 8) : QByteArray();
}

// A 32-bit field of a database header (big-endian), as a number.
quint32 headerField(const QByteArray &firstPage, int at)
{
    const auto byte = [&](int i) { return quint32(quint8(firstPage.at(at + i))); };
    return byte(0) << 24 | byte(1) << 16 | byte(2) << 8 | byte(3);
}

const int kChangeCounterAt = 24;
const int kUserVersionAt = 60;

// The note: "journal DEVICE INODE BORN SIGNATURE", "file DEVICE INODE BORN"
// and "stamp NUMBER".
struct Note
{
    FileStamp journal;
    QByteArray signature;
    FileStamp file;
    quint32 stamp = 0;

    QByteArray text() const
    {
        return "journal " + journal.text() + ' ' + signature.toHex() + "\nfile " + file.text()
                + "\nstamp " + QByteArray::number(stamp) + '\n';
    }
    static std::optional<Note> parse(const QByteArray &text)
    {
        const QList<QByteArray> lines = text.split('\n');
        if (lines.size() != 4 || !lines.at(3).isEmpty())
            return std::nullopt;
        const QList<QByteArray> j = lines.at(0).split(' ');
        const QList<QByteArray> f = lines.at(1).split(' ');
        const QList<QByteArray> n = lines.at(2).split(' ');
        if (j.size() != 5 || j.at(0) != "journal" || f.size() != 4 || f.at(0) != "file"
            || n.size() != 2 || n.at(0) != "stamp")
            return std::nullopt;
        bool ok = true;
        const auto fileStamp = [&ok](const QList<QByteArray> &parts) {
            bool d = false, i = false, b = false;
            FileStamp s{{parts.at(1).toULongLong(&d), parts.at(2).toULongLong(&i)},
                        parts.at(3).toLongLong(&b)};
            ok = ok && d && i && b;
            return s;
        };
        bool stamped = false;
        Note note{fileStamp(j), QByteArray::fromHex(j.at(4)), fileStamp(f),
                  n.at(1).toUInt(&stamped)};
        if (!ok || !stamped || note.signature.size() != 8)
            return std::nullopt;
        return note;
    }
};

// A number for the header that differs from the one there: the first page
// the commit writes then differs from the one the journal keeps, whatever
// else the write changed.
quint32 newStamp(quint32 current)
{
    quint32 stamp = 0;
    do
        stamp = QRandomGenerator::global()->generate();
    while (stamp == 0 || stamp == current);
    return stamp;
}

} // namespace

JournalOwner::JournalOwner(const QSqlDatabase &db, const QString &databasePath,
                           const FileIdentity &database)
    : m_databasePath(databasePath)
{
    // Changing the user version changes the first page: SQLite makes the
    // journal and copies that page into it now, before the change itself,
    // where it would otherwise do so at the commit. The page reaches the
    // file at the commit either way, with the stamp.
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("PRAGMA user_version")) || !query.next()) {
        m_error = reasonOf(query.lastError());
        return;
    }
    const quint32 stamp = newStamp(quint32(query.value(0).toLongLong()));
    query.finish();
    // The pragma takes a signed 32-bit number.
    if (!query.exec(QStringLiteral("PRAGMA user_version = %1").arg(qint32(stamp)))) {
        m_error = reasonOf(query.lastError());
        return;
    }

    // No journal file (the file keeps a write-ahead log): nothing to mark.
    const QString journalPath = journalPathOf(databasePath);
    const std::optional<FileStamp> journal = stampOf(journalPath);
    const QByteArray signature = signatureOf(journalPath);
    if (!journal || signature.isEmpty())
        return;
    // The file this connection writes, born when the file at the path was
    // born if that is still the same file.
    FileStamp file{database, 0};
    if (const std::optional<FileStamp> atPath = stampOf(databasePath);
        atPath && atPath->identity == database)
        file = *atPath;

    // Not made durable: a crash of the process leaves it in the system's
    // cache, which is what it is for; after a power failure a lost note
    // leaves the decision to the journal's header.
    const QByteArray note = Note{*journal, signature, file, stamp}.text();
    QFile out(notePathOf(databasePath));
    if (out.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered)
        && out.write(note) == note.size())
        m_note = note;
}

JournalOwner::~JournalOwner()
{
    if (m_note.isEmpty())
        return;
    // A journal still there after the transaction (a commit and rollback
    // that both failed) is unfinished and keeps its note.
    const std::optional<Note> note = Note::parse(m_note);
    const std::optional<FileStamp> journal = stampOf(journalPathOf(m_databasePath));
    if (!note || !journal || !journal->sameFileAs(note->journal)
        || signatureOf(journalPathOf(m_databasePath)) != note->signature)
        removeNote(m_databasePath);
}

std::optional<bool> JournalOwner::madeForAnotherFile(const QString &databasePath,
                                                     const QByteArray &journalSignature,
                                                     const QByteArray &journalFirstPage,
                                                     const QByteArray &fileFirstPage)
{
    QFile in(notePathOf(databasePath));
    if (!in.exists())
        return std::nullopt;
    // A note is a few dozen bytes; anything longer is not one.
    const std::optional<Note> note = in.open(QIODevice::ReadOnly) ? Note::parse(in.read(512))
                                                                  : std::nullopt;
    in.close();
    const std::optional<FileStamp> journal = stampOf(journalPathOf(databasePath));
    if (journal && journal->identity == FileIdentity{})
        return std::nullopt; // no identities here: every file would compare equal
    if (!note || !journal || !journal->sameFileAs(note->journal)
        || note->signature != journalSignature) {
        removeNote(databasePath);
        return std::nullopt;
    }
    const std::optional<FileStamp> file = stampOf(databasePath);
    if (!file || !file->sameFileAs(note->file))
        return true;
    // The write journaled the first page before the note was written, so a
    // journal of this note without it was changed since: let its header
    // decide.
    if (journalFirstPage.size() <= kUserVersionAt + 4)
        return std::nullopt;
    // Before the commit the first page is untouched (other pages may have
    // reached the file, which is what the journal is for); from the commit
    // on it is the write's, one change on.
    const bool untouched = fileFirstPage == journalFirstPage;
    const bool committed = fileFirstPage.size() == journalFirstPage.size()
            && headerField(fileFirstPage, kUserVersionAt) == note->stamp
            && headerField(fileFirstPage, kChangeCounterAt)
                    == headerField(journalFirstPage, kChangeCounterAt) + 1;
    return !untouched && !committed;
}

void JournalOwner::removeNote(const QString &databasePath)
{
    QFile::remove(notePathOf(databasePath));
}

} // namespace Orvane
