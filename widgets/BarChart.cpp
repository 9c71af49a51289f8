#include "BarChart.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QFocusEvent>
#include <QImage>
#include <QKeyEvent>
#include <QLocale>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <cmath>

namespace Orvane {

namespace {

// A column's width and the gap after it, in view.
constexpr int kColumnWidth = 12;
constexpr int kColumnGap = 5;
// The widest image wholeImage() makes: a time line of centuries is drawn
// with thinner columns rather than as an image no viewer opens.
constexpr int kWidestImage = 8000;

// The top of the value axis: a round number at or above the largest value.
qint64 roundedTop(qint64 largest, qint64 *step)
{
    if (largest <= 0) {
        *step = 1;
        return 1;
    }
    // About four steps, each 1, 2 or 5 times a power of ten.
    const double rough = double(largest) / 4;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    double unit = power;
    for (double factor : {1.0, 2.0, 5.0, 10.0}) {
        unit = factor * power;
        if (unit >= rough)
            break;
    }
    *step = std::max<qint64>(1, qint64(unit));
    return ((largest + *step - 1) / *step) * *step;
}

// A chart, named with its current bar.
class BarChartAccessible : public QAccessibleWidget
{
public:
    explicit BarChartAccessible(BarChart *chart)
        : QAccessibleWidget(chart, QAccessible::Chart)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return static_cast<BarChart *>(widget())->spokenName();
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface *barChartFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String(BarChart::staticMetaObject.className()))
        if (auto *chart = qobject_cast<BarChart *>(object))
            return new BarChartAccessible(chart);
    return nullptr;
}

} // namespace

struct BarChart::Layout
{
    // Where the bars stand, and where the run of bars begins in it.
    QRectF plot;
    double pitch = 0;
    qint64 top = 1;
    qint64 step = 1;
    // Rows: the label column before the bars and the numbers after them.
    double labelWidth = 0;
    double valueWidth = 0;
    // Columns: the value axis's labels left of the plot.
    double axisWidth = 0;
};

BarChart::BarChart(Direction direction, QWidget *parent)
    : QAbstractScrollArea(parent)
    , m_direction(direction)
{
    // Qt keeps one copy of a factory however often it is installed.
    QAccessible::installFactory(barChartFactory);
    setFocusPolicy(Qt::StrongFocus);
    // Screen readers hear the chart's name anew when the current bar moves.
    connect(this, &BarChart::currentBarChanged, this, [this] {
        QAccessibleEvent renamed(this, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&renamed);
    });
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    setHorizontalScrollBarPolicy(direction == Direction::Columns ? Qt::ScrollBarAsNeeded
                                                                  : Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(direction == Direction::Rows ? Qt::ScrollBarAsNeeded
                                                             : Qt::ScrollBarAlwaysOff);
}

void BarChart::setBars(const QVector<Bar> &bars)
{
    m_bars = bars;
    m_current = m_bars.isEmpty() ? -1 : std::clamp(m_current, 0, int(m_bars.size()) - 1);
    updateScrollBars();
    viewport()->update();
    emit currentBarChanged(m_current);
}

void BarChart::setCurrentBar(int bar)
{
    if (m_bars.isEmpty())
        bar = -1;
    else
        bar = std::clamp(bar, 0, int(m_bars.size()) - 1);
    if (bar == m_current)
        return;
    m_current = bar;
    scrollToBar(bar);
    viewport()->update();
    emit currentBarChanged(bar);
}

QString BarChart::spokenName() const
{
    if (m_current < 0 || m_current >= m_bars.size())
        return accessibleName();
    const Bar &bar = m_bars.at(m_current);
    const QString value = bar.valueText.isEmpty() ? QLocale().toString(bar.value) : bar.valueText;
    return tr("%1, %2: %3").arg(accessibleName(), bar.label, value);
}

qint64 BarChart::largest() const
{
    qint64 most = 0;
    for (const Bar &bar : m_bars)
        most = std::max(most, bar.value);
    return most;
}

int BarChart::pitch() const
{
    if (m_direction == Direction::Columns)
        return kColumnWidth + kColumnGap;
    return fontMetrics().height() + 8;
}

BarChart::Layout BarChart::layoutFor(const QRect &area, int runPitch) const
{
    Layout l;
    const QFontMetrics metrics = fontMetrics();
    l.top = roundedTop(largest(), &l.step);
    l.pitch = runPitch;
    if (m_direction == Direction::Columns) {
        l.axisWidth = metrics.horizontalAdvance(QLocale().toString(l.top)) + 8;
        const double labelsHeight = 2 * metrics.height() + 6;
        l.plot = QRectF(area.left() + l.axisWidth, area.top() + metrics.height() / 2.0,
                        area.width() - l.axisWidth - 4,
                        area.height() - labelsHeight - metrics.height() / 2.0);
        if (runPitch <= 0 && !m_bars.isEmpty())
            l.pitch = l.plot.width() / m_bars.size();
    } else {
        double labels = 0, values = 0;
        for (const Bar &bar : m_bars) {
            labels = std::max<double>(labels, metrics.horizontalAdvance(bar.label));
            values = std::max<double>(values, metrics.horizontalAdvance(bar.valueText));
        }
        l.labelWidth = std::min(labels + 8, area.width() * 0.4);
        l.valueWidth = values + 8;
        l.plot = QRectF(area.left() + l.labelWidth, area.top(),
                        std::max(10.0, area.width() - l.labelWidth - l.valueWidth), area.height());
        if (runPitch <= 0 && !m_bars.isEmpty())
            l.pitch = std::min<double>(pitch(), l.plot.height() / m_bars.size());
    }
    return l;
}

void BarChart::draw(QPainter &painter, const Layout &l, int first, int last, int offset,
                    bool marked) const
{
    const QPalette &pal = palette();
    const QFontMetrics metrics = fontMetrics();
    const QColor barColour = pal.color(QPalette::Highlight);
    const QColor currentColour = pal.color(QPalette::Link);
    painter.setPen(pal.color(QPalette::Text));
    if (m_direction == Direction::Columns) {
        // The value axis: a line and a label at each step.
        for (qint64 v = 0; v <= l.top; v += l.step) {
            const double y = l.plot.bottom() - l.plot.height() * double(v) / double(l.top);
            painter.setPen(pal.color(QPalette::Mid));
            painter.drawLine(QPointF(l.plot.left(), y), QPointF(l.plot.right(), y));
            painter.setPen(pal.color(QPalette::Text));
            painter.drawText(QRectF(l.plot.left() - l.axisWidth, y - metrics.height() / 2.0,
                                    l.axisWidth - 6, metrics.height()),
                             Qt::AlignRight | Qt::AlignVCenter, QLocale().toString(v));
        }
        painter.save();
        painter.setClipRect(QRectF(l.plot.left(), l.plot.top() - metrics.height(),
                                   l.plot.width(), l.plot.height() + 3 * metrics.height() + 8));
        const double width = std::max(1.0, l.pitch * kColumnWidth / (kColumnWidth + kColumnGap));
        const bool shortLabels = l.pitch >= metrics.horizontalAdvance(QStringLiteral("M")) + 2;
        double lastGroupEnd = -1e9;
        for (int i = first; i <= last && i < m_bars.size(); ++i) {
            const Bar &bar = m_bars.at(i);
            const double x = l.plot.left() + i * l.pitch - offset;
            const double h = l.plot.height() * double(bar.value) / double(l.top);
            painter.fillRect(QRectF(x, l.plot.bottom() - h, width, h),
                             marked && i == m_current ? currentColour : barColour);
            painter.setPen(pal.color(QPalette::Text));
            if (shortLabels)
                painter.drawText(QRectF(x - 2, l.plot.bottom() + 2, width + 4, metrics.height()),
                                 Qt::AlignHCenter | Qt::AlignTop, bar.shortLabel);
            if (!bar.group.isEmpty() && x >= lastGroupEnd) {
                const double y = l.plot.bottom() + 4 + metrics.height();
                painter.drawLine(QPointF(x, l.plot.bottom()), QPointF(x, y));
                painter.drawText(QPointF(x + 2, y + metrics.ascent()), bar.group);
                lastGroupEnd = x + metrics.horizontalAdvance(bar.group) + 6;
            }
            if (marked && i == m_current && hasFocus()) {
                painter.setPen(QPen(pal.color(QPalette::Text), 1, Qt::DotLine));
                painter.drawRect(QRectF(x - 2, l.plot.top(), width + 3, l.plot.height()));
            }
        }
        painter.restore();
        painter.setPen(pal.color(QPalette::Text));
        painter.drawLine(l.plot.bottomLeft(), l.plot.bottomRight());
        return;
    }
    const double barHeight = std::max(1.0, l.pitch - 6);
    for (int i = first; i <= last && i < m_bars.size(); ++i) {
        const Bar &bar = m_bars.at(i);
        const double y = l.plot.top() + i * l.pitch - offset;
        const double w = l.plot.width() * double(bar.value) / double(l.top);
        const QRectF row(l.plot.left() - l.labelWidth, y, l.labelWidth - 6, l.pitch);
        painter.setPen(pal.color(QPalette::Text));
        painter.drawText(row, Qt::AlignRight | Qt::AlignVCenter,
                         metrics.elidedText(bar.label, Qt::ElideRight, int(row.width())));
        painter.fillRect(QRectF(l.plot.left(), y + (l.pitch - barHeight) / 2, w, barHeight),
                         marked && i == m_current ? currentColour : barColour);
        painter.drawText(QRectF(l.plot.left() + w + 4, y, l.valueWidth + 4, l.pitch),
                         Qt::AlignLeft | Qt::AlignVCenter, bar.valueText);
        if (marked && i == m_current && hasFocus()) {
            painter.setPen(QPen(pal.color(QPalette::Text), 1, Qt::DotLine));
            painter.drawRect(QRectF(row.left(), y, l.plot.right() - row.left() + l.valueWidth,
                                    l.pitch - 1));
        }
    }
}

void BarChart::paintEvent(QPaintEvent *)
{
    QPainter painter(viewport());
    const QRect area = viewport()->rect().adjusted(6, 6, -6, -6);
    const Layout l = layoutFor(area, pitch());
    const int offset = m_direction == Direction::Columns ? horizontalScrollBar()->value()
                                                         : verticalScrollBar()->value();
    const double run = m_direction == Direction::Columns ? l.plot.width() : l.plot.height();
    const int first = std::max(0, int(offset / l.pitch) - 1);
    const int last = int((offset + run) / l.pitch) + 1;
    draw(painter, l, first, last, offset, true);
}

void BarChart::drawWhole(QPainter &painter, const QRect &area) const
{
    const Layout l = layoutFor(area, 0);
    draw(painter, l, 0, int(m_bars.size()) - 1, 0, false);
}

QImage BarChart::wholeImage() const
{
    const QSize view = viewport()->size();
    QSize size = view.expandedTo(QSize(480, 320));
    if (m_direction == Direction::Columns)
        size.setWidth(std::clamp(int(m_bars.size()) * pitch() + 120, size.width(), kWidestImage));
    else
        size.setHeight(std::max(size.height(), int(m_bars.size()) * pitch() + 12));
    QImage image(size, QImage::Format_RGB32);
    image.fill(palette().color(QPalette::Base));
    QPainter painter(&image);
    painter.setFont(font());
    drawWhole(painter, image.rect().adjusted(6, 6, -6, -6));
    return image;
}

void BarChart::updateScrollBars()
{
    const QRect area = viewport()->rect().adjusted(6, 6, -6, -6);
    const Layout l = layoutFor(area, pitch());
    const int run = int(m_bars.size()) * pitch();
    if (m_direction == Direction::Columns) {
        QScrollBar *bar = horizontalScrollBar();
        bar->setRange(0, std::max(0, run - int(l.plot.width())));
        bar->setPageStep(int(l.plot.width()));
        bar->setSingleStep(pitch());
    } else {
        QScrollBar *bar = verticalScrollBar();
        bar->setRange(0, std::max(0, run - int(l.plot.height())));
        bar->setPageStep(int(l.plot.height()));
        bar->setSingleStep(pitch());
    }
}

void BarChart::scrollToBar(int bar)
{
    if (bar < 0)
        return;
    QScrollBar *scroll = m_direction == Direction::Columns ? horizontalScrollBar()
                                                           : verticalScrollBar();
    const int from = bar * pitch();
    const int to = from + pitch();
    if (from < scroll->value())
        scroll->setValue(from);
    else if (to > scroll->value() + scroll->pageStep())
        scroll->setValue(to - scroll->pageStep());
}

int BarChart::barAt(const QPoint &pos) const
{
    const QRect area = viewport()->rect().adjusted(6, 6, -6, -6);
    const Layout l = layoutFor(area, pitch());
    const double along = m_direction == Direction::Columns
            ? pos.x() - l.plot.left() + horizontalScrollBar()->value()
            : pos.y() - l.plot.top() + verticalScrollBar()->value();
    const int bar = int(std::floor(along / l.pitch));
    return bar >= 0 && bar < m_bars.size() ? bar : -1;
}

void BarChart::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
    scrollToBar(m_current);
}

void BarChart::keyPressEvent(QKeyEvent *event)
{
    const bool columns = m_direction == Direction::Columns;
    const int page = std::max(1, (columns ? horizontalScrollBar() : verticalScrollBar())->pageStep()
                                     / pitch());
    int to = m_current;
    switch (event->key()) {
    case Qt::Key_Left:
        to = columns ? m_current - 1 : to;
        break;
    case Qt::Key_Right:
        to = columns ? m_current + 1 : to;
        break;
    case Qt::Key_Up:
        to = columns ? to : m_current - 1;
        break;
    case Qt::Key_Down:
        to = columns ? to : m_current + 1;
        break;
    case Qt::Key_PageUp:
        to = m_current - page;
        break;
    case Qt::Key_PageDown:
        to = m_current + page;
        break;
    case Qt::Key_Home:
        to = 0;
        break;
    case Qt::Key_End:
        to = int(m_bars.size()) - 1;
        break;
    default:
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    setCurrentBar(to);
    event->accept();
}

void BarChart::mousePressEvent(QMouseEvent *event)
{
    setFocus(Qt::MouseFocusReason);
    if (const int bar = barAt(event->position().toPoint()); bar >= 0)
        setCurrentBar(bar);
}

void BarChart::focusInEvent(QFocusEvent *event)
{
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update();
}

void BarChart::focusOutEvent(QFocusEvent *event)
{
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
}

QSize BarChart::sizeHint() const
{
    return m_direction == Direction::Columns ? QSize(560, 260) : QSize(480, 260);
}

QSize BarChart::minimumSizeHint() const
{
    return QSize(200, 120);
}

} // namespace Orvane
