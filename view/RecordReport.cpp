#include "RecordReport.h"

#include "store/ShownText.h"

#include <QCoreApplication>
#include <QFont>
#include <QLocale>
#include <QTextCursor>
#include <QTextEdit>

namespace Orvane::RecordReport {

namespace {

// The translation context of the report's texts.
struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(Orvane::RecordReport)
};

const QString kEntryEnd = QStringLiteral("\r\n\r\n");

Entry entryOf(const QString &label, const QString &value)
{
    return Entry{label, value.isEmpty() ? notEnteredText() : ShownText::visible(value)};
}

} // namespace

QString notEnteredText()
{
    return Texts::tr("This data has not been entered");
}

QString shownInPartText(qsizetype shown, qsizetype stored)
{
    const QLocale locale;
    return Texts::tr("(Only the first %1 of its %2 characters are shown here. Save and Print "
                     "give them all.)")
            .arg(locale.toString(shown), locale.toString(stored));
}

QList<Entry> entries(const DowsingRecord &r)
{
    const auto label = [](const QString &heading) {
        return Texts::tr("%1 :- ", "an entry's label: the field's heading").arg(heading);
    };
    using F = DowsingRecord::FieldId;
    QList<Entry> list{entryOf(label(DowsingRecord::shownCaption(DowsingRecord::field(F::Date))),
                              r.listedDateText())};
    for (const DowsingRecord::Field &field : DowsingRecord::textFields()) {
        // The item's heading reads differently when the field has a value.
        const QString heading = field.id == F::Item_Dowsing_For && !r.Item_Dowsing_For.isEmpty()
                ? Texts::tr("Dowsin Item", "the item's heading when the record names one")
                : DowsingRecord::shownHeading(field);
        list.append(entryOf(label(heading), r.*field.member));
    }
    return list;
}

QString entryText(const Entry &entry)
{
    return entry.label + entry.content + kEntryEnd;
}

QString text(const DowsingRecord &record)
{
    QString result;
    const QList<Entry> all = entries(record);
    for (const Entry &entry : all)
        result += entryText(entry);
    return result;
}

QTextCharFormat entryFormat()
{
    QTextCharFormat format;
    format.setFontWeight(QFont::Bold);
    return format;
}

bool write(QTextEdit *box, const DowsingRecord &record)
{
    box->clear();
    QTextCursor cursor(box->document());
    const QList<Entry> all = entries(record);
    bool whole = true;
    for (const Entry &entry : all) {
        cursor.movePosition(QTextCursor::End);
        // The cursor turns each CR LF (and each lone LF or CR) into a
        // paragraph break.
        const qsizetype shown = ShownText::shownLength(entry.content);
        if (shown == entry.content.size()) {
            cursor.insertText(entryText(entry), entryFormat());
            continue;
        }
        whole = false;
        cursor.insertText(entry.label + entry.content.left(shown)
                                  + QStringLiteral("\r\n")
                                  + shownInPartText(shown, entry.content.size()) + kEntryEnd,
                          entryFormat());
    }
    box->setAccessibleDescription(
            whole ? QString()
                  : Texts::tr("Some of the record's texts are too long to show whole: the "
                              "report says where. Save and Print give them all."));
    box->moveCursor(QTextCursor::Start);
    return whole;
}

qsizetype Paragraphs::Paragraph::size() const
{
    qsizetype n = 0;
    for (QStringView part : parts)
        n += part.size();
    return n;
}

QString Paragraphs::Paragraph::mid(qsizetype from, qsizetype count) const
{
    QString out;
    out.reserve(qMin(count, size() - from));
    for (QStringView part : parts) {
        if (count <= 0)
            break;
        if (from >= part.size()) {
            from -= part.size();
            continue;
        }
        const QStringView taken = part.sliced(from, qMin(count, part.size() - from));
        out.append(taken);
        count -= taken.size();
        from = 0;
    }
    return out;
}

Paragraphs::Paragraphs(const QList<Entry> &entries)
{
    for (const Entry &entry : entries) {
        for (QStringView segment : {QStringView(entry.label), QStringView(entry.content),
                                    QStringView(kEntryEnd)}) {
            m_segments.append(segment);
            m_characters += segment.size();
        }
    }
}

Paragraphs::Paragraphs(QStringView text)
    : m_segments{text}
    , m_characters(text.size())
{
}

} // namespace Orvane::RecordReport
