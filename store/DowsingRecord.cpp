#include "DowsingRecord.h"

namespace Orvane {

const QStringList &DowsingRecord::fieldNames()
{
    static const QStringList names = {
        QStringLiteral("Date"),         QStringLiteral("Name"),
        QStringLiteral("Address"),      QStringLiteral("City"),
        QStringLiteral("State"),        QStringLiteral("Pin"),
        QStringLiteral("Phone_No"),     QStringLiteral("Email"),
        QStringLiteral("Time_Dowsing_Occured"), QStringLiteral("Dowsing_Tool"),
        QStringLiteral("Item_Dowsing_For"),     QStringLiteral("Location_Dowsing_Occured"),
        QStringLiteral("Notes"),        QStringLiteral("IdNumber"),
    };
    return names;
}

QString DowsingRecord::listedDateText() const
{
    if (!Date.isValid())
        return {};
    return QStringLiteral("%1/%2/%3").arg(Date.month()).arg(Date.day()).arg(Date.year());
}

bool operator==(const DowsingRecord &a, const DowsingRecord &b)
{
    return a.Date == b.Date && a.Name == b.Name && a.Address == b.Address && a.City == b.City
            && a.State == b.State && a.Pin == b.Pin && a.Phone_No == b.Phone_No
            && a.Email == b.Email && a.Time_Dowsing_Occured == b.Time_Dowsing_Occured
            && a.Dowsing_Tool == b.Dowsing_Tool && a.Item_Dowsing_For == b.Item_Dowsing_For
            && a.Location_Dowsing_Occured == b.Location_Dowsing_Occured && a.Notes == b.Notes
            && a.IdNumber == b.IdNumber;
}

} // namespace Orvane
