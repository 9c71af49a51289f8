#include "RecordTransfer.h"

#include "RecordImport.h"

#include "platform/AppInfo.h"
#include "platform/MessageBoxes.h"
#include "platform/Platform.h"
#include "store/RecordCsv.h"
#include "store/RecordStore.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>

#include <memory>

namespace Orvane {

namespace {

// Rows read per query, and bytes gathered before each write.
constexpr int kBatchRows = 4096;
constexpr qsizetype kBufferBytes = 1 << 20;

QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

void tell(QWidget *parent, const QString &text, MessageBoxes::Icon icon)
{
    platform().messages->show(parent, text, icon);
}

// What an export tells of stored bytes that are not text, after a
// paragraph break; empty when there were none.
QString repairedText(qint64 fields)
{
    if (fields == 0)
        return {};
    return QStringLiteral("\r\r")
            + (fields == 1
                       ? RecordTransfer::tr(
                               "1 field held bytes that are not UTF-8 text (another program "
                               "stored them). In the file each such byte is the Windows-1252 "
                               "character it stands for (byte FC as \"\u00FC\"), and a zero "
                               "character is \"\uFFFD\". The records in the database are "
                               "unchanged.")
                       : RecordTransfer::tr(
                               "%1 fields held bytes that are not UTF-8 text (another program "
                               "stored them). In the file each such byte is the Windows-1252 "
                               "character it stands for (byte FC as \"\u00FC\"), and a zero "
                               "character is \"\uFFFD\". The records in the database are "
                               "unchanged.")
                                 .arg(fields));
}

} // namespace

RecordTransfer::RecordTransfer(QObject *parent)
    : QObject(parent)
{
}

QString RecordTransfer::csvFilter()
{
    return tr("CSV files (*.csv)");
}

QString RecordTransfer::databaseFilter()
{
    return tr("Dowsing database (*.dll)");
}

QString RecordTransfer::recordCount(qint64 n)
{
    // In the user's digit grouping, as the find bar counts: "1,000,000 records".
    return n == 1 ? tr("1 record") : tr("%1 records").arg(QLocale().toString(n));
}

bool RecordTransfer::openDatabase(QWidget *parent, RecordStore &store)
{
    const QString path = RecordStore::databasePath(platform().dataFolder);
    if (store.open(path) == RecordStore::OpenResult::Opened)
        return true;
    tell(parent,
         tr("The database %1 could not be opened.\r\r%2")
                 .arg(native(path), store.errorText()),
         MessageBoxes::Icon::Critical);
    return false;
}

RecordTransfer::Result RecordTransfer::exportTo(RecordStore &store, const QString &path,
                                                const std::optional<QVector<qint64>> &keys,
                                                AtomicFiles &files, Progress *progress)
{
    Result result;
    const auto failed = [&](const QString &reason) {
        result.outcome = Outcome::Failed;
        result.reason = reason;
        return result;
    };
    const std::unique_ptr<AtomicFile> file = files.create(path);
    if (!file->open())
        return failed(file->errorString());

    QByteArray buffer;
    buffer.reserve(kBufferBytes + 64 * 1024);
    buffer = RecordCsv::fileStart();
    qint64 written = 0;
    const RecordStore::RowVisitor visit = [&](const RecordStore::StoredRow &row) {
        result.repairedFields += RecordCsv::appendRow(buffer, row);
        ++written;
    };
    const auto flush = [&] {
        if (!file->write(buffer.constData(), buffer.size()))
            return false;
        buffer.resize(0);
        return true;
    };
    // After each batch read (read false when it failed): the bytes out once
    // there are enough, and the user's word. False when the export failed.
    bool cancelled = false;
    std::optional<QString> failure;
    const auto afterBatch = [&](bool read) {
        if (!read)
            failure = store.errorText();
        else if (buffer.size() >= kBufferBytes && !flush())
            failure = file->errorString();
        else if (progress && !progress->advance(written))
            cancelled = true;
        return !failure;
    };

    if (!keys) {
        std::optional<qint64> after;
        qint64 last = 0;
        int got = kBatchRows;
        while (!cancelled && got == kBatchRows
               && afterBatch(store.readRows(after, kBatchRows, visit, &got, &last)))
            after = last;
    } else {
        for (qsizetype from = 0; from < keys->size() && !cancelled; from += kBatchRows) {
            if (!afterBatch(store.readRows(keys->mid(from, kBatchRows), visit)))
                break;
        }
    }
    if (failure) {
        file->cancel();
        return failed(*failure);
    }
    if (cancelled) {
        file->cancel();
        result.outcome = Outcome::Cancelled;
        return result;
    }
    if (!flush() || !file->commit()) {
        const QString reason = file->errorString();
        file->cancel();
        return failed(reason);
    }
    result.outcome = Outcome::Done;
    result.count = written;
    return result;
}

RecordTransfer::Outcome RecordTransfer::exportRecords(QWidget *parent,
                                                      const std::optional<QVector<qint64>> &keys)
{
    const QString path = platform().dialogs->saveFileName(
            parent, tr("Export Records"), csvFilter(), QStringLiteral("csv"));
    if (path.isEmpty())
        return Outcome::Cancelled;
    RecordStore store;
    if (!openDatabase(parent, store))
        return Outcome::Failed;
    const qint64 total = keys ? keys->size() : store.count();
    std::unique_ptr<Progress> progress = platform().progress->start(
            parent, tr("Exporting %1...").arg(recordCount(qMax<qint64>(0, total))),
            qMax<qint64>(1, total));
    const Result result = exportTo(store, path, keys, *platform().files, progress.get());
    progress.reset();
    switch (result.outcome) {
    case Outcome::Done:
        tell(parent,
             tr("%1 exported to \"%2\".").arg(recordCount(result.count), native(path))
                     + repairedText(result.repairedFields),
             MessageBoxes::Icon::Information);
        break;
    case Outcome::Cancelled:
        tell(parent,
             tr("The export was cancelled: no file was written, and \"%1\" was left as it "
                "was.")
                     .arg(native(path)),
             MessageBoxes::Icon::Information);
        break;
    case Outcome::Failed:
        tell(parent,
             tr("The records could not be exported to \"%1\"; no file was written.\r\r%2")
                     .arg(native(path), result.reason),
             MessageBoxes::Icon::Critical);
        break;
    }
    return result.outcome;
}

RecordTransfer::Outcome RecordTransfer::importRecords(QWidget *parent)
{
    return RecordImport::run(parent);
}

RecordTransfer::Outcome RecordTransfer::backUpDatabase(QWidget *parent)
{
    const QString path = platform().dialogs->saveFileName(
            parent, tr("Back Up Database"), databaseFilter(), QStringLiteral("dll"));
    if (path.isEmpty())
        return Outcome::Cancelled;
    const QString database = RecordStore::databasePath(platform().dataFolder);
    const QFileInfo target(path);
    if (target.absoluteFilePath() == QFileInfo(database).absoluteFilePath()
        || (target.exists() && target.canonicalFilePath() == QFileInfo(database).canonicalFilePath())) {
        tell(parent,
             tr("The back-up cannot be written over the database %1 itself. Choose another "
                "file, in another folder or under another name.")
                     .arg(native(database)),
             MessageBoxes::Icon::Critical);
        return Outcome::Failed;
    }
    RecordStore store;
    if (!openDatabase(parent, store))
        return Outcome::Failed;
    // Per mille of the pages copied.
    std::unique_ptr<Progress> progress =
            platform().progress->start(parent, tr("Backing up the database..."), 1000);
    const RecordStore::BackUpResult result =
            store.backUpTo(path, [&](qint64 done, qint64 total) {
                return progress->advance(total > 0 ? done * 1000 / total : 0);
            });
    progress.reset();
    switch (result) {
    case RecordStore::BackUpResult::Done:
        tell(parent, tr("The database was backed up to \"%1\".").arg(native(path)),
             MessageBoxes::Icon::Information);
        return Outcome::Done;
    case RecordStore::BackUpResult::Cancelled:
        tell(parent,
             tr("The back-up was cancelled: no file was written, and \"%1\" was left as it "
                "was.")
                     .arg(native(path)),
             MessageBoxes::Icon::Information);
        return Outcome::Cancelled;
    case RecordStore::BackUpResult::Failed:
        break;
    }
    tell(parent,
         tr("The database could not be backed up to \"%1\"; no file was written.\r\r%2")
                 .arg(native(path), store.errorText()),
         MessageBoxes::Icon::Critical);
    return Outcome::Failed;
}

} // namespace Orvane
