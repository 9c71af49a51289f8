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
#include <QTextEdit>

namespace Orvane::ReportExport {

namespace {

// The translation context of the texts.
struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(Orvane::ReportExport)
};

void reportFailure(QWidget *parent, const QString &text)
{
    platform().messages->show(parent, text, MessageBoxes::Icon::Critical);
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

Outcome saveReport(QWidget *parent, const QTextEdit &box)
{
    const QString chosen = platform().dialogs->saveFileName(
            parent, AppInfo::title(), Texts::tr("Rich Text Format (*.rtf)"),
            QStringLiteral("rtf"));
    if (chosen.isEmpty())
        return Outcome::Cancelled;

    const QString path = withRtfSuffix(chosen);
    // The dialog asked before replacing the name it returned; the extension
    // added here may name another file, which is not replaced unasked.
    if (path != chosen && QFileInfo::exists(path)
        && platform().messages->show(
                   parent,
                   SharedTexts::replaceQuestion(QDir::toNativeSeparators(path)),
                   MessageBoxes::Icon::None, MessageBoxes::Buttons::YesNo,
                   MessageBoxes::Answer::No)
                != MessageBoxes::Answer::Yes)
        return Outcome::Cancelled;

    QString reason;
    if (RtfWriter::saveRtf(*box.document(), path, &reason))
        return Outcome::Done;
    reportFailure(parent, Texts::tr("The report could not be saved to \"%1\".\r\r%2")
                                  .arg(QDir::toNativeSeparators(path), reason));
    return Outcome::Failed;
}

Outcome printReport(QWidget *parent, const QTextEdit &box)
{
    QPrinter printer(QPrinter::HighResolution);
    const bool hasSelection = box.textCursor().hasSelection();
    if (!platform().dialogs->choosePrinter(parent, printer, hasSelection))
        return Outcome::Cancelled;

    // The box prints nothing at all for a selection range without a
    // selection; the whole report is what the user wants then.
    if (printer.printRange() == QPrinter::Selection && !hasSelection)
        printer.setPrintRange(QPrinter::AllPages);
    PrintPages::print(box, printer);
    if (printer.printerState() != QPrinter::Error)
        return Outcome::Done;

    const QString where = printer.outputFileName().isEmpty()
            ? printer.printerName()
            : QDir::toNativeSeparators(printer.outputFileName());
    reportFailure(parent, Texts::tr("The report could not be printed on \"%1\".").arg(where));
    return Outcome::Failed;
}

} // namespace Orvane::ReportExport
