#include "PrintPages.h"

#include <QAbstractTextDocumentLayout>
#include <QPrinter>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextEdit>
#include <QTextFrame>

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
    // One unit above each page's first line: a line starting exactly at a
    // page's foot is also drawn, clipped, on the page above, and its text is
    // then read twice from the printed file.
    QTextFrameFormat frame = document->rootFrame()->frameFormat();
    frame.setMargin(0);
    frame.setTopMargin(1);
    document->rootFrame()->setFrameFormat(frame);

    // Laid out in the printer's own units, with a page size of its own: a
    // document with a page size is printed as it is, with no page number.
    document->documentLayout()->setPaintDevice(&printer);
    document->setPageSize(QSizeF(printer.width(), printer.height()));
    document->print(&printer);
}

} // namespace Orvane::PrintPages
