#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace Orvane {

// A rollback journal as SQLite reads it when it plays one back: a header
// (magic, record count, checksum nonce, the file's size in pages when the
// write began, sector size, page size) padded to the sector size, then
// records of page number, the page as it was, and a checksum; a long write
// adds further headers, each with its own nonce. What it tells of the file
// it was made for decides whether it may be played into the file at the
// path now.
struct JournalFile
{
    quint32 pageSize = 0;
    // The file's size in pages when the write began: SQLite cuts the file
    // back to it before it plays any page.
    quint32 originalPages = 0;
    // Bytes 12 to 19 of the first header: the nonce, random for every
    // journal, and the size. Tells this journal from any other that later
    // takes the same name or the same inode.
    QByteArray signature;
    // The file's first page as the write found it, where the journal holds
    // it whole with a sound checksum; empty otherwise.
    QByteArray firstPage;

    // The journal at path when SQLite would act on it: a file whose first
    // byte is not zero, with the magic and a page and sector size SQLite
    // accepts. nullopt for no file, an empty file, a header zeroed once its
    // write finished (PERSIST mode), or anything SQLite would not play.
    static std::optional<JournalFile> read(const QString &path);

    // True when the journal cannot have been made for the database file
    // whose first bytes (its first page, or as much of it as there is) are
    // given: SQLite would play another file's pages into it.
    bool cannotBelongTo(const QByteArray &fileStart) const;
};

} // namespace Orvane
