#include "PrintPages.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QPrinter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextEdit>
#include <QTextFrame>
#include <QTextLayout>

#include <memory>

namespace Orvane::PrintPages {

namespace {

std::unique_ptr<QTextDocument> printedDocument(const QTextEdit &box, const QPrinter &printer)
{
    const QTextDocument &shown = *box.document();
    if (printer.printRange() != QPrinter::Selection)
        return std::unique_ptr<QTextDocument>(shown.clone());
    auto selection = std::make_unique<QTextDocument>();
    selection->setDefaultFont(shown.defaultFont());
    selection->setUseDesignMetrics(shown.useDesignMetrics());
    QTextCursor(selection.get()).insertFragment(box.textCursor().selection());
    return selection;
}

} // namespace

void print(const QTextEdit &box, QPrinter &printer)
{
    const std::unique_ptr<QTextDocument> document = printedDocument(box, printer);

    // The report keeps 2 cm from the printable area, as the box would print
    // it; the printer gets narrow margins of its own when it has none.
    QMarginsF margins = printer.pageLayout().margins(QPageLayout::Millimeter);
    if (margins.isNull())
        margins = QMarginsF(2, 2, 2, 2);
    printer.setPageMargins(margins + QMarginsF(20, 20, 20, 20), QPageLayout::Millimeter);
    QTextFrameFormat frame = document->rootFrame()->frameFormat();
    frame.setMargin(0);
    document->rootFrame()->setFrameFormat(frame);

    // Laid out in the printer's own units, with a page size of its own, so
    // that each line lies on one page.
    document->documentLayout()->setPaintDevice(&printer);
    const QSizeF page(printer.width(), printer.height());
    document->setPageSize(page);
    // Laid out whole now: the layout is otherwise made as it is asked for.
    document->pageCount();

    // Each line is drawn on its own page alone. QTextDocument::print() draws
    // a paragraph that runs over a page break from one line above the page
    // on: hidden by the clip on paper, but in the PDF's text, where a search
    // or a copy then finds that line twice. (Nor does this add the page
    // number print() puts at each foot: the report has none.)
    QPainter painter;
    if (!painter.begin(&printer))
        return;
    painter.setPen(Qt::black);
    const int copies = printer.supportsMultipleCopies() ? 1 : printer.copyCount();
    for (int copy = 0; copy < copies; ++copy) {
        if (copy > 0)
            printer.newPage();
        int pageNumber = 0;
        for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
            const QTextLayout *layout = block.layout();
            for (int i = 0; layout && i < layout->lineCount(); ++i) {
                const QTextLine line = layout->lineAt(i);
                const qreal top = layout->position().y() + line.y();

                const int onPage = qMax(0, int(top / page.height()));
                for (; pageNumber < onPage; ++pageNumber)
                    printer.newPage();
                line.draw(&painter, layout->position() - QPointF(0, onPage * page.height()));
            }
        }
    }
    painter.end();
}

} // namespace Orvane::PrintPages
