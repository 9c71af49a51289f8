#pragma once

#include <QByteArray>
#include <QString>

class QTextDocument;

namespace Orvane::RtfWriter {

// The document's text and character formatting as Rich Text: every block a
// paragraph, soft line breaks as \line, tabs as \tab, font, size, bold,
// italic, underline, strike-out and text colour per fragment. Everything
// beyond ASCII is written as \uN with a "?" fallback (UTF-16 code units, so
// characters beyond the BMP become a surrogate pair), which makes the output
// plain ASCII.
QByteArray toRtf(const QTextDocument &document);

// One piece of text escaped for the body of an RTF file: "\", "{" and "}"
// get a backslash, tabs become \tab, line breaks \line, and every UTF-16
// code unit beyond ASCII \uN\'3f (a signed 16-bit N, then the fallback "?").
// Other control characters and object placeholders are dropped; a lone
// surrogate becomes U+FFFD.
QByteArray escapeText(const QString &text);

// Writes toRtf(document) to path through a temporary file that replaces the
// target only once it is complete, so an existing file is never left
// half-written. On failure returns false and, if error is given, sets it to
// the reason.
bool saveRtf(const QTextDocument &document, const QString &path, QString *error = nullptr);

} // namespace Orvane::RtfWriter
