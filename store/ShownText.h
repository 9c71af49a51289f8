#pragma once

#include <QString>
#include <QStringView>

// A stored text as the windows show it. Another program may have stored
// anything in a field: characters that do not show (a zero ends what a
// screen reader hears there), or megabytes of text, which a text box lays
// out whole before it paints, for minutes where the text offers no place
// to break a line. The stored text itself is never changed: only what is
// shown of it.
namespace Orvane::ShownText {

// The characters a window lays out at once, and of a run that offers no
// place to break a line (the layout searches each such run to its end for
// every line it makes, so its time grows with the square of the run): past
// these, the report and the entry form take seconds. A report-sized text
// box from text to painted frame (orvane-bigtext-bench --layout): 100,000
// characters of words 40-45 ms, 300,000 of them 140-210 ms; runs without a
// space of 10,000 characters 24 ms, 30,000 86-116 ms, 100,000 1.0-1.1 s,
// 300,000 8-9 s.
constexpr qsizetype kMostShown = 100000;
constexpr qsizetype kLongestRun = 10000;

// How much of the text's start lays out at once: at most kMostShown
// characters, ending kLongestRun characters into the first run longer
// than that, never inside a character of two UTF-16 units.
qsizetype shownLength(QStringView text);

// The text with every control character but tab and line breaks, and the
// characters Qt's text documents take for marks of their own (object and
// frame markers), named by its code ("<U+0000>"), so that all of it shows
// and is read out. (The symbols Unicode has for the controls, U+2400 on,
// are in none of the fonts a Linux desktop ships with, DejaVu among them.)
// A text with none of them is handed back as it is, not copied.
QString visible(const QString &text);

// For one line of a grid or a chart: visible(), and at most kCellCharacters
// of it (more than the widest column or bar label shows), ending with "…"
// where the text goes on.
constexpr qsizetype kCellCharacters = 400;
QString cell(QStringView text);

} // namespace Orvane::ShownText
