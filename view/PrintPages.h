#pragma once

class QPrinter;
class QTextEdit;

namespace Orvane::PrintPages {

// Prints the box's report, or only its selection when the printer's range
// is Selection, laid out on the printer's pages with a 2 cm margin as the
// box itself would print it, but without the page number the box adds at
// the foot of each page: the report has none.
void print(const QTextEdit &box, QPrinter &printer);

} // namespace Orvane::PrintPages
