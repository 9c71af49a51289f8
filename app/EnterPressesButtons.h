#pragma once

#include <QObject>

namespace Orvane {

// Enter and keypad Enter press the focused push button in every window, as
// Space does: users of desktops where Enter presses buttons expect it, and Qt
// only does it in dialogs. Where Qt already gives Enter a meaning (a dialog's
// default and auto-default buttons, the list's grid, multi-line boxes) it is
// left alone, since only key presses that reach a push button are handled.
class EnterPressesButtons : public QObject
{
public:
    using QObject::QObject;

    // Installs one filter for the whole application; installing it again
    // changes nothing.
    static void install();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};

} // namespace Orvane
