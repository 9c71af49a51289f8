#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringView>
#include <QTextCharFormat>

#include <memory>

class QFont;
class QTextDocument;

namespace Orvane::RtfWriter {

// Rich Text written a piece at a time, so that a text too long to hold
// twice (as text and as Rich Text) is written as it is read: the start, then
// text and paragraph ends in order, then end(). Paragraphs and tabs as in
// toRtf(); font, size, bold, italic, underline, strike-out and text colour
// per piece of text.
class Stream
{
public:
    // The formats the pieces will have, for the tables of fonts and colours
    // at the start; what a format leaves open comes from defaultFont.
    Stream(const QFont &defaultFont, const QList<QTextCharFormat> &formats);
    ~Stream();
    Stream(const Stream &) = delete;
    Stream &operator=(const Stream &) = delete;

    // The header, the tables, and the start of the first paragraph.
    QByteArray start() const;
    // Ends the paragraph; what follows begins the next.
    void endParagraph(QByteArray &out);
    // Appends text in the format (one of those given at the start).
    void appendText(QByteArray &out, QStringView text, const QTextCharFormat &format);
    static QByteArray end() { return QByteArrayLiteral("}"); }

    // The character formatting of a run of text, as the file writes it.
    struct RunFormat
    {
        int font = 0;
        int halfPoints = 24; // RTF's own default size, 12 pt
        bool bold = false;
        bool italic = false;
        bool underline = false;
        bool strike = false;
        int colour = 0; // 0: the reader's automatic colour
    };

private:
    class Tables;
    std::unique_ptr<Tables> m_tables;
    RunFormat m_current; // what \pard leaves at the start of the body
    bool m_pendingSpace = true; // "\pard" wants a delimiter before text
};

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
QByteArray escapeText(QStringView text);

} // namespace Orvane::RtfWriter
