#include "RecordDifference.h"

#include "ShownText.h"
#include "StoreTexts.h"

namespace Orvane::RecordDifference {

namespace {

// A message box grows with its text: notes of thousands of characters
// would push its buttons off the screen.
const int kShownCharacters = 60;

QString shown(const QString &text)
{
    // Of a text of megabytes, only what the line can show is looked at.
    QString line = ShownText::visible(text.left(kShownCharacters * 4)).simplified();
    if (line.size() > kShownCharacters)
        line = line.left(kShownCharacters - 1) + QChar(0x2026);
    return line.isEmpty() ? StoreTexts::tr("empty") : QLatin1Char('"') + line + QLatin1Char('"');
}

QString line(const QString &caption, const QString &before, const QString &now)
{
    return StoreTexts::tr("%1: %2 (was %3)", "a changed field: its caption, what it holds now, "
                                            "what it held")
                   .arg(caption, shown(now), shown(before))
            + QLatin1Char('\r');
}

} // namespace

QString changedHeading()
{
    return StoreTexts::tr("This Record Was Changed By Another Program Since It Was Shown");
}

QString describe(const DowsingRecord &before, const DowsingRecord &now)
{
    using F = DowsingRecord::FieldId;
    QString lines;
    if (before.Date != now.Date)
        lines += line(DowsingRecord::shownCaption(DowsingRecord::field(F::Date)),
                      before.listedDateText(), now.listedDateText());
    for (const DowsingRecord::TextField &field : DowsingRecord::textFields()) {
        if (before.*field.member != now.*field.member)
            lines += line(DowsingRecord::shownCaption(field), before.*field.member,
                          now.*field.member);
    }
    return lines;
}

DowsingRecord merge(const DowsingRecord &original, const DowsingRecord &edited,
                    const DowsingRecord &now)
{
    DowsingRecord merged = now;
    if (edited.Date != original.Date)
        merged.Date = edited.Date;
    for (const DowsingRecord::TextField &field : DowsingRecord::textFields()) {
        if (edited.*field.member != original.*field.member)
            merged.*field.member = edited.*field.member;
    }
    return merged;
}

} // namespace Orvane::RecordDifference
