#pragma once

#include "BarChart.h"

#include <QStringList>
#include <QVector>
#include <QWidget>

class QPrinter;
class QTableView;

namespace Orvane {

class ChartTable;

// A bar chart with its numbers in a table beside it, which a screen reader
// reads row by row; the chart's current bar and the table's current row
// follow each other. The chart (with its title) can be saved as a PNG image
// and printed, with the table's rows after it, through the platform's
// dialogs and files.
class ChartPage : public QWidget
{
    Q_OBJECT

public:
    // headers: the table's column headers; title: what the chart shows, on
    // its image and its print.
    ChartPage(BarChart::Direction direction, const QString &title, const QStringList &headers,
              QWidget *parent = nullptr);
    ~ChartPage() override;

    // One table row for each bar, in the bars' order.
    void setData(const QVector<BarChart::Bar> &bars, const QVector<QStringList> &rows);
    void setTitle(const QString &title) { m_title = title; }
    QString title() const { return m_title; }

    BarChart *chart() const { return m_chart; }
    QTableView *table() const { return m_table; }

    // The whole chart under its title, as saved.
    QImage image() const;
    // Asks for a file name and writes image() as PNG, whole or not at all;
    // false when cancelled or refused (a refusal is said in a message).
    bool saveImage();
    // Asks for a printer and prints the chart, then the table's rows.
    bool print();
    // Onto a printer already chosen.
    void printOn(QPrinter &printer) const;

private:
    BarChart *m_chart = nullptr;
    QTableView *m_table = nullptr;
    ChartTable *m_model = nullptr;
    QString m_title;
};

} // namespace Orvane
