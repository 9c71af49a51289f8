#include "FindIndexUpgrade.h"

#include "platform/MessageBoxes.h"
#include "platform/Platform.h"
#include "store/RecordStore.h"

namespace Orvane::FindIndexUpgrade {

namespace {

void build(QWidget *parent, RecordStore &store, const QString &label)
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
        return;
    const QString after = QStringLiteral(
            "Your records are as they were. Finding records is slower until they are "
            "prepared; the program offers it again when it next starts.");
    if (cancelled) {
        platform().messages->show(parent,
                                  QStringLiteral("Preparing your records for finding was "
                                                 "cancelled.\n\n")
                                          + after,
                                  MessageBoxes::Icon::Information);
    } else {
        platform().messages->show(parent,
                                  QStringLiteral("Your records could not be prepared for "
                                                 "finding:\n%1\n\n")
                                                  .arg(store.errorText())
                                          + after,
                                  MessageBoxes::Icon::Critical);
    }
}

} // namespace

void run(QWidget *parent, const QString &databasePath)
{
    RecordStore store;
    // A file that does not open was refused by the entry window already.
    if (store.open(databasePath) != RecordStore::OpenResult::Opened || store.hasFindIndex()
        || !store.errorText().isEmpty())
        return;
    build(parent, store, QStringLiteral("Preparing your records for finding (done once)..."));
}

void rebuild(QWidget *parent, const QString &databasePath)
{
    RecordStore store;
    if (store.open(databasePath) != RecordStore::OpenResult::Opened)
        return;
    build(parent, store, QStringLiteral("Preparing your records for finding..."));
}

} // namespace Orvane::FindIndexUpgrade
