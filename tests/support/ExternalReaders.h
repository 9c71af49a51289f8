#pragma once

#include <QList>
#include <QString>
#include <QStringList>

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

// The rows of a CSV file as Python's csv module reads it (utf-8-sig,
// strict). False with a reason when python3 is missing or refuses it.
bool pythonCsvRows(const QString &path, QList<QStringList> *rows, QString *why);

// Has LibreOffice Calc, headless and with its profile in profileDir,
// convert file into outDir as format (its output filter: "fods", or
// "csv:Text - txt - csv (StarCalc):44,34,76,1" for UTF-8 CSV), reading a
// CSV file with the import filter options infilter ("CSV:44,34,76,1" for
// UTF-8; empty for other files). The path of the file it wrote; empty with
// a reason when soffice is missing or fails.
QString calcConvert(const QString &file, const QString &infilter, const QString &format,
                    const QString &outDir, const QString &profileDir, QString *error);

// Decodes the HTML that unrtf writes into plain text (see rtfText).
QString textOfUnrtfHtml(const QString &html);

} // namespace Orvane::Testing
