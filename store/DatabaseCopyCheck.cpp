#include "DatabaseCopy.h"

#include <QFile>
#include <QFileInfo>
#include <QUrl>

#include <sqlite3.h>

// Whether a file is a whole copy of a record database, told cheaply enough
// to ask at every start: a copy cut short, a file another program put in
// the copy's place, or a folder or link of its name is not one.
namespace Orvane::DatabaseCopy {

namespace {

const char kFileMagic[] = "SQLite format 3";
const int kHeaderSize = 100;

quint32 headerField(const QByteArray &header, int at)
{
    const auto byte = [&](int i) { return quint32(quint8(header.at(at + i))); };
    return byte(0) << 24 | byte(1) << 16 | byte(2) << 8 | byte(3);
}

// The header of a SQLite file whose length is the one the header gives: the
// engine writes the size beside the change counter it was written at (bytes
// 28 and 92), and a copy's last page is written before it is renamed whole.
bool isWholeLength(const QString &path, qint64 length)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray header = file.read(kHeaderSize);
    if (header.size() != kHeaderSize
        || !header.startsWith(QByteArray::fromRawData(kFileMagic, sizeof kFileMagic)))
        return false;
    const quint32 sizeField = quint32(quint8(header.at(16))) << 8 | quint8(header.at(17));
    const qint64 pageSize = sizeField == 1 ? 65536 : sizeField;
    if (pageSize < 512 || pageSize > 65536 || (pageSize & (pageSize - 1)) != 0)
        return false;
    return headerField(header, 24) == headerField(header, 92)
            && qint64(headerField(header, 28)) * pageSize == length;
}

// The tables' description holds the records' table. Immutable: no lock is
// taken and no journal beside the copy is looked at, let alone played.
bool describesRecords(const QString &path)
{
    QUrl uri = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath());
    uri.setQuery(QStringLiteral("mode=ro&immutable=1"));
    sqlite3 *db = nullptr;
    bool described = false;
    if (sqlite3_open_v2(uri.toString(QUrl::FullyEncoded).toUtf8().constData(), &db,
                        SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, nullptr)
        == SQLITE_OK) {
        sqlite3_stmt *statement = nullptr;
        if (sqlite3_prepare_v2(db,
                               "SELECT 1 FROM sqlite_master WHERE type = 'table' "
                               "AND name = 'Details'",
                               -1, &statement, nullptr)
            == SQLITE_OK)
            described = sqlite3_step(statement) == SQLITE_ROW;
        sqlite3_finalize(statement);
    }
    sqlite3_close(db);
    return described;
}

} // namespace

bool isWholeCopy(const QString &path)
{
    const QFileInfo file(path);
    return !file.isSymLink() && file.isFile() && isWholeLength(path, file.size())
            && describesRecords(path);
}

} // namespace Orvane::DatabaseCopy
