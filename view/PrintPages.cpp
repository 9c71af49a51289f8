#include "PrintPages.h"

#include "platform/Platform.h"

#include <QFont>
#include <QPainter>
#include <QPrinter>
#include <QTextLayout>
#include <QTextOption>

namespace Orvane::PrintPages {

namespace {

// Characters laid out at once: many lines' worth, yet few enough that a
// run without a place to break (the layout searches each such run to its
// end for every line) costs little.
constexpr qsizetype kPiece = 2048;
// Characters printed between two looks at the progress.
constexpr qsizetype kProgressStep = 64 * 1024;

class Pages
{
public:
    Pages(QPrinter &printer, QPainter &painter)
        : m_printer(printer)
        , m_painter(painter)
        , m_height(printer.height())
    {
    }

    // Draws the line below the last, on the next page when it does not fit.
    bool draw(const QTextLine &line)
    {
        const qreal height = line.height();
        if (m_y > 0 && m_y + height > m_height) {
            if (!m_printer.newPage())
                return false;
            m_y = 0;
        }
        line.draw(&m_painter, QPointF(0, m_y - line.y()));
        m_y += height;
        return true;
    }

    bool newCopy()
    {
        m_y = 0;
        return m_printer.newPage();
    }

private:
    QPrinter &m_printer;
    QPainter &m_painter;
    const qreal m_height;
    qreal m_y = 0;
};

// The paragraph's lines, laid out a piece at a time: every line of a piece
// but its last, which may have been cut by the piece's end and is laid out
// again at the start of the next piece.
bool printParagraph(const RecordReport::Paragraphs::Paragraph &paragraph, const QFont &font,
                    QPrinter &printer, Pages &pages, const std::function<bool(qsizetype)> &done)
{
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    const qreal width = printer.width();
    const qsizetype size = paragraph.size();
    qsizetype from = 0;
    do {
        const QString piece = paragraph.mid(from, kPiece);
        const bool last = from + piece.size() >= size;
        QTextLayout layout(piece, font, &printer);
        layout.setTextOption(option);
        layout.setCacheEnabled(false);
        layout.beginLayout();
        qreal y = 0;
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLeadingIncluded(true);
            line.setLineWidth(width);
            line.setPosition(QPointF(0, y));
            y += line.height();
        }
        layout.endLayout();
        int drawn = layout.lineCount();
        if (!last && drawn > 1)
            --drawn;
        for (int i = 0; i < drawn; ++i) {
            if (!pages.draw(layout.lineAt(i)))
                return false;
        }
        // Only an empty paragraph consumes nothing.
        const qsizetype consumed = drawn < layout.lineCount() ? layout.lineAt(drawn).textStart()
                                                              : piece.size();
        from += consumed;
        if (!done(consumed))
            return false;
        if (consumed == 0)
            break;
    } while (from < size);
    return true;
}

} // namespace

Outcome print(const RecordReport::Paragraphs &paragraphs, const QFont &font, QPrinter &printer,
              Progress *progress)
{
    // The report keeps 2 cm from the printable area, as the box would print
    // it; the printer gets narrow margins of its own when it has none.
    QMarginsF margins = printer.pageLayout().margins(QPageLayout::Millimeter);
    if (margins.isNull())
        margins = QMarginsF(2, 2, 2, 2);
    printer.setPageMargins(margins + QMarginsF(20, 20, 20, 20), QPageLayout::Millimeter);

    QPainter painter;
    if (!painter.begin(&printer))
        return Outcome::Failed;
    painter.setPen(Qt::black);
    Pages pages(printer, painter);
    qint64 characters = 0;
    qint64 told = 0;
    bool cancelled = false;
    const auto done = [&](qsizetype count) {
        characters += count;
        if (progress && characters - told >= kProgressStep) {
            told = characters;
            cancelled = !progress->advance(characters);
        }
        return !cancelled;
    };
    // A printer that makes copies itself is asked for them; others get
    // the pages again.
    const int copies = printer.supportsMultipleCopies() ? 1 : printer.copyCount();
    bool printed = true;
    for (int copy = 0; printed && copy < copies; ++copy) {
        if (copy > 0)
            printed = pages.newCopy();
        printed = printed && paragraphs.forEach([&](const RecordReport::Paragraphs::Paragraph &p) {
            // The line break after the paragraph counts as a character.
            return printParagraph(p, font, printer, pages, done) && done(1);
        });
    }
    if (cancelled) {
        printer.abort();
        painter.end();
        return Outcome::Cancelled;
    }
    painter.end();
    return printed && printer.printerState() != QPrinter::Error ? Outcome::Done : Outcome::Failed;
}

} // namespace Orvane::PrintPages
