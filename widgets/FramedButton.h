#pragma once

#include <QPushButton>

namespace Orvane {

// A push button that shows that it has the keyboard with a frame of its
// own, however the focus came (the program's start, a page change, a
// click, Tab). The styles draw their focus frame only once the keyboard has
// moved the focus in that window, and Fusion's is a one-pixel line of the
// highlight colour that a grey panel all but swallows. The frame is drawn in
// the caption's colour, which the palette (light, dark or the program's own)
// keeps readable on the button's face.
class FramedButton : public QPushButton
{
    Q_OBJECT

public:
    using QPushButton::QPushButton;

    // The frame's width and its distance from the button's edge.
    static constexpr int kFrameWidth = 2;
    static constexpr int kFrameInset = 3;

protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace Orvane
