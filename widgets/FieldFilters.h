#pragma once

#include "platform/MessageBoxes.h"

#include <QChar>
#include <QString>

// The rules that the entry window applies to what the user types: the
// keystroke filters of the customer page, the paste rule built on them, the
// e-mail test of "Next" and the empty-name test of the two pop-ups. Pure
// functions: showing the message is the caller's business.
namespace Orvane::FieldFilters {

enum class Rule {
    None,
    Alphabet, // letters (made capitals), blank, carriage return, backspace
    Number,   // digits, full stop, backspace
};

struct Verdict
{
    bool accepted = true;
    // What goes into the box instead of what was typed (a capital for a
    // small letter). For a refused key: empty.
    QString text;
    // The message for a refused key, with its icon.
    QString message;
    MessageBoxes::Icon icon = MessageBoxes::Icon::None;
};

QString alphabetMessage(); // "Please Enter Only Alphabet", information icon
QString numberMessage();   // "Please Enter Number", no icon

// One typed character (its character code, control characters included).
Verdict filterKey(Rule rule, QChar typed);

// Text arriving in one piece (paste, drop, input method): every character
// must pass filterKey, and the result is the characters as filterKey lets
// them through, less backspace and carriage return, which a one-line box
// never holds. One refused character refuses the whole text.
Verdict filterText(Rule rule, const QString &text);

// The e-mail test of the customer page: empty passes, otherwise an "@" is
// needed somewhere after the first character.
bool emailPasses(const QString &text);
QString emailMessage(); // "Please Enter Correct Email Address !"

// The pop-ups' test: empty means no characters at all (blanks are a name).
bool nameIsEmpty(const QString &text);

} // namespace Orvane::FieldFilters
