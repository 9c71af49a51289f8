#pragma once

#include "CaptionLabel.h"

namespace Orvane {

// A static text that acts as a link: a pointing-hand cursor, and clicked()
// when the left button is pressed and released over it. Screen readers see
// a link with a press action. A window that lets the keyboard reach it gives
// it Qt::TabFocus: it then shows a focus frame and Enter or Space presses it.
// It takes the keyboard only when the user moves it there (Tab, Shift+Tab):
// a window that hands the focus to its first control on its own, at its
// start or when the focused control is switched off, skips the link.
class LinkLabel : public CaptionLabel
{
    Q_OBJECT

public:
    explicit LinkLabel(const QString &text, QWidget *parent = nullptr);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    bool m_pressed = false;
};

} // namespace Orvane
