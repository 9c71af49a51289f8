#pragma once

#include <QFont>
#include <QString>

// The looks of the entry window: Verdana throughout, grey frames with white
// captions, light-yellow field labels, pale-yellow entry boxes with dark
// grey text and light-grey buttons. Every background comes with its text
// colour, so a dark desktop theme cannot leave text unreadable.
namespace Orvane::EntryStyle {

QFont font();
QFont boldFont();
// The style sheet for the window's outer frame; it reaches every control
// inside it and nothing outside (the menus keep the desktop's looks).
QString styleSheet();

} // namespace Orvane::EntryStyle
