#include "RtfWriter.h"

#include <QColor>
#include <QFont>
#include <QList>
#include <QStringList>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextDocument>
#include <QTextFragment>

namespace Orvane::RtfWriter {

namespace {

// The first font of the table; the report box shows its text in it.
const QString kFirstFont = QStringLiteral("Verdana");

// Object placeholders and the frame markers of QTextDocument: not text.
bool isPlaceholder(char16_t c)
{
    return c == QChar::ObjectReplacementCharacter || c == 0xFDD0 || c == 0xFDD1;
}

void appendUnicode(QByteArray &out, char16_t unit)
{
    // RTF reads N as a signed 16-bit number. A "?" follows for readers
    // without Unicode (one character, as \uc1 announces), written as the hex
    // escape \'3f: some readers skip a whole run of plain text after \uN
    // instead of one character, and an escape ends the run.
    out += "\\u";
    out += QByteArray::number(static_cast<qint16>(unit));
    out += "\\'3f";
}

using RunFormat = Stream::RunFormat;

} // namespace

class Stream::Tables
{
public:
    explicit Tables(const QFont &defaultFont) : m_defaultFont(defaultFont)
    {
        m_fonts.append(kFirstFont);
    }

    RunFormat formatOf(const QTextCharFormat &format)
    {
        // What the format leaves open comes from the document's font.
        const QFont font = format.font().resolve(m_defaultFont);
        RunFormat run;
        run.font = fontIndex(font.family());

        qreal points = font.pointSizeF();
        if (points <= 0 && font.pixelSize() > 0)
            points = font.pixelSize() * 72.0 / 96.0;
        run.halfPoints = points > 0 ? qMax(1, qRound(points * 2)) : 24;

        run.bold = font.weight() > QFont::Medium;
        run.italic = font.italic();
        if (format.hasProperty(QTextFormat::TextUnderlineStyle))
            run.underline = format.underlineStyle() != QTextCharFormat::NoUnderline;
        else
            run.underline = font.underline();
        run.strike = font.strikeOut();

        if (format.hasProperty(QTextFormat::ForegroundBrush)
            && format.foreground().style() != Qt::NoBrush) {
            run.colour = colourIndex(format.foreground().color());
        }
        return run;
    }

    void write(QByteArray &out) const
    {
        writeFontTable(out);
        writeColourTable(out);
    }

private:
    int fontIndex(const QString &family)
    {
        if (family.isEmpty())
            return 0;
        for (int i = 0; i < m_fonts.size(); ++i) {
            if (m_fonts.at(i).compare(family, Qt::CaseInsensitive) == 0)
                return i;
        }
        m_fonts.append(family);
        return static_cast<int>(m_fonts.size() - 1);
    }

    int colourIndex(const QColor &colour)
    {
        const QRgb rgb = colour.rgb() & RGB_MASK;
        int i = static_cast<int>(m_colours.indexOf(rgb));
        if (i < 0) {
            m_colours.append(rgb);
            i = static_cast<int>(m_colours.size() - 1);
        }
        return i + 1; // entry 0 is the automatic colour
    }

    void writeFontTable(QByteArray &out) const
    {
        out += "{\\fonttbl";
        for (int i = 0; i < m_fonts.size(); ++i) {
            QString name = m_fonts.at(i);
            name.remove(QLatin1Char(';')); // ends the name in the table
            out += "{\\f";
            out += QByteArray::number(i);
            out += i == 0 ? "\\fswiss" : "\\fnil";
            out += "\\fcharset0 ";
            out += escapeText(name);
            out += ";}";
        }
        out += "}\r\n";
    }

    void writeColourTable(QByteArray &out) const
    {
        if (m_colours.isEmpty())
            return;
        out += "{\\colortbl ;";
        for (QRgb rgb : m_colours) {
            out += "\\red" + QByteArray::number(qRed(rgb));
            out += "\\green" + QByteArray::number(qGreen(rgb));
            out += "\\blue" + QByteArray::number(qBlue(rgb));
            out += ';';
        }
        out += "}\r\n";
    }

    const QFont m_defaultFont;
    QStringList m_fonts;
    QList<QRgb> m_colours;
};

namespace {

// The control words that turn the current formatting into the wanted one.
QByteArray changes(RunFormat &current, const RunFormat &wanted)
{
    QByteArray c;
    if (wanted.font != current.font)
        c += "\\f" + QByteArray::number(wanted.font);
    if (wanted.halfPoints != current.halfPoints)
        c += "\\fs" + QByteArray::number(wanted.halfPoints);
    if (wanted.bold != current.bold)
        c += wanted.bold ? "\\b" : "\\b0";
    if (wanted.italic != current.italic)
        c += wanted.italic ? "\\i" : "\\i0";
    if (wanted.underline != current.underline)
        c += wanted.underline ? "\\ul" : "\\ulnone";
    if (wanted.strike != current.strike)
        c += wanted.strike ? "\\strike" : "\\strike0";
    if (wanted.colour != current.colour)
        c += "\\cf" + QByteArray::number(wanted.colour);
    current = wanted;
    return c;
}

} // namespace

QByteArray escapeText(QStringView text)
{
    QByteArray out;
    out.reserve(text.size() + text.size() / 8);
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = text.at(i).unicode();
        if (c == '\\' || c == '{' || c == '}') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c == '\t') {
            out += "\\tab ";
        } else if (c == '\n' || c == '\r' || c == QChar::LineSeparator
                   || c == QChar::ParagraphSeparator) {
            out += "\\line ";
        } else if (c >= 0x20 && c < 0x7F) {
            out += static_cast<char>(c);
        } else if (c < 0x80) {
            // other control characters: nothing to show
        } else if (QChar::isHighSurrogate(c)) {
            if (i + 1 < n && QChar::isLowSurrogate(text.at(i + 1).unicode())) {
                appendUnicode(out, c);
                appendUnicode(out, text.at(++i).unicode());
            } else {
                appendUnicode(out, QChar::ReplacementCharacter);
            }
        } else if (QChar::isLowSurrogate(c)) {
            appendUnicode(out, QChar::ReplacementCharacter);
        } else if (!isPlaceholder(c)) {
            appendUnicode(out, c);
        }
    }
    return out;
}

Stream::Stream(const QFont &defaultFont, const QList<QTextCharFormat> &formats)
    : m_tables(std::make_unique<Tables>(defaultFont))
{
    // Tables first: every font and colour the body refers to.
    for (const QTextCharFormat &format : formats)
        m_tables->formatOf(format);
}

Stream::~Stream() = default;

QByteArray Stream::start() const
{
    QByteArray out = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1\r\n";
    m_tables->write(out);
    out += "\\pard";
    return out;
}

void Stream::endParagraph(QByteArray &out)
{
    out += "\\par\r\n";
    m_pendingSpace = false;
}

void Stream::appendText(QByteArray &out, QStringView text, const QTextCharFormat &format)
{
    const QByteArray escaped = escapeText(text);
    if (escaped.isEmpty())
        return;
    const QByteArray controls = changes(m_current, m_tables->formatOf(format));
    if (!controls.isEmpty()) {
        out += controls;
        m_pendingSpace = true;
    }
    if (m_pendingSpace)
        out += ' ';
    m_pendingSpace = false;
    out += escaped;
}

QByteArray toRtf(const QTextDocument &document)
{
    QList<QTextCharFormat> formats;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            if (it.fragment().isValid())
                formats.append(it.fragment().charFormat());
        }
    }
    Stream stream(document.defaultFont(), formats);
    QByteArray out = stream.start();
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block != document.begin())
            stream.endParagraph(out);
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            if (it.fragment().isValid())
                stream.appendText(out, it.fragment().text(), it.fragment().charFormat());
        }
    }
    out += Stream::end();
    return out;
}

} // namespace Orvane::RtfWriter
