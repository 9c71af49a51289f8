#include "RecordRestorer.h"

#include "platform/MessageBoxes.h"
#include "platform/Platform.h"
#include "store/RecordStore.h"
#include "widgets/Refusals.h"

#include <QCoreApplication>

namespace Orvane::RecordRestorer {

namespace {

// The translation context of the messages.
struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(Orvane::RecordRestorer)
};

} // namespace

qint64 undoLastDelete(QWidget *parent)
{
    RecordStore store;
    if (store.open(RecordStore::databasePath(platform().dataFolder))
        != RecordStore::OpenResult::Opened) {
        Refusals::show(parent, Refusals::recordsNotOpened(store.errorText()));
        return -1;
    }
    const std::optional<DeletedRecord> last = store.lastDeleted();
    if (!last) {
        if (!store.errorText().isEmpty())
            Refusals::show(parent, Refusals::recordsNotRead(store.errorText()));
        else
            platform().messages->show(parent, Texts::tr("There Is No Deleted Record To Put Back."),
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
    QString text = Texts::tr("The Deleted Record Is Back Among Your Records.");
    if (!restored->ownKey)
        text += QLatin1Char('\r')
                + Texts::tr("Another Record Holds Its Old Place Now, So It Comes Last In The "
                            "Order Of Addition.");
    platform().messages->show(parent, store.withNotice(text), MessageBoxes::Icon::Information);
    return restored->idNumber;
}

} // namespace Orvane::RecordRestorer
