#pragma once

#include "store/DowsingRecord.h"

#include <QList>
#include <QString>

class QTextEdit;

namespace Orvane::RecordReport {

// The content of an entry whose field is empty.
QString notEnteredText();

// One entry of the report: a label and the field's text (or the
// not-entered text when the field is empty).
struct Entry
{
    QString label;
    QString content;
};

// The thirteen entries, one per field from Date to Notes, in the order the
// list shows the fields. The record's IdNumber is not part of the report.
QList<Entry> entries(const DowsingRecord &record);

// label + content + CR LF + CR LF.
QString entryText(const Entry &entry);

// The whole report as one text: the thirteen entry texts in order.
QString text(const DowsingRecord &record);

// Clears the box and writes the report into it, one entry after the other
// at the end of the text, each entry in bold. Line breaks inside a value
// stay line breaks.
void write(QTextEdit *box, const DowsingRecord &record);

} // namespace Orvane::RecordReport
