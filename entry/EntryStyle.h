#pragma once

#include <QColor>
#include <QFont>

class QWidget;

// The looks of the entry window: Verdana throughout, a grey panel with white
// frame captions, light-yellow field labels, pale-yellow entry boxes with
// dark grey text and light-grey buttons. Every fixed background comes with
// its text colour, so a dark desktop theme cannot leave text unreadable.
//
// The colours are palettes rather than a style sheet: the window is built on
// every start, and a style sheet would make each of its controls several
// times dearer to build, lay out and draw.
namespace Orvane::EntryStyle {

QFont font();
// Bold, for the program's own words only: laid out without OpenType shaping.
QFont boldFont();
// The rim of the panel's captioned frames.
QColor rimColour();

// Gives one control of the window its looks, by its kind and name: the
// outer frame (Frame1) its panel colours, which every control inside it
// takes on, and the captions, the hint line and the pop-ups their own. Call
// it as each is made and named, before it is laid out.
void apply(QWidget *widget);

} // namespace Orvane::EntryStyle
