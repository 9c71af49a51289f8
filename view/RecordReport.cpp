#include "RecordReport.h"

#include <QFont>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextEdit>

namespace Orvane::RecordReport {

namespace {

const QString kEntryEnd = QStringLiteral("\r\n\r\n");

Entry entryOf(const QString &label, const QString &value)
{
    return Entry{label, value.isEmpty() ? notEnteredText() : value};
}

} // namespace

QString notEnteredText()
{
    return QStringLiteral("This data has not been entered");
}

QList<Entry> entries(const DowsingRecord &r)
{
    const QString separator = QStringLiteral(" :- ");
    QList<Entry> list{entryOf(DowsingRecord::dateCaption() + separator,
                              r.listedDateText())};
    for (const DowsingRecord::Field &field : DowsingRecord::textFields()) {
        QString label = QLatin1String(field.heading) + separator;
        // The item's label reads differently when the field has a value.
        if (field.id == DowsingRecord::FieldId::Item_Dowsing_For && !r.Item_Dowsing_For.isEmpty())
            label = QStringLiteral("Dowsin Item") + separator;
        list.append(entryOf(label, r.*field.member));
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

void write(QTextEdit *box, const DowsingRecord &record)
{
    box->clear();
    QTextCursor cursor(box->document());
    const QList<Entry> all = entries(record);
    for (const Entry &entry : all) {
        cursor.movePosition(QTextCursor::End);
        QTextCharFormat format = cursor.charFormat();
        format.setFontWeight(QFont::Bold);
        // The cursor turns each CR LF (and each lone LF or CR) into a
        // paragraph break.
        cursor.insertText(entryText(entry), format);
    }
    box->moveCursor(QTextCursor::Start);
}

} // namespace Orvane::RecordReport
