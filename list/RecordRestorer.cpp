#include "RecordRestorer.h"

#include "platform/MessageBoxes.h"
#include "platform/Platform.h"
#include "store/RecordStore.h"
#include "store/ShownText.h"
#include "widgets/Refusals.h"

#include <QCoreApplication>

namespace Orvane::RecordRestorer {

namespace {

// The translation context of the messages.
struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(Orvane::RecordRestorer)
};

// A name another program stored may be as long as a book.
constexpr int kLongestName = 60;

QString changedElsewhere(const QString &whatNot)
{
    return Texts::tr("Another Program Changed The Deleted Records Since They Were Shown, So %1\r"
                     "They Are Shown As They Are Now.")
            .arg(whatNot);
}

// The kept record shown put back through store, or, where the file no
// longer keeps it so, notKept said and nothing written.
Outcome putBack(QWidget *parent, RecordStore &store, const DeletedRecord &shown, qint64 *key,
                const QString &notKept)
{
    RecordStore::Restored restored;
    const RecordStore::ChangeResult result = store.restore(shown, &restored);
    if (result == RecordStore::ChangeResult::Failed) {
        Refusals::show(parent, Refusals::recordNotRestored(store.errorText()));
        return Outcome::Failed;
    }
    if (result != RecordStore::ChangeResult::Done) {
        platform().messages->show(parent, notKept, MessageBoxes::Icon::Information);
        return Outcome::ChangedElsewhere;
    }
    QString text = Texts::tr("The Deleted Record, %1, Is Back Among Your Records.")
                           .arg(nameOf(shown.record));
    if (!restored.ownKey)
        text += QLatin1Char('\r')
                + Texts::tr("Another Record Holds Its Old Place Now, So It Comes Last In The "
                            "Order Of Addition.");
    platform().messages->show(parent, store.withNotice(text), MessageBoxes::Icon::Information);
    if (key)
        *key = restored.idNumber;
    return Outcome::Done;
}

} // namespace

QString whenDeleted(const DeletedRecord &kept)
{
    if (!kept.deletedAt.isValid())
        return {};
    DowsingRecord deletedOn;
    deletedOn.Date = kept.deletedAt.date();
    return deletedOn.listedDateText() + QLatin1Char(' ')
            + kept.deletedAt.time().toString(QStringLiteral("HH:mm"));
}

QString nameOf(const DowsingRecord &record)
{
    // Cut before it is tidied: a name may be megabytes long.
    QString name = ShownText::visible(record.Name.left(kLongestName * 4)).simplified();
    if (name.size() > kLongestName)
        name = name.left(kLongestName - 1) + QChar(0x2026);
    const QString date = ShownText::cell(record.listedDateText()).left(kLongestName);
    if (name.isEmpty())
        return date.isEmpty() ? Texts::tr("Without A Name Or Date") : date;
    return date.isEmpty() ? name : name + QStringLiteral(", ") + date;
}

Outcome restore(QWidget *parent, RecordStore &store, const DeletedRecord &shown, qint64 *key)
{
    return putBack(parent, store, shown, key, changedElsewhere(Texts::tr("Nothing Was Put Back.")));
}

Outcome deleteForGood(QWidget *parent, RecordStore &store, const DeletedRecord &shown)
{
    if (platform().messages->show(
                parent,
                Texts::tr("Do You Really Want To Delete This Record For Good ?\rIt Cannot Be Put "
                          "Back Afterwards. Back-ups Made Before Still Hold It."),
                MessageBoxes::Icon::None, MessageBoxes::Buttons::YesNo, MessageBoxes::Answer::No)
        != MessageBoxes::Answer::Yes)
        return Outcome::Declined;
    const RecordStore::ChangeResult result = store.deleteForGood(shown);
    if (result == RecordStore::ChangeResult::Failed) {
        Refusals::show(parent, Refusals::recordNotDeletedForGood(store.errorText()));
        return Outcome::Failed;
    }
    if (result != RecordStore::ChangeResult::Done) {
        platform().messages->show(parent,
                                  changedElsewhere(Texts::tr("Nothing Was Deleted For Good.")),
                                  MessageBoxes::Icon::Information);
        return Outcome::ChangedElsewhere;
    }
    platform().messages->show(parent, store.withNotice(Texts::tr("The Record Is Deleted For Good.")),
                              MessageBoxes::Icon::Information);
    return Outcome::Done;
}

Outcome undoDelete(QWidget *parent, const std::optional<DeletedRecord> &deletedHere, qint64 *key)
{
    RecordStore store;
    if (store.open(RecordStore::databasePath(platform().dataFolder))
        != RecordStore::OpenResult::Opened) {
        Refusals::show(parent, Refusals::recordsNotOpened(store.errorText()));
        return Outcome::Failed;
    }
    if (deletedHere)
        return putBack(parent, store, *deletedHere, key,
                       Texts::tr("The Record You Deleted Last, %1, Is No Longer Among The "
                                 "Deleted Records: Another Program Changed Them. Nothing Was "
                                 "Put Back.")
                               .arg(nameOf(deletedHere->record)));

    // Deleted in an earlier run, or by another program: named first.
    const std::optional<DeletedRecord> last = store.lastDeleted();
    if (!last) {
        if (!store.errorText().isEmpty()) {
            Refusals::show(parent, Refusals::recordsNotRead(store.errorText()));
            return Outcome::Failed;
        }
        platform().messages->show(parent, Texts::tr("There Is No Deleted Record To Put Back."),
                                  MessageBoxes::Icon::Information);
        return Outcome::Declined;
    }
    // Another program may have kept no time it can be read by.
    const QString when = whenDeleted(*last);
    const QString question =
            when.isEmpty() ? Texts::tr("Put Back The Record Deleted Last, %1 ?").arg(nameOf(last->record))
                           : Texts::tr("Put Back The Record Deleted Last, %1, Deleted %2 ?")
                                     .arg(nameOf(last->record), when);
    if (platform().messages->show(parent, question,
                                  MessageBoxes::Icon::None, MessageBoxes::Buttons::YesNo,
                                  MessageBoxes::Answer::Yes)
        != MessageBoxes::Answer::Yes)
        return Outcome::Declined;
    return restore(parent, store, *last, key);
}

} // namespace Orvane::RecordRestorer
