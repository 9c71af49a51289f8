#pragma once

class QWidget;

// The end of the program: the exit screen, and unloading every window.
namespace Orvane::ProgramEnd {

// Shows the exit screen, above every other window; showing it again while
// it is shown leaves the one screen as it is. Does nothing once the program
// is being ended.
void showExitScreen();
bool isExitScreenShown();
// The exit screen while it exists, else null.
QWidget *exitScreen();

// Unloads every window, shown or hidden (each window's own unload handler
// runs), then ends the process. Windows are deleted once control returns to
// the event loop, so it may be called from a window's own handler. The
// caller must do nothing after it.
void unloadAllAndEnd();

} // namespace Orvane::ProgramEnd
