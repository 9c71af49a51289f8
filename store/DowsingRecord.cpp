#include "DowsingRecord.h"

#include <algorithm>

namespace Orvane {

const std::array<DowsingRecord::Field, DowsingRecord::kFieldCount> &DowsingRecord::fields()
{
    using F = FieldId;
    static const std::array<Field, kFieldCount> all = {{
            {F::Date, "Date", "Date", "Date", nullptr},
            {F::Name, "Name", "Name", "Name", &DowsingRecord::Name},
            {F::Address, "Address", "Address", "Address", &DowsingRecord::Address},
            {F::City, "City", "City", "City", &DowsingRecord::City},
            {F::State, "State", "State", "State", &DowsingRecord::State},
            {F::Pin, "Pin", "Pin", "Pin", &DowsingRecord::Pin},
            {F::Phone_No, "Phone_No", "Phone No", "Phone Number", &DowsingRecord::Phone_No},
            {F::Email, "Email", "Email Address", "Email", &DowsingRecord::Email},
            {F::Time_Dowsing_Occured, "Time_Dowsing_Occured", "Time Of Dowsing", "Dowsing Time",
             &DowsingRecord::Time_Dowsing_Occured},
            {F::Dowsing_Tool, "Dowsing_Tool", "Dowsing Tool", "Dowsing Tool",
             &DowsingRecord::Dowsing_Tool},
            {F::Item_Dowsing_For, "Item_Dowsing_For", "Item Of Dowsing", "Dowsing Item",
             &DowsingRecord::Item_Dowsing_For},
            {F::Location_Dowsing_Occured, "Location_Dowsing_Occured", "Location", "Location",
             &DowsingRecord::Location_Dowsing_Occured},
            {F::Notes, "Notes", "Notes", "Notes", &DowsingRecord::Notes},
            {F::IdNumber, "IdNumber", "IdNumber", "IdNumber", nullptr},
    }};
    return all;
}

const std::array<DowsingRecord::Field, 12> &DowsingRecord::textFields()
{
    static const std::array<Field, 12> texts = [] {
        std::array<Field, 12> list{};
        std::copy(fields().begin() + 1, fields().begin() + 13, list.begin());
        return list;
    }();
    return texts;
}

const QStringList &DowsingRecord::fieldNames()
{
    static const QStringList names = [] {
        QStringList list;
        for (const Field &f : fields())
            list.append(QLatin1String(f.column));
        return list;
    }();
    return names;
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
