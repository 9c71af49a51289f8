#include "RecordRestorer.h"

#include "platform/MessageBoxes.h"
#include "platform/Platform.h"
#include "store/RecordStore.h"
#include "widgets/Refusals.h"

namespace Orvane::RecordRestorer {

qint64 undoLastDelete(QWidget *parent)
{
    RecordStore store;
    if (store.open(RecordStore::databasePath(platform().programFolder))
        != RecordStore::OpenResult::Opened) {
        Refusals::show(parent, Refusals::recordsNotOpened(store.errorText()));
        return -1;
    }
    const std::optional<DeletedRecord> last = store.lastDeleted();
    if (!last) {
        if (!store.errorText().isEmpty())
            Refusals::show(parent, Refusals::recordsNotRead(store.errorText()));
        else
            platform().messages->show(parent,
                                      QStringLiteral("There Is No Deleted Record To Put Back."),
                                      MessageBoxes::Icon::Information);
        return -1;
    }
    return restore(parent, store, last->keptNumber);
}

qint64 restore(QWidget *parent, RecordStore &store, qint64 keptNumber)
{
    const std::optional<RecordStore::Restored> restored = store.restore(keptNumber);
    if (!restored) {
        Refusals::show(parent, Refusals::recordNotRestored(store.errorText()));
        return -1;
    }
    QString text = QStringLiteral("The Deleted Record Is Back Among Your Records.");
    if (!restored->ownKey)
        text += QStringLiteral("\rAnother Record Holds Its Old Place Now, So It Comes Last In "
                               "The Order Of Addition.");
    platform().messages->show(parent, store.withNotice(text), MessageBoxes::Icon::Information);
    return restored->idNumber;
}

} // namespace Orvane::RecordRestorer
