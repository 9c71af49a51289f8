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

const std::array<DowsingRecord::TextField, 12> &DowsingRecord::textFields()
{
    static const std::array<TextField, 12> fields = {{
            {&DowsingRecord::Name, "Name", "Name"},
            {&DowsingRecord::Address, "Address", "Address"},
            {&DowsingRecord::City, "City", "City"},
            {&DowsingRecord::State, "State", "State"},
            {&DowsingRecord::Pin, "Pin", "Pin"},
            {&DowsingRecord::Phone_No, "Phone No", "Phone Number"},
            {&DowsingRecord::Email, "Email Address", "Email"},
            {&DowsingRecord::Time_Dowsing_Occured, "Time Of Dowsing", "Dowsing Time"},
            {&DowsingRecord::Dowsing_Tool, "Dowsing Tool", "Dowsing Tool"},
            {&DowsingRecord::Item_Dowsing_For, "Item Of Dowsing", "Dowsing Item"},
            {&DowsingRecord::Location_Dowsing_Occured, "Location", "Location"},
            {&DowsingRecord::Notes, "Notes", "Notes"},
    }};
    return fields;
}

bool DowsingRecord::sameFields(const DowsingRecord &other) const
{
    if (Date != other.Date)
        return false;
    for (const TextField &field : textFields()) {
        if (this->*field.member != other.*field.member)
            return false;
    }
    return true;
}

QString DowsingRecord::listedDateText() const
{
    if (!Date.isValid())
        return {};
    return QStringLiteral("%1/%2/%3").arg(Date.month()).arg(Date.day()).arg(Date.year());
}

bool operator==(const DowsingRecord &a, const DowsingRecord &b)
{
    return a.sameFields(b) && a.IdNumber == b.IdNumber;
}

} // namespace Orvane
