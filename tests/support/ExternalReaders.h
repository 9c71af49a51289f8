#pragma once

#include <QString>

namespace Orvane::Testing {

// Readers from outside the program that tests use to judge what it wrote.

// The path of a program on PATH, or empty when it is not installed.
QString externalProgram(const QString &name);

// The text of an RTF file as unrtf reads it: its HTML output with the tags
// removed, each <br> a "\n" and every entity decoded (numeric entities as
// UTF-16 code units, so a surrogate pair comes back as one character).
// unrtf drops spaces at the start of a paragraph, folds runs of spaces into
// one and widens tabs: texts to compare must have none of these.
// False with a reason when unrtf is missing or fails.
bool rtfText(const QString &rtfPath, QString *text, QString *error);

// The text of a PDF file as pdftotext reads it (UTF-8, pages ended by a
// form feed). False with a reason when pdftotext is missing or fails.
bool pdfText(const QString &pdfPath, QString *text, QString *error);

// Decodes the HTML that unrtf writes into plain text (see rtfText).
QString textOfUnrtfHtml(const QString &html);

} // namespace Orvane::Testing
