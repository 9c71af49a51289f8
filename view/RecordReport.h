#pragma once

#include "store/DowsingRecord.h"

#include <QList>
#include <QString>
#include <QStringView>
#include <QTextCharFormat>
#include <QVarLengthArray>

class QTextEdit;

namespace Orvane::RecordReport {

// The content of an entry whose field is empty.
QString notEnteredText();

// One entry of the report: a label and the field's text (or the
// not-entered text when the field is empty), whole, with the characters
// that do not show made visible (ShownText::visible()).
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

// The character format of every entry: bold.
QTextCharFormat entryFormat();

// Clears the box and writes the report into it, one entry after the other
// at the end of the text, each entry in bold. Line breaks inside a value
// stay line breaks. Of a text too long to lay out at once (see ShownText)
// the box shows the start, followed on a line of its own by the words
// that say how much is shown; the box's accessible description then says
// so too. Returns whether the box shows every entry whole.
bool write(QTextEdit *box, const DowsingRecord &record);

// What follows a text of which the report shows only the start.
QString shownInPartText(qsizetype shown, qsizetype stored);

// The report's text as a text box lays it out, without copying the long
// texts: the paragraphs (one ends at each CR LF, LF, CR or U+2029, as
// QTextCursor::insertText() ends them) as the pieces of the entries they
// are made of.
class Paragraphs
{
public:
    // Over the entries or the text, which must outlive it.
    explicit Paragraphs(const QList<Entry> &entries);
    explicit Paragraphs(QStringView text);

    struct Paragraph
    {
        // As a rule a label and the start of its content, or a part of one.
        QVarLengthArray<QStringView, 2> parts;
        qsizetype size() const;
        // Characters from..from+count of the paragraph, copied.
        QString mid(qsizetype from, qsizetype count) const;
    };
    // Calls visit(paragraph) for each paragraph in order, until it answers
    // false; returns false when it did.
    template<typename Visit>
    bool forEach(Visit visit) const;
    // The report's characters, its line breaks among them.
    qsizetype characters() const { return m_characters; }

private:
    // Each entry as its label, its content and the entry's end.
    QList<QStringView> m_segments;
    qsizetype m_characters = 0;
};

template<typename Visit>
bool Paragraphs::forEach(Visit visit) const
{
    Paragraph paragraph;
    const auto add = [&](QStringView part) {
        if (!part.isEmpty())
            paragraph.parts.append(part);
    };
    bool afterReturn = false;
    for (QStringView segment : m_segments) {
        qsizetype from = 0;
        if (afterReturn && segment.startsWith(u'\n'))
            from = 1; // the LF of a CR LF split between two segments
        afterReturn = false;
        for (qsizetype i = from; i < segment.size(); ++i) {
            const char16_t c = segment.at(i).unicode();
            if (c != u'\r' && c != u'\n' && c != QChar::ParagraphSeparator)
                continue;
            add(segment.sliced(from, i - from));
            if (!visit(static_cast<const Paragraph &>(paragraph)))
                return false;
            paragraph = Paragraph();
            if (c == u'\r' && i + 1 < segment.size() && segment.at(i + 1) == u'\n')
                ++i;
            else if (c == u'\r' && i + 1 == segment.size())
                afterReturn = true;
            from = i + 1;
        }
        add(segment.sliced(from));
    }
    return visit(static_cast<const Paragraph &>(paragraph));
}

} // namespace Orvane::RecordReport
