#pragma once

#include "DowsingRecord.h"

#include <QString>

// How a stored record came to differ from what the user was shown, for the
// boxes that say so, and what an edit makes of the record as it is now.
namespace Orvane::RecordDifference {

// "This Record Was Changed By Another Program Since It Was Shown".
QString changedHeading();

// A line for each field that differs, "Caption: now (was before)", long
// texts shortened; the lines end in "\r".
QString describe(const DowsingRecord &before, const DowsingRecord &now);

// The record an edit of original into edited makes of now: the fields the
// edit changed take the edited value, the others keep now's.
DowsingRecord merge(const DowsingRecord &original, const DowsingRecord &edited,
                    const DowsingRecord &now);

} // namespace Orvane::RecordDifference
