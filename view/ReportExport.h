#pragma once

#include <QString>

class QTextEdit;
class QWidget;

namespace Orvane::ReportExport {

enum class Outcome { Done, Cancelled, Failed };

// Asks for a file name through the Save As dialog and saves the box's whole
// report, with its formatting, as Rich Text. A cancelled dialog saves and
// shows nothing; a file that cannot be written is reported in a critical
// message naming it and the reason, and an existing file of that name is
// left as it was. When the extension added to the chosen name makes it name
// an existing file, the user is asked before it is replaced.
Outcome saveReport(QWidget *parent, const QTextEdit &box);

// Asks for a printer through the printer dialog, which opens with its
// selection option chosen when text is selected in the box, and prints the
// selection, or the whole report when nothing is selected or the user chose
// all pages. A cancelled dialog prints nothing; a printer that cannot be
// used is reported in a critical message.
Outcome printReport(QWidget *parent, const QTextEdit &box);

// The file name with ".rtf" added when it has no extension.
QString withRtfSuffix(const QString &fileName);

} // namespace Orvane::ReportExport
