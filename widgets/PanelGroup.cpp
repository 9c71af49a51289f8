#include "PanelGroup.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionGroupBox>

namespace Orvane {

PanelGroup::PanelGroup(const QString &title, const QColor &rim, QWidget *parent)
    : QGroupBox(title, parent)
    , m_rim(rim)
{
}

void PanelGroup::paintEvent(QPaintEvent *)
{
    QStyleOptionGroupBox option;
    initStyleOption(&option);
    const QRect frame =
            style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxFrame, this);
    const QRect label =
            style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, this);

    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(m_rim);
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(QRectF(frame).adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);

    if (title().isEmpty())
        return;
    QFont bold = font();
    bold.setBold(true);
    bold.setStyleStrategy(QFont::PreferNoShaping); // the program's own caption
    painter.setFont(bold);
    const QFontMetrics metrics(bold);
    QRect caption(label.topLeft(), QSize(metrics.horizontalAdvance(title()), label.height()));
    caption.moveLeft(frame.left() + 8);
    // The caption sits on the rim, with a little panel either side of it.
    painter.fillRect(caption.adjusted(-3, 0, 3, 0), palette().brush(QPalette::Window));
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(caption, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, title());
}

} // namespace Orvane
