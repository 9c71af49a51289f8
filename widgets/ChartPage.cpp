#include "ChartPage.h"

#include "GridView.h"
#include "SharedTexts.h"
#include "platform/AppInfo.h"
#include "platform/MessageBoxes.h"
#include "platform/Platform.h"

#include <QAbstractTableModel>
#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QTableView>

namespace Orvane {

// The chart's numbers as rows of text.
class ChartTable : public QAbstractTableModel
{
public:
    ChartTable(const QStringList &headers, QObject *parent)
        : QAbstractTableModel(parent), m_headers(headers)
    {
    }
    void setRows(const QVector<QStringList> &rows)
    {
        beginResetModel();
        m_rows = rows;
        endResetModel();
    }
    const QVector<QStringList> &rows() const { return m_rows; }
    const QStringList &headers() const { return m_headers; }

    int rowCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() ? 0 : int(m_rows.size());
    }
    int columnCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() ? 0 : int(m_headers.size());
    }
    QVariant data(const QModelIndex &index, int role) const override
    {
        if (!index.isValid())
            return {};
        if (role == Qt::TextAlignmentRole)
            return int((index.column() == 0 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
        if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole)
            return {};
        return m_rows.at(index.row()).value(index.column());
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
            return m_headers.value(section);
        return {};
    }

private:
    QStringList m_headers;
    QVector<QStringList> m_rows;
};

ChartPage::ChartPage(BarChart::Direction direction, const QString &title,
                     const QStringList &headers, QWidget *parent)
    : QWidget(parent)
    , m_chart(new BarChart(direction, this))
    , m_table(new GridView(this))
    , m_model(new ChartTable(headers, this))
    , m_title(title)
{
    m_chart->setAccessibleName(title);
    m_chart->setAccessibleDescription(tr("Chart; its numbers are in the table beside it"));
    m_table->setModel(m_model);
    m_table->setAccessibleName(tr("%1, numbers").arg(title));

    // The current bar and the current row follow each other.
    connect(m_chart, &BarChart::currentBarChanged, this, [this](int bar) {
        if (bar >= 0 && bar < m_model->rowCount() && m_table->currentIndex().row() != bar)
            m_table->setCurrentIndex(m_model->index(bar, 0));
    });
    connect(m_table->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) {
                if (current.isValid() && m_chart->currentBar() != current.row())
                    m_chart->setCurrentBar(current.row());
            });

    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(m_chart, 3);
    row->addWidget(m_table, 2);
}

ChartPage::~ChartPage() = default;

void ChartPage::setData(const QVector<BarChart::Bar> &bars, const QVector<QStringList> &rows)
{
    m_model->setRows(rows);
    m_chart->setBars(bars);
    m_table->resizeColumnsToContents();
    if (m_chart->currentBar() >= 0)
        m_table->setCurrentIndex(m_model->index(m_chart->currentBar(), 0));
}

QImage ChartPage::image() const
{
    const QImage chart = m_chart->wholeImage();
    QFont font = this->font();
    font.setBold(true);
    const int titleHeight = QFontMetrics(font).height() + 12;
    QImage out(chart.width(), chart.height() + titleHeight, QImage::Format_ARGB32);
    out.fill(Qt::white);
    QPainter painter(&out);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(QRect(0, 0, out.width(), titleHeight), Qt::AlignCenter, m_title);
    painter.drawImage(0, titleHeight, chart);
    return out;
}

bool ChartPage::saveImage()
{
    const QString chosen = platform().dialogs->saveFileName(
            this, AppInfo::title(), tr("PNG image (*.png)"), QStringLiteral("png"));
    if (chosen.isEmpty())
        return false;
    QString path = chosen;
    if (QFileInfo(path).suffix().isEmpty())
        path += path.endsWith(QLatin1Char('.')) ? QStringLiteral("png") : QStringLiteral(".png");
    // The dialog asked before replacing the name it returned; the suffix
    // added here may name another file, which is not replaced unasked.
    if (path != chosen && QFileInfo::exists(path)
        && platform().messages->show(this,
                                     SharedTexts::replaceQuestion(
                                             QDir::toNativeSeparators(path)),
                                     MessageBoxes::Icon::None, MessageBoxes::Buttons::YesNo,
                                     MessageBoxes::Answer::No)
                != MessageBoxes::Answer::Yes)
        return false;

    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QString reason;
    if (!image().save(&buffer, "PNG")) {
        reason = tr("The image could not be made.");
    } else {
        const std::unique_ptr<AtomicFile> file = platform().files->create(path);
        if (file->open() && file->write(bytes.constData(), bytes.size()) && file->commit())
            return true;
        reason = file->errorString();
        file->cancel();
    }
    platform().messages->show(this,
                              tr("The chart could not be saved to \"%1\".\r\r%2")
                                      .arg(QDir::toNativeSeparators(path), reason),
                              MessageBoxes::Icon::Critical);
    return false;
}

bool ChartPage::print()
{
    QPrinter printer(QPrinter::HighResolution);
    if (!platform().dialogs->choosePrinter(this, printer, false))
        return false;
    printOn(printer);
    if (printer.printerState() != QPrinter::Error)
        return true;
    const QString where = printer.outputFileName().isEmpty()
            ? printer.printerName()
            : QDir::toNativeSeparators(printer.outputFileName());
    platform().messages->show(this, tr("The chart could not be printed on \"%1\".").arg(where),
                              MessageBoxes::Icon::Critical);
    return false;
}

void ChartPage::printOn(QPrinter &printer) const
{
    QPainter painter;
    if (!painter.begin(&printer))
        return;
    const QRect page = painter.viewport();
    QFont font = this->font();
    font.setPointSizeF(10);
    painter.setFont(font);
    const QFontMetrics metrics(font, &printer);
    const int line = metrics.height() + metrics.height() / 4;

    // The chart fills the page's width, at most half its height; its
    // numbers follow line by line, over as many pages as they need.
    QFont bold = font;
    bold.setBold(true);
    painter.setFont(bold);
    painter.drawText(QRect(page.left(), page.top(), page.width(), line), Qt::AlignCenter, m_title);
    painter.setFont(font);
    const QImage chart = m_chart->wholeImage();
    QSize size = chart.size().scaled(page.width(), page.height() / 2, Qt::KeepAspectRatio);
    painter.drawImage(QRect(QPoint(page.left(), page.top() + 2 * line), size), chart);
    int y = page.top() + 3 * line + size.height();
    const int columns = int(m_model->headers().size());
    const int columnWidth = page.width() / std::max(columns, 1);
    const auto drawRow = [&](const QStringList &cells) {
        if (y + line > page.bottom()) {
            printer.newPage();
            y = page.top();
        }
        for (int c = 0; c < columns; ++c)
            painter.drawText(QRect(page.left() + c * columnWidth, y, columnWidth - line, line),
                             (c == 0 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter,
                             cells.value(c));
        y += line;
    };
    painter.setFont(bold);
    drawRow(m_model->headers());
    painter.setFont(font);
    for (const QStringList &cells : m_model->rows())
        drawRow(cells);
    painter.end();
}

} // namespace Orvane
