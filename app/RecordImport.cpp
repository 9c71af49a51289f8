#include "RecordImport.h"

#include "platform/MessageBoxes.h"
#include "platform/Platform.h"
#include "store/RecordCsvReader.h"
#include "store/RecordStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>

#include <memory>

namespace Orvane {

namespace {

// The translation context of the texts.
struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(Orvane::RecordImport)
};

// Records read, checked or added between two looks at the progress.
constexpr int kBatchRecords = 4096;

QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

void tell(QWidget *parent, const QString &text, MessageBoxes::Icon icon)
{
    platform().messages->show(parent, text, icon);
}

// A sentence on the empty rows passed over, after a paragraph break; empty
// when there were none.
QString skippedText(qint64 rows)
{
    if (rows == 0)
        return {};
    return QStringLiteral("\r\r")
            + (rows == 1 ? Texts::tr("1 row with every field empty was skipped.")
                         : Texts::tr("%1 rows with every field empty were skipped.")
                                   .arg(QLocale().toString(rows)));
}

} // namespace

RecordImport::Checked RecordImport::check(const QString &path, Progress *progress)
{
    Checked checked;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        checked.reason = file.errorString();
        return checked;
    }
    RecordCsvReader reader(file);
    qint64 count = 0;
    for (;;) {
        const RecordCsvReader::Step step = reader.next(nullptr);
        if (step == RecordCsvReader::Step::End)
            break;
        if (step == RecordCsvReader::Step::Refused) {
            checked.errorLine = reader.errorLine();
            checked.reason = reader.errorText();
            return checked;
        }
        if (++count % kBatchRecords == 0 && progress && !progress->advance(reader.bytesRead())) {
            checked.outcome = RecordTransfer::Outcome::Cancelled;
            return checked;
        }
    }
    checked.outcome = RecordTransfer::Outcome::Done;
    checked.records = count;
    checked.skippedRows = reader.skippedRows();
    return checked;
}

RecordTransfer::Result RecordImport::add(RecordStore &store, const QString &path,
                                         const Checked &checked, Progress *progress)
{
    RecordTransfer::Result result;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.reason = file.errorString();
        return result;
    }
    RecordCsvReader reader(file);
    const QString changed = Texts::tr("The file changed after it was checked: it no longer "
                                      "holds the %1 that were checked.")
                                    .arg(RecordTransfer::recordCount(checked.records));
    qint64 added = 0;
    bool cancelled = false;
    QString problem;
    const bool done = store.addBatches([&](QVector<DowsingRecord> &batch) {
        if (progress && !progress->advance(added)) {
            cancelled = true;
            return false;
        }
        DowsingRecord record;
        while (batch.size() < kBatchRecords) {
            const RecordCsvReader::Step step = reader.next(&record);
            if (step == RecordCsvReader::Step::End)
                break;
            if (step == RecordCsvReader::Step::Refused) {
                problem = Texts::tr("%1 Line %2: %3", "%1: that the file changed")
                                  .arg(changed, QString::number(reader.errorLine()),
                                       reader.errorText());
                return false;
            }
            batch.append(record);
        }
        added += batch.size();
        const bool ended = batch.isEmpty();
        if (added > checked.records
            || (ended
                && (added != checked.records || reader.skippedRows() != checked.skippedRows))) {
            problem = changed;
            return false;
        }
        return true;
    });
    if (done) {
        result.outcome = RecordTransfer::Outcome::Done;
        result.count = added;
        result.skippedRows = reader.skippedRows();
    } else if (cancelled) {
        result.outcome = RecordTransfer::Outcome::Cancelled;
    } else {
        result.reason = problem.isEmpty() ? store.errorText() : problem;
    }
    return result;
}

RecordTransfer::Outcome RecordImport::run(QWidget *parent)
{
    using Outcome = RecordTransfer::Outcome;
    const QString path = platform().dialogs->openFileName(
            parent, Texts::tr("Import Records"), RecordTransfer::csvFilter());
    if (path.isEmpty())
        return Outcome::Cancelled;
    const QString cancelledText = Texts::tr("The import was cancelled: no record was imported, "
                                            "and the database was left as it was.");
    std::unique_ptr<Progress> progress = platform().progress->start(
            parent, Texts::tr("Reading \"%1\"...").arg(QFileInfo(path).fileName()),
            qMax<qint64>(1, QFileInfo(path).size()));
    const Checked checked = check(path, progress.get());
    progress.reset();
    if (checked.outcome == Outcome::Cancelled) {
        tell(parent, cancelledText, MessageBoxes::Icon::Information);
        return Outcome::Cancelled;
    }
    if (checked.outcome == Outcome::Failed) {
        tell(parent,
             checked.errorLine > 0
                     ? Texts::tr("The file \"%1\" cannot be imported: line %2 is not a record the "
                                 "import can read.\r\r%3\r\rNo record was imported.")
                               .arg(native(path), QString::number(checked.errorLine),
                                    checked.reason)
                     : Texts::tr("The file \"%1\" could not be read.\r\r%2")
                               .arg(native(path), checked.reason),
             MessageBoxes::Icon::Critical);
        return Outcome::Failed;
    }
    if (checked.records == 0) {
        tell(parent,
             Texts::tr("The file \"%1\" holds no records.").arg(native(path))
                     + skippedText(checked.skippedRows),
             MessageBoxes::Icon::Information);
        return Outcome::Done;
    }
    if (platform().messages->show(
                parent,
                (checked.records == 1
                         ? Texts::tr("%1 will be added to the database from \"%2\".%3\r\rDo you "
                                     "want to add it?",
                                     "%3: the rows skipped, if any")
                         : Texts::tr("%1 will be added to the database from \"%2\".%3\r\rDo you "
                                     "want to add them?",
                                     "%3: the rows skipped, if any"))
                        .arg(RecordTransfer::recordCount(checked.records), native(path),
                             skippedText(checked.skippedRows)),
                MessageBoxes::Icon::None, MessageBoxes::Buttons::YesNo, MessageBoxes::Answer::No)
        != MessageBoxes::Answer::Yes)
        return Outcome::Cancelled;
    RecordStore store;
    if (!RecordTransfer::openDatabase(parent, store))
        return Outcome::Failed;
    progress = platform().progress->start(
            parent, Texts::tr("Importing %1...").arg(RecordTransfer::recordCount(checked.records)),
            checked.records);
    const RecordTransfer::Result result = add(store, path, checked, progress.get());
    progress.reset();
    switch (result.outcome) {
    case Outcome::Done:
        tell(parent,
             store.withNotice(Texts::tr("%1 imported from \"%2\".")
                                      .arg(RecordTransfer::recordCount(result.count), native(path))
                              + skippedText(result.skippedRows)),
             MessageBoxes::Icon::Information);
        break;
    case Outcome::Cancelled:
        tell(parent, cancelledText, MessageBoxes::Icon::Information);
        break;
    case Outcome::Failed:
        tell(parent, Texts::tr("No record was imported.\r\r%1").arg(result.reason),
             MessageBoxes::Icon::Critical);
        break;
    }
    return result.outcome;
}

} // namespace Orvane
