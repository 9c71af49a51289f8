#pragma once

#include "RecordReport.h"

#include <QList>
#include <QString>

class QTextEdit;
class QWidget;

namespace Orvane::ReportExport {

enum class Outcome { Done, Cancelled, Failed };

// Asks for a file name through the Save As dialog and saves the report
// whole (every entry of report, however much of it the box shows) as Rich
// Text, in the box's font and formatting, with progress that may be
// cancelled. A cancelled dialog saves and shows nothing; a cancelled or
// failed save is told, naming the file, and leaves an existing file of that
// name as it was. When the extension added to the chosen name makes it name
// an existing file, the user is asked before it is replaced.
Outcome saveReport(QWidget *parent, const QTextEdit &box, const QList<RecordReport::Entry> &report);

// Asks for a printer through the printer dialog, which opens with its
// selection option chosen when text is selected in the box, and prints the
// selection, or the whole report (every entry of report, however much of
// it the box shows) when nothing is selected or the user chose all pages,
// with progress that may be cancelled. A cancelled dialog prints nothing; a
// printer that cannot be used, or a cancelled print, is told.
Outcome printReport(QWidget *parent, const QTextEdit &box,
                    const QList<RecordReport::Entry> &report);

// The file name with ".rtf" added when it has no extension.
QString withRtfSuffix(const QString &fileName);

} // namespace Orvane::ReportExport
