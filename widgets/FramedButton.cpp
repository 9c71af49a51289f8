#include "FramedButton.h"

#include <QPainter>
#include <QPen>

namespace Orvane {

void FramedButton::paintEvent(QPaintEvent *event)
{
    QPushButton::paintEvent(event);
    if (!hasFocus())
        return;
    QPainter painter(this);
    QPen pen(palette().color(QPalette::ButtonText), kFrameWidth);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    // The pen is centred on the path: half its width inside the inset.
    const int half = kFrameWidth / 2;
    painter.drawRect(rect().adjusted(kFrameInset + half, kFrameInset + half,
                                     -(kFrameInset + half), -(kFrameInset + half)));
}

} // namespace Orvane
