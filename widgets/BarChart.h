#pragma once

#include <QAbstractScrollArea>
#include <QString>
#include <QVector>

class QImage;
class QPainter;

namespace Orvane {

// A bar chart drawn by hand: one bar for each value, scrolled when the bars
// do not fit. Columns stand along a time line, each with a short label
// under it and a group label (a year) under the first of each group; rows
// lie one under another, each with its label before it and its number after
// it. Only the bars in view are drawn, so a time line of thousands of months
// scrolls as lightly as one of twelve.
//
// The keyboard moves a current bar (Left and Right, or Up and Down; Home and
// End), which is drawn marked and told by currentBarChanged(), so that the
// numbers beside the chart can follow it. Screen readers call the chart by
// its accessible name followed by the current bar ("Records per month,
// March 2009: 12"), and hear that name anew as the bar moves: the table
// beside it does not have the keyboard, so its following row is not read.
class BarChart : public QAbstractScrollArea
{
    Q_OBJECT

public:
    enum class Direction { Columns, Rows };
    struct Bar
    {
        // The whole label ("March 2009", "Rods").
        QString label;
        // Under a column: its short label ("M"), and the group label
        // ("2009") where a group begins.
        QString shortLabel;
        QString group;
        qint64 value = 0;
        // After a row's bar: "412 (23.4 %)".
        QString valueText;
    };

    explicit BarChart(Direction direction, QWidget *parent = nullptr);

    void setBars(const QVector<Bar> &bars);
    const QVector<Bar> &bars() const { return m_bars; }
    Direction direction() const { return m_direction; }

    // The current bar, -1 for none.
    int currentBar() const { return m_current; }
    void setCurrentBar(int bar);
    // What screen readers call the chart: its accessible name, then the
    // current bar's label and number.
    QString spokenName() const;

    // Every bar drawn into area, at whatever size they fit: for saving and
    // printing.
    void drawWhole(QPainter &painter, const QRect &area) const;
    // The whole chart as an image, as wide as its bars want (within limits)
    // or as the view.
    QImage wholeImage() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void currentBarChanged(int bar);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    struct Layout;
    Layout layoutFor(const QRect &area, int pitch) const;
    void draw(QPainter &painter, const Layout &layout, int first, int last, int offset,
              bool marked) const;
    // The space a bar takes along the scrolling direction, in view.
    int pitch() const;
    void updateScrollBars();
    void scrollToBar(int bar);
    int barAt(const QPoint &viewportPos) const;
    qint64 largest() const;

    Direction m_direction;
    QVector<Bar> m_bars;
    int m_current = -1;
};

} // namespace Orvane
