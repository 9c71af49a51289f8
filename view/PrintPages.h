#pragma once

#include "RecordReport.h"

class QFont;
class QPrinter;

namespace Orvane {
class Progress;
}

namespace Orvane::PrintPages {

enum class Outcome { Done, Cancelled, Failed };

// Prints the paragraphs in the font on the printer's pages with a 2 cm
// margin, wrapped as a text box wraps them, each line once on the page it
// begins; no page number at the foot: the report has none. A paragraph is
// laid out a few thousand characters at a time, so that any length prints
// in time that grows with it alone. progress (may be null) is told the
// characters done; when it answers false the printing is aborted.
Outcome print(const RecordReport::Paragraphs &paragraphs, const QFont &font, QPrinter &printer,
              Progress *progress);

} // namespace Orvane::PrintPages
