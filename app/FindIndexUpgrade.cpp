#include "FindIndexUpgrade.h"

#include "platform/MessageBoxes.h"
#include "platform/Platform.h"
#include "store/RecordStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocale>

namespace Orvane::FindIndexUpgrade {

namespace {

// The translation context of the texts.
struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(Orvane::FindIndexUpgrade)
};

// The progress of building the index, after it was found damaged or missing.
QString preparing()
{
    return Texts::tr("Preparing your records for finding...");
}

// Builds the index, and tells the user when it was cancelled or failed;
// true once it is built.
bool build(QWidget *parent, RecordStore &store, const QString &label)
{
    const qint64 total = store.count();
    bool cancelled = false;
    bool built = false;
    {
        const auto progress = platform().progress->start(parent, label, qMax<qint64>(total, 1));
        built = store.addFindIndex([&](qint64 done, qint64) {
            cancelled = !progress->advance(done);
            return !cancelled;
        });
    }
    if (built)
        return true;
    const QString after = Texts::tr(
            "Your records are as they were. Finding records is slower until they are "
            "prepared; the program offers it again when it next starts.");
    if (cancelled) {
        platform().messages->show(
                parent, Texts::tr("Preparing your records for finding was cancelled.\n\n%1")
                                .arg(after),
                MessageBoxes::Icon::Information);
    } else {
        platform().messages->show(
                parent, Texts::tr("Your records could not be prepared for finding:\n%1\n\n%2")
                                .arg(store.errorText(), after),
                MessageBoxes::Icon::Critical);
    }
    return false;
}

// The damaged index's pages, left unread in the file when it was built
// anew, are given back, so that the file checks whole; empty when done,
// else why not.
QString giveBackRoom(QWidget *parent, RecordStore &store, const QString &databasePath)
{
    // The file is rewritten through a temporary copy and a journal of it:
    // it must never take the room the records need.
    const QFileInfo file(databasePath);
    const qint64 needed = 2 * file.size();
    const qint64 free = platform().disks->freeBytes(file.absolutePath());
    if (free >= 0 && free < needed) {
        const auto size = [](qint64 bytes) {
            return QLocale().formattedDataSize(bytes, 0, QLocale::DataSizeSIFormat);
        };
        return Texts::tr("the disk has %1 free, and it needs %2, twice the size of your records")
                .arg(size(free), size(needed));
    }
    // The engine cannot say how far it is: a busy bar, with Cancel.
    const auto progress = platform().progress->start(
            parent, Texts::tr("Giving back the room the damaged index took..."), 0);
    if (store.compact([&] { return progress->advance(0); }))
        return {};
    return store.errorText();
}

// A damaged index is built anew only when the user agrees, and only once a
// copy of the file as it is has been kept beside it.
void mend(QWidget *parent, RecordStore &store, const QString &databasePath)
{
    const QFileInfo file(databasePath);
    const QString copy = file.dir().filePath(
            QStringLiteral("%1-before-index-repair-%2.dll")
                    .arg(file.completeBaseName(),
                         platform().clock->today().toString(Qt::ISODate)));
    const QString copyName = QFileInfo(copy).fileName();
    if (platform().messages->show(
                parent,
                Texts::tr("The find index inside %1 is damaged. Your records themselves are "
                          "sound: they can be read, found, exported and backed up, but nothing "
                          "can be saved in the file until the index is built anew.\r\rBuild it "
                          "anew now? A copy of the file as it is now is kept first, as \"%2\".")
                        .arg(file.fileName(), copyName),
                MessageBoxes::Icon::Information, MessageBoxes::Buttons::YesNo,
                MessageBoxes::Answer::Yes)
        != MessageBoxes::Answer::Yes)
        return;
    RecordStore::BackUpResult copied;
    {
        const auto progress = platform().progress->start(
                parent, Texts::tr("Keeping a copy of your records..."), 100);
        copied = store.backUpTo(copy, [&](qint64 done, qint64 total) {
            return progress->advance(total > 0 ? done * 100 / total : 0);
        });
    }
    if (copied != RecordStore::BackUpResult::Done) {
        platform().messages->show(
                parent,
                Texts::tr("No copy of the file could be kept, so the index was not built "
                          "anew:\r%1")
                        .arg(store.errorText().isEmpty() ? Texts::tr("Cancelled.")
                                                         : store.errorText()),
                MessageBoxes::Icon::Critical);
        return;
    }
    if (!build(parent, store, preparing()))
        return;
    const QString notGivenBack = giveBackRoom(parent, store, databasePath);
    QString done = Texts::tr("The find index inside %1 was built anew: your records can be found "
                             "and saved again. The copy of the file as it was is kept as \"%2\"; "
                             "you may delete it once your records look right.")
                           .arg(file.fileName(), copyName);
    if (!notGivenBack.isEmpty())
        done += Texts::tr("\r\rThe room the damaged index took inside the file could not be "
                          "given back, and stays unused there; your records are sound. (%1)")
                        .arg(notGivenBack);
    platform().messages->show(parent, done, MessageBoxes::Icon::Information);
}

} // namespace

void run(QWidget *parent, const QString &databasePath)
{
    RecordStore store;
    // A file that does not open was refused by the entry window already.
    if (store.open(databasePath) != RecordStore::OpenResult::Opened)
        return;
    if (store.isIndexDamaged())
        mend(parent, store, databasePath);
    else if (!store.hasFindIndex() && store.errorText().isEmpty())
        build(parent, store, Texts::tr("Preparing your records for finding (done once)..."));
}

void rebuild(QWidget *parent, const QString &databasePath)
{
    RecordStore store;
    if (store.open(databasePath) != RecordStore::OpenResult::Opened)
        return;
    if (store.isIndexDamaged())
        mend(parent, store, databasePath);
    else
        build(parent, store, preparing());
}

} // namespace Orvane::FindIndexUpgrade
