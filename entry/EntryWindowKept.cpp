// The entry window's part in a session's end: what the form holds and was
// not saved goes aside as text, and comes back at the next start if the
// user wants it.

#include "EntryDraft.h"
#include "EntryWindow.h"

#include "platform/MessageBoxes.h"
#include "platform/Platform.h"
#include "widgets/FilteredLineEdit.h"

#include <QGroupBox>
#include <QLineEdit>

namespace Orvane {

QString EntryWindow::unsavedEntryText() const
{
    if (!hasUnsavedEntry())
        return {};
    EntryDraft draft{m_fields.record(), m_fields.listedDate(), m_fields.listedTime(), {}};
    if (m_edit)
        draft.edit = EntryDraft::Edit{m_edit->original, m_edit->listedDate, m_edit->storedTime};
    return draft.toText();
}

bool EntryWindow::offerKeptEntry(const QString &text)
{
    const std::optional<EntryDraft> draft = EntryDraft::fromText(text);
    if (!draft)
        return false;
    const QString question = draft->edit
            ? tr("Your changes to the record of %1 were not yet updated when the program was "
                 "ended last time, and were kept.\rDo you want them back in the form? No "
                 "throws them away.")
                      .arg(draft->edit->original.Name)
            : tr("The record you were entering when the program was ended last time was not "
                 "yet saved, and was kept.\rDo you want it back in the form? No throws it away.");
    if (platform().messages->show(this, question, MessageBoxes::Icon::Information,
                                  MessageBoxes::Buttons::YesNo, MessageBoxes::Answer::Yes)
        != MessageBoxes::Answer::Yes)
        return false;

    if (draft->edit) {
        beginEdit(draft->edit->original, draft->edit->date, draft->edit->time);
    } else {
        startNewRecord();
    }
    // Put back as it was typed, and still unsaved: leaving asks again.
    m_fields.offerStoredValues(draft->date, draft->time);
    m_fields.show(draft->typed, draft->date, draft->time);
    bringToFront(m_fraCustomersDetails);
    m_fields.txtName->setFocus(Qt::OtherFocusReason);
    return true;
}

} // namespace Orvane
