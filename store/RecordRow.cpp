#include "RecordRow.h"

#include <QSqlQuery>
#include <QVariant>

namespace Orvane {

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

} // namespace Orvane
