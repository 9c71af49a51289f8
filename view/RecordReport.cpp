#include "RecordReport.h"

#include <QCoreApplication>
#include <QFont>
#include <QTextCharFormat>
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
    return Entry{label, value.isEmpty() ? notEnteredText() : value};
}

} // namespace

QString notEnteredText()
{
    return Texts::tr("This data has not been entered");
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
