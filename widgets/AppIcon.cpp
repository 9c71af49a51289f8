#include "AppIcon.h"

#include <QHash>
#include <QIconEngine>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace Orvane {

QPixmap appIconPixmap(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    // Draw on a 64 x 64 grid.
    p.scale(size / 64.0, size / 64.0);

    // Tile: deep blue, lighter at the top.
    QLinearGradient sky(0, 0, 0, 64);
    sky.setColorAt(0, QColor(0x3a, 0x7c, 0xb8));
    sky.setColorAt(1, QColor(0x16, 0x36, 0x5a));
    p.setPen(QPen(QColor(0x0f, 0x26, 0x40), 1.5));
    p.setBrush(sky);
    p.drawRoundedRect(QRectF(2, 2, 60, 60), 12, 12);

    // Ripples under the drop.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0x9b, 0xdc, 0xff, 150), 1.6, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(14, 50, 36, 8), 200 * 16, 140 * 16);
    p.setPen(QPen(QColor(0x9b, 0xdc, 0xff, 90), 1.4, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(8, 52, 48, 9), 205 * 16, 130 * 16);

    // The drop.
    QPainterPath drop;
    drop.moveTo(32, 33);
    drop.cubicTo(36, 40, 40, 44, 40, 48.5);
    drop.cubicTo(40, 53, 36.5, 56, 32, 56);
    drop.cubicTo(27.5, 56, 24, 53, 24, 48.5);
    drop.cubicTo(24, 44, 28, 40, 32, 33);
    QRadialGradient water(29, 46, 12);
    water.setColorAt(0, QColor(0xd8, 0xf3, 0xff));
    water.setColorAt(1, QColor(0x3f, 0xb4, 0xf0));
    p.setPen(QPen(QColor(0x1a, 0x6f, 0xa8), 1));
    p.setBrush(water);
    p.drawPath(drop);

    // The forked rod: two arms held apart, joined at the tip that points
    // down at the water.
    const QColor wood(0xe8, 0xb8, 0x62);
    const QColor woodDark(0x7a, 0x4d, 0x12);
    QPainterPath rod;
    rod.moveTo(12, 9);
    rod.quadTo(22, 18, 32, 24);
    rod.moveTo(52, 9);
    rod.quadTo(42, 18, 32, 24);
    rod.moveTo(32, 24);
    rod.lineTo(32, 30);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(woodDark, 6.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(rod);
    p.setPen(QPen(wood, 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(rod);
    return pixmap;
}

namespace {

// Draws the icon at the size asked for, when it is asked for: nothing is
// drawn at start-up for sizes no one shows.
class AppIconEngine final : public QIconEngine
{
public:
    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        painter->drawPixmap(rect, pixmap(rect.size(), mode, state));
    }

    QPixmap pixmap(const QSize &size, QIcon::Mode, QIcon::State) override
    {
        const int side = qMax(1, qMin(size.width(), size.height()));
        auto cached = m_drawn.constFind(side);
        if (cached == m_drawn.cend())
            cached = m_drawn.insert(side, appIconPixmap(side));
        return *cached;
    }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override
    {
        // The sizes a window manager is offered with every window (each is
        // drawn as the window is made); it scales them for other uses, and
        // any other size is drawn when someone asks for it.
        return {QSize(16, 16), QSize(32, 32), QSize(48, 48)};
    }

    QIconEngine *clone() const override { return new AppIconEngine(*this); }

private:
    QHash<int, QPixmap> m_drawn;
};

} // namespace

QIcon appIcon()
{
    return QIcon(new AppIconEngine);
}

} // namespace Orvane
