#include "JournalFile.h"

#include <QFile>

#include <limits>

namespace Orvane {

namespace {

const char kJournalMagic[] = "\xd9\xd5\x05\xf9\x20\xa1\x63\xd7";
const int kJournalMagicSize = 8;
const int kJournalHeaderSize = 28;
const char kFileMagic[] = "SQLite format 3";
const int kFileHeaderSize = 100;

quint32 bigEndian32(const QByteArray &bytes, int at)
{
    const auto byte = [&](int i) { return quint32(quint8(bytes.at(at + i))); };
    return byte(0) << 24 | byte(1) << 16 | byte(2) << 8 | byte(3);
}

// The page size as a database header gives it: 1 stands for 65536.
quint32 filePageSize(const QByteArray &fileStart)
{
    const quint32 size = quint32(quint8(fileStart.at(16))) << 8 | quint8(fileStart.at(17));
    return size == 1 ? 65536 : size;
}

bool isPowerOfTwoIn(quint32 value, quint32 least, quint32 most)
{
    return value >= least && value <= most && (value & (value - 1)) == 0;
}

bool hasJournalMagic(const QByteArray &header)
{
    return header.size() >= kJournalHeaderSize
            && header.startsWith(QByteArray::fromRawData(kJournalMagic, kJournalMagicSize));
}

bool isDatabaseHeader(const QByteArray &fileStart)
{
    // The magic text with its closing zero byte.
    return fileStart.size() >= kFileHeaderSize
            && fileStart.startsWith(QByteArray::fromRawData(kFileMagic, sizeof kFileMagic));
}

QByteArray readAt(QFile &file, qint64 at, qint64 size)
{
    return file.seek(at) ? file.read(size) : QByteArray();
}

// SQLite's record checksum: the header's nonce plus every 200th byte of the
// page, from 200 bytes before its end down to the start.
bool checksumHolds(const QByteArray &page, quint32 nonce, quint32 stored)
{
    quint32 sum = nonce;
    for (int i = page.size() - 200; i > 0; i -= 200)
        sum += quint8(page.at(i));
    return sum == stored;
}

// The first page as the write found it, when a record holds it. Walks
// every header and record as playback does, also past a header's count:
// records the write had not yet made durable still show what it touched.
QByteArray firstPageIn(QFile &file, quint32 pageSize, quint32 sectorSize, quint32 originalPages)
{
    const qint64 size = file.size();
    const qint64 recordSize = 4 + qint64(pageSize) + 4;
    qint64 headerAt = 0;
    for (;;) {
        const QByteArray header = readAt(file, headerAt, kJournalHeaderSize);
        if (!hasJournalMagic(header))
            return {};
        const quint32 count = bigEndian32(header, 8);
        const quint32 nonce = bigEndian32(header, 12);
        // 0: not yet made durable; all ones: count by the file's size.
        qint64 left = count == 0 || count == 0xffffffff ? std::numeric_limits<qint64>::max()
                                                         : qint64(count);
        qint64 at = headerAt + sectorSize;
        for (; left > 0 && at + recordSize <= size; --left, at += recordSize) {
            const QByteArray number = readAt(file, at, 4);
            if (number.size() != 4)
                return {};
            const quint32 page = bigEndian32(number, 0);
            // Only pages the file had when the write began are journaled:
            // anything else is the next header or bytes never written.
            if (page == 0 || page > originalPages)
                break;
            if (page != 1)
                continue;
            const QByteArray record = readAt(file, at + 4, qint64(pageSize) + 4);
            if (record.size() == qint64(pageSize) + 4
                && checksumHolds(record.left(pageSize), nonce, bigEndian32(record, pageSize)))
                return record.left(pageSize);
            // A first page written only in part was never made durable, so
            // the write never changed the file's first page.
            return {};
        }
        // The next header starts at the next multiple of the sector size.
        const qint64 next = (at + sectorSize - 1) / sectorSize * sectorSize;
        if (next <= headerAt || next + kJournalHeaderSize > size)
            return {};
        headerAt = next;
    }
}

} // namespace

std::optional<JournalFile> JournalFile::read(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return std::nullopt;
    const QByteArray header = file.read(kJournalHeaderSize);
    // SQLite takes a journal for unfinished only when its first byte is not
    // zero, and plays it only with the magic and sizes it accepts.
    if (header.isEmpty() || header.at(0) == 0 || !hasJournalMagic(header))
        return std::nullopt;
    const quint32 sectorSize = bigEndian32(header, 20);
    JournalFile journal;
    journal.pageSize = bigEndian32(header, 24);
    if (!isPowerOfTwoIn(journal.pageSize, 512, 65536) || !isPowerOfTwoIn(sectorSize, 32, 65536))
        return std::nullopt;
    journal.originalPages = bigEndian32(header, 16);
    journal.signature = header.mid(12, 8);
    journal.firstPage = firstPageIn(file, journal.pageSize, sectorSize, journal.originalPages);
    return journal;
}

// Every rule holds for any journal SQLite made for the file (measured with
// writers killed at random moments, VACUUMs that change the page size
// among them: orvane-journal-bench); a copy of the file from elsewhere
// breaks one of them unless it happens to look like the file the write
// began with.
bool JournalFile::cannotBelongTo(const QByteArray &fileStart) const
{
    const bool header = isDatabaseHeader(fileStart);
    if (!firstPage.isEmpty()) {
        // The write journaled the first page. A first page that is not a
        // header may be one the write was rewriting when the power failed,
        // which the journal mends.
        if (!header)
            return false;
        // The first page reaches the file only at the commit (SQLite holds
        // it in memory till then), and it raises the change counter by one.
        const quint32 step = bigEndian32(fileStart, 24) - bigEndian32(firstPage, 24);
        if (step == 0)
            // Never rewritten: the header is as the write found it. (Only
            // the header: a write cut by a power failure may have reached
            // the rest of the page.)
            return fileStart.left(kFileHeaderSize) != firstPage.left(kFileHeaderSize);
        // Rewritten at the commit, perhaps with another page size by a
        // VACUUM, which the journal puts back.
        return step != 1;
    }
    // The first page was never touched: the file's header is the one the
    // write began with, and the size it gives (where valid) never exceeded
    // the file's size then (zero for a journal of a file being made, which
    // the record file never is).
    if (!header)
        return true;
    const bool sizeValid = fileStart.mid(24, 4) == fileStart.mid(92, 4);
    return filePageSize(fileStart) != pageSize
            || (sizeValid && bigEndian32(fileStart, 28) > originalPages);
}

} // namespace Orvane
