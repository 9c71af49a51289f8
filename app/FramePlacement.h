#pragma once

#include <QList>
#include <QRect>
#include <QString>

#include <optional>

namespace Orvane {

class FrameWindow;

// The frame window comes back at the size and place it had when the program
// last ended, kept in the user's settings, but only onto a screen that still
// shows it: a window kept on a second monitor since unplugged, or larger
// than the screen is now, would open where no one can reach it.
namespace FramePlacement {

struct Place
{
    QRect normal;   // the window's geometry when not maximized
    bool maximized = false;
};

QString toText(const Place &place);
// Nothing for a text this did not write.
std::optional<Place> fromText(const QString &text);

// Where the frame goes, given the screens' available areas (the primary
// first): the kept place where a screen still holds the middle of its top
// edge, shrunk to that screen where it has grown too small; else a frame
// of defaultSize centred on the primary screen.
Place placeOn(const std::optional<Place> &kept, const QList<QRect> &screens,
              const QSize &defaultSize);

// At start, before the frame shows: its size and place (show it maximized
// when restore() says so).
bool restore(FrameWindow &frame);
// At the end, while the frame is still on show.
void keep(const FrameWindow &frame);

} // namespace FramePlacement

} // namespace Orvane
