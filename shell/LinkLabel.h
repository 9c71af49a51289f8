#pragma once

#include <QLabel>

namespace Orvane {

// A static text that acts as a link: a pointing-hand cursor, and clicked()
// when the left button is pressed and released over it.
class LinkLabel : public QLabel
{
    Q_OBJECT

public:
    explicit LinkLabel(const QString &text, QWidget *parent = nullptr);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    bool m_pressed = false;
};

} // namespace Orvane
