#include "RecordFixtures.h"

#include "store/RecordCsv.h"

namespace Orvane::Testing {

QStringList csvFieldsOf(const DowsingRecord &r)
{
    QStringList fields{r.Date.storedText()};
    for (const DowsingRecord::TextField &field : DowsingRecord::textFields())
        fields.append(r.*field.member);
    return fields;
}

QStringList csvFields(std::initializer_list<std::pair<const char *, QString>> named)
{
    QStringList fields(RecordCsv::headerNames().size());
    for (const auto &[name, text] : named) {
        const qsizetype at = RecordCsv::headerNames().indexOf(QLatin1String(name));
        Q_ASSERT_X(at >= 0, "csvFields", name);
        fields[at] = text;
    }
    return fields;
}

DowsingRecord withoutKey(DowsingRecord r)
{
    r.IdNumber.reset();
    return r;
}

QList<DowsingRecord> spreadsheetTroubleRecords()
{
    const auto base = [](int day, const QString &time) {
        DowsingRecord r;
        r.Date = QDate(2010, 1, day);
        r.Name = QStringLiteral("ANNE");
        r.Time_Dowsing_Occured = time;
        r.Dowsing_Tool = QStringLiteral("Rods");
        r.Item_Dowsing_For = QStringLiteral("water");
        return r;
    };
    QList<DowsingRecord> list;
    DowsingRecord formulas = base(15, QStringLiteral("11:45"));
    formulas.Name = QStringLiteral("=HYPERLINK(\"http://x\",\"click\")");
    formulas.Address = QStringLiteral("=1+1");
    formulas.Email = QStringLiteral("=cmd|' /C calc'!A0");
    formulas.Dowsing_Tool = QStringLiteral("=1+1");
    formulas.Notes = QStringLiteral("=IMPORTXML(\"http://x\",\"//a\")");
    list.append(formulas);

    DowsingRecord starts = base(16, QString());
    starts.Name = QStringLiteral("+1+2");
    starts.Address = QStringLiteral("-2+3");
    starts.City = QStringLiteral("@SUM(1)");
    starts.State = QStringLiteral("@@");
    starts.Pin = QStringLiteral("-5");
    starts.Phone_No = QStringLiteral("'=1+1");
    starts.Email = QStringLiteral("''@x");
    starts.Location_Dowsing_Occured = QStringLiteral("'");
    starts.Notes = QStringLiteral("'hello, an apostrophe that is no mark");
    list.append(starts);

    // Times another program stored, none of them the entry window's form.
    for (const char *time : {"9:5", "9:30", "11:45:00 AM", "'", "'11:45", "morning", "=1"}) {
        DowsingRecord r = base(17, QString::fromUtf8(time));
        r.Notes = QStringLiteral("time ") + r.Time_Dowsing_Occured;
        list.append(r);
    }

    DowsingRecord scripts = base(18, QStringLiteral("24:05"));
    scripts.Name = QStringLiteral("O'BRIEN");
    scripts.Address = QStringLiteral("Rue de l'Église 3\nÉtage 2");
    scripts.City = QStringLiteral("東京");
    scripts.State = QStringLiteral("שלום עולם");
    scripts.Notes = QStringLiteral("\uFEFFhello, \"quoted\"; 水脈 🜄 ☔");
    list.append(scripts);
    return list;
}

} // namespace Orvane::Testing
