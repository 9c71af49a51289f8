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
    // The item's label reads differently when the field has a value.
    const QString itemLabel = r.Item_Dowsing_For.isEmpty() ? QStringLiteral("Dowsing Item :- ")
                                                           : QStringLiteral("Dowsin Item :- ");
    return {
        entryOf(QStringLiteral("Date :- "), r.listedDateText()),
        entryOf(QStringLiteral("Name :- "), r.Name),
        entryOf(QStringLiteral("Address :- "), r.Address),
        entryOf(QStringLiteral("City :- "), r.City),
        entryOf(QStringLiteral("State :- "), r.State),
        entryOf(QStringLiteral("Pin :- "), r.Pin),
        entryOf(QStringLiteral("Phone Number :- "), r.Phone_No),
        entryOf(QStringLiteral("Email :- "), r.Email),
        entryOf(QStringLiteral("Dowsing Time :- "), r.Time_Dowsing_Occured),
        entryOf(QStringLiteral("Dowsing Tool :- "), r.Dowsing_Tool),
        entryOf(itemLabel, r.Item_Dowsing_For),
        entryOf(QStringLiteral("Location :- "), r.Location_Dowsing_Occured),
        entryOf(QStringLiteral("Notes :- "), r.Notes),
    };
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
