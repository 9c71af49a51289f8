#include "StoreSql.h"

#include <QDir>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <iterator>

namespace Orvane {

QString recordColumns()
{
    return QStringLiteral("Date, Name, Address, City, State, Pin, Phone_No, Email, "
                          "Time_Dowsing_Occured, Dowsing_Tool, Item_Dowsing_For, "
                          "Location_Dowsing_Occured, Notes");
}

DowsingRecord recordFrom(const QSqlQuery &q)
{
    DowsingRecord r;
    r.Date = QDate::fromString(q.value(0).toString().left(10), Qt::ISODate);
    r.Name = q.value(1).toString();
    r.Address = q.value(2).toString();
    r.City = q.value(3).toString();
    r.State = q.value(4).toString();
    r.Pin = q.value(5).toString();
    r.Phone_No = q.value(6).toString();
    r.Email = q.value(7).toString();
    r.Time_Dowsing_Occured = q.value(8).toString();
    r.Dowsing_Tool = q.value(9).toString();
    r.Item_Dowsing_For = q.value(10).toString();
    r.Location_Dowsing_Occured = q.value(11).toString();
    r.Notes = q.value(12).toString();
    r.IdNumber = q.value(13).toLongLong();
    return r;
}

void bindRecord(QSqlQuery &query, const DowsingRecord &r, int first)
{
    const auto text = [](const QString &value) {
        return value.isNull() ? QVariant(QString(QLatin1String(""))) : QVariant(value);
    };
    query.bindValue(first, r.Date.toString(Qt::ISODate));
    int place = first + 1;
    for (const DowsingRecord::TextField &field : DowsingRecord::textFields())
        query.bindValue(place++, text(r.*field.member));
}

QString reasonOf(const QSqlError &error)
{
    const QString text = error.databaseText().trimmed();
    const QString reason = text.isEmpty() ? error.text().trimmed() : text;
    // The engine's word for a damaged page, whichever read met it first.
    if (error.nativeErrorCode() == QLatin1String("11"))
        return QStringLiteral("The file is damaged: %1").arg(reason);
    return reason;
}

QString nativePath(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

} // namespace Orvane
