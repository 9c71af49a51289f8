#pragma once

#include <QIcon>
#include <QPixmap>

namespace Orvane {

// The program's icon: a forked dowsing rod over a drop of water, drawn at
// whatever size is asked for so it stays sharp on every screen.
QPixmap appIconPixmap(int size);
QIcon appIcon();

} // namespace Orvane
