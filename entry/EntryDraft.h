#pragma once

#include "store/DowsingRecord.h"

#include <QString>

#include <optional>

namespace Orvane {

// What the entry form holds and was not saved, as text that outlives the
// program: a session's end keeps it aside, and the next start puts it back.
// The date and time are kept as the selectors show them (a date such as
// 2/31/2010 is not refused before the save); an edit keeps the record as
// the edit began, so that the update still compares with it.
struct EntryDraft
{
    // The form's text fields, tool and item; Date and IdNumber unused.
    DowsingRecord typed;
    // The selectors' date as listed ("M/D/YYYY") and time ("HH:MM").
    QString date;
    QString time;

    struct Edit
    {
        DowsingRecord original;
        QString date; // as the list showed it when the edit began
        QString time;
    };
    std::optional<Edit> edit;

    QString toText() const;
    // Nothing for a text this did not write (an older or damaged setting).
    static std::optional<EntryDraft> fromText(const QString &text);
};

} // namespace Orvane
