#include "DowsingRecord.h"

#include <algorithm>

namespace Orvane {

const std::array<DowsingRecord::Field, DowsingRecord::kFieldCount> &DowsingRecord::fields()
{
    using F = FieldId;
    // The captions and headings are marked for translation; the table keeps
    // them as they are, for the CSV and its import.
    static const std::array<Field, kFieldCount> all = {{
            {F::Date, "Date", QT_TR_NOOP("Date"), QT_TR_NOOP("Date"), nullptr},
            {F::Name, "Name", QT_TR_NOOP("Name"), QT_TR_NOOP("Name"), &DowsingRecord::Name},
            {F::Address, "Address", QT_TR_NOOP("Address"), QT_TR_NOOP("Address"),
             &DowsingRecord::Address},
            {F::City, "City", QT_TR_NOOP("City"), QT_TR_NOOP("City"), &DowsingRecord::City},
            {F::State, "State", QT_TR_NOOP("State"), QT_TR_NOOP("State"), &DowsingRecord::State},
            {F::Pin, "Pin", QT_TR_NOOP("Pin"), QT_TR_NOOP("Pin"), &DowsingRecord::Pin},
            {F::Phone_No, "Phone_No", QT_TR_NOOP("Phone No"), QT_TR_NOOP("Phone Number"),
             &DowsingRecord::Phone_No},
            {F::Email, "Email", QT_TR_NOOP("Email Address"), QT_TR_NOOP("Email"),
             &DowsingRecord::Email},
            {F::Time_Dowsing_Occured, "Time_Dowsing_Occured", QT_TR_NOOP("Time Of Dowsing"),
             QT_TR_NOOP("Dowsing Time"), &DowsingRecord::Time_Dowsing_Occured},
            {F::Dowsing_Tool, "Dowsing_Tool", QT_TR_NOOP("Dowsing Tool"),
             QT_TR_NOOP("Dowsing Tool"), &DowsingRecord::Dowsing_Tool},
            {F::Item_Dowsing_For, "Item_Dowsing_For", QT_TR_NOOP("Item Of Dowsing"),
             QT_TR_NOOP("Dowsing Item"), &DowsingRecord::Item_Dowsing_For},
            {F::Location_Dowsing_Occured, "Location_Dowsing_Occured", QT_TR_NOOP("Location"),
             QT_TR_NOOP("Location"), &DowsingRecord::Location_Dowsing_Occured},
            {F::Notes, "Notes", QT_TR_NOOP("Notes"), QT_TR_NOOP("Notes"), &DowsingRecord::Notes},
            {F::IdNumber, "IdNumber", QT_TR_NOOP("IdNumber"), QT_TR_NOOP("IdNumber"), nullptr},
    }};
    return all;
}

QString DowsingRecord::shownCaption(const Field &field)
{
    return tr(field.caption);
}

QString DowsingRecord::shownHeading(const Field &field)
{
    return tr(field.heading);
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

bool operator==(const DowsingRecord &a, const DowsingRecord &b)
{
    return a.sameFields(b) && a.IdNumber == b.IdNumber;
}

} // namespace Orvane
