#include "ReportExport.h"

#include "PrintPages.h"
#include "RtfWriter.h"

#include "platform/AppInfo.h"
#include "platform/MessageBoxes.h"
#include "platform/Platform.h"
#include "widgets/SharedTexts.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPrinter>
#include <QTextCursor>
#include <QTextDocumentFragment>
#include <QTextEdit>

#include <memory>

namespace Orvane::ReportExport {

namespace {

// The translation context of the texts.
struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(Orvane::ReportExport)
};

// Characters escaped at once, and bytes gathered before each write.
constexpr qsizetype kPiece = 64 * 1024;
constexpr qsizetype kBufferBytes = 1 << 20;

void tell(QWidget *parent, const QString &text, MessageBoxes::Icon icon)
{
    platform().messages->show(parent, text, icon);
}

// A piece of the text from from on, never ending between the two halves of
// a character beyond the BMP.
QStringView pieceOf(QStringView text, qsizetype from)
{
    qsizetype length = qMin(kPiece, text.size() - from);
    if (from + length < text.size() && text.at(from + length - 1).isHighSurrogate())
        --length;
    return text.sliced(from, length);
}

// Writes the report to path as Rich Text through the platform's atomic
// file, a piece at a time; reason says why it failed.
Outcome writeRtf(QWidget *parent, const QTextEdit &box, const QList<RecordReport::Entry> &report,
                 const QString &path, QString *reason)
{
    const RecordReport::Paragraphs paragraphs(report);
    const QTextCharFormat format = RecordReport::entryFormat();
    RtfWriter::Stream stream(box.document()->defaultFont(), {format});
    const std::unique_ptr<AtomicFile> file = platform().files->create(path);
    if (!file->open()) {
        *reason = file->errorString();
        return Outcome::Failed;
    }
    const std::unique_ptr<Progress> progress = platform().progress->start(
            parent, Texts::tr("Saving the report..."), qMax<qint64>(1, paragraphs.characters()));
    QByteArray out = stream.start();
    qint64 done = 0;
    bool cancelled = false;
    bool failed = false;
    const auto flush = [&] {
        if (!file->write(out.constData(), out.size())) {
            failed = true;
            return false;
        }
        out.resize(0);
        cancelled = !progress->advance(done);
        return !cancelled;
    };
    bool first = true;
    paragraphs.forEach([&](const RecordReport::Paragraphs::Paragraph &paragraph) {
        if (!first)
            stream.endParagraph(out);
        first = false;
        for (QStringView part : paragraph.parts) {
            for (qsizetype from = 0; from < part.size();) {
                const QStringView piece = pieceOf(part, from);
                stream.appendText(out, piece, format);
                from += piece.size();
                done += piece.size();
                if (out.size() >= kBufferBytes && !flush())
                    return false;
            }
        }
        ++done;
        return true;
    });
    out += RtfWriter::Stream::end();
    if (!failed && !cancelled)
        flush();
    if (!failed && !cancelled && file->commit())
        return Outcome::Done;
    *reason = file->errorString();
    file->cancel();
    return cancelled ? Outcome::Cancelled : Outcome::Failed;
}

} // namespace

QString withRtfSuffix(const QString &fileName)
{
    if (fileName.isEmpty() || !QFileInfo(fileName).suffix().isEmpty())
        return fileName;
    // "report." has an empty extension: it only wants the letters.
    if (fileName.endsWith(QLatin1Char('.')))
        return fileName + QStringLiteral("rtf");
    return fileName + QStringLiteral(".rtf");
}

Outcome saveReport(QWidget *parent, const QTextEdit &box, const QList<RecordReport::Entry> &report)
{
    const QString chosen = platform().dialogs->saveFileName(
            parent, AppInfo::title(), Texts::tr("Rich Text Format (*.rtf)"),
            QStringLiteral("rtf"));
    if (chosen.isEmpty())
        return Outcome::Cancelled;

    const QString path = withRtfSuffix(chosen);
    const QString shownPath = QDir::toNativeSeparators(path);
    // The dialog asked before replacing the name it returned; the extension
    // added here may name another file, which is not replaced unasked.
    if (path != chosen && QFileInfo::exists(path)
        && platform().messages->show(parent, SharedTexts::replaceQuestion(shownPath),
                                     MessageBoxes::Icon::None, MessageBoxes::Buttons::YesNo,
                                     MessageBoxes::Answer::No)
                != MessageBoxes::Answer::Yes)
        return Outcome::Cancelled;

    QString reason;
    const Outcome outcome = writeRtf(parent, box, report, path, &reason);
    if (outcome == Outcome::Cancelled)
        tell(parent,
             Texts::tr("The save was cancelled: no report was written, and \"%1\" was left as "
                       "it was.")
                     .arg(shownPath),
             MessageBoxes::Icon::Information);
    else if (outcome == Outcome::Failed)
        tell(parent,
             Texts::tr("The report could not be saved to \"%1\".\r\r%2").arg(shownPath, reason),
             MessageBoxes::Icon::Critical);
    return outcome;
}

Outcome printReport(QWidget *parent, const QTextEdit &box, const QList<RecordReport::Entry> &report)
{
    QPrinter printer(QPrinter::HighResolution);
    const bool hasSelection = box.textCursor().hasSelection();
    if (!platform().dialogs->choosePrinter(parent, printer, hasSelection))
        return Outcome::Cancelled;

    // The box prints nothing at all for a selection range without a
    // selection; the whole report is what the user wants then.
    const bool selection = printer.printRange() == QPrinter::Selection && hasSelection;
    const QString selected = selection ? box.textCursor().selection().toPlainText() : QString();
    const RecordReport::Paragraphs paragraphs =
            selection ? RecordReport::Paragraphs(QStringView(selected))
                      : RecordReport::Paragraphs(report);
    // Every entry in its format, over the box's font.
    const QFont font = RecordReport::entryFormat().font().resolve(box.document()->defaultFont());
    const int copies = printer.supportsMultipleCopies() ? 1 : printer.copyCount();
    const std::unique_ptr<Progress> progress = platform().progress->start(
            parent, Texts::tr("Printing the report..."),
            qMax<qint64>(1, paragraphs.characters() * copies));
    const PrintPages::Outcome printed = PrintPages::print(paragraphs, font, printer, progress.get());
    if (printed == PrintPages::Outcome::Done)
        return Outcome::Done;

    const QString where = printer.outputFileName().isEmpty()
            ? printer.printerName()
            : QDir::toNativeSeparators(printer.outputFileName());
    if (printed == PrintPages::Outcome::Cancelled) {
        tell(parent, Texts::tr("The printing on \"%1\" was cancelled.").arg(where),
             MessageBoxes::Icon::Information);
        return Outcome::Cancelled;
    }
    tell(parent, Texts::tr("The report could not be printed on \"%1\".").arg(where),
         MessageBoxes::Icon::Critical);
    return Outcome::Failed;
}

} // namespace Orvane::ReportExport
