#include "EntryRecords.h"

#include "platform/MessageBoxes.h"
#include "platform/Platform.h"
#include "store/RecordDifference.h"
#include "store/RecordStore.h"
#include "widgets/Refusals.h"

namespace Orvane {

EntryRecords::EntryRecords(QWidget *window)
    : m_window(window)
    , m_store(std::make_unique<RecordStore>())
{
}

EntryRecords::~EntryRecords() = default;

bool EntryRecords::open()
{
    const QString path = RecordStore::databasePath(platform().dataFolder);
    QString problem;
    if (!RecordStore::isPresent(path)) {
        problem = Refusals::fileMissing();
    } else {
        switch (m_store->open(path)) {
        case RecordStore::OpenResult::Opened:
            break;
        case RecordStore::OpenResult::Missing:
            problem = Refusals::fileMissing();
            break;
        case RecordStore::OpenResult::Unusable:
            problem = Refusals::fileUnusable(m_store->errorText());
            break;
        }
    }
    if (!problem.isEmpty()) {
        Refusals::show(m_window, problem);
        return false;
    }
    if (const QString notice = m_store->notice(); !notice.isEmpty())
        say(notice);
    return true;
}

FileCheck *EntryRecords::pendingCheck() const
{
    return m_store->pendingCheck();
}

bool EntryRecords::add(DowsingRecord record)
{
    // The store refuses a date that is not a calendar date, saying so.
    if (!m_store->add(record)) {
        refuseSave(m_store->errorText());
        return false;
    }
    say(m_store->withNotice(tr("Record Saved Succesfully !")));
    return true;
}

EntryRecords::Update EntryRecords::update(DowsingRecord &original, DowsingRecord record)
{
    for (;;) {
        switch (m_store->update(original, record)) {
        case RecordStore::ChangeResult::Done:
            say(m_store->withNotice(tr("Record Edited Succesfully !")));
            return Update::Done;
        case RecordStore::ChangeResult::Failed:
            // The changes and update mode stay, to be saved again or left.
            refuseSave(m_store->errorText());
            return Update::Kept;
        case RecordStore::ChangeResult::Gone:
            return Update::Gone;
        case RecordStore::ChangeResult::ChangedElsewhere: {
            const DowsingRecord now = *m_store->storedNow();
            if (!confirmWritingOver(original, now))
                return Update::Kept;
            // Only what the user changed goes over what the record holds
            // now; the rest keeps the other program's values.
            record = RecordDifference::merge(original, record, now);
            original = now;
            break;
        }
        }
    }
}

void EntryRecords::tellGone()
{
    // The form is back in add mode with what the user entered, which can be
    // saved as a new record or cleared.
    refuseSave(tr("%1\rWhat you entered is kept: press Add to save it as a new record.")
                       .arg(m_store->errorText()));
}

bool EntryRecords::confirmWritingOver(const DowsingRecord &original, const DowsingRecord &now)
{
    return platform().messages->show(
                   m_window,
                   tr("%1, So Your Changes Have Not Been Written Yet.\r\r%2\rWrite Your Changes "
                      "Into It ? The Fields You Did Not Change Keep What It Holds Now.")
                           .arg(RecordDifference::changedHeading(),
                                RecordDifference::describe(original, now)),
                   MessageBoxes::Icon::Information, MessageBoxes::Buttons::YesNo,
                   MessageBoxes::Answer::No)
            == MessageBoxes::Answer::Yes;
}

void EntryRecords::refuseSave(const QString &reason)
{
    Refusals::show(m_window, Refusals::recordNotSaved(reason));
}

void EntryRecords::say(const QString &text)
{
    platform().messages->show(m_window, text, MessageBoxes::Icon::Information);
}

} // namespace Orvane
