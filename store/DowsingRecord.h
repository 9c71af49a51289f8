#pragma once

#include "RecordDate.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

namespace Orvane {

// One row of the table Details. Field names follow the table's columns.
struct DowsingRecord
{
    RecordDate Date;
    QString Name;
    QString Address;
    QString City;
    QString State;
    QString Pin;
    QString Phone_No;
    QString Email;
    QString Time_Dowsing_Occured; // "HH:MM"
    QString Dowsing_Tool;
    QString Item_Dowsing_For;
    QString Location_Dowsing_Occured;
    QString Notes;
    std::optional<qint64> IdNumber; // assigned by the store

    // The fourteen fields in the table's order, which is the list's: how
    // the table names each, how the list heads it, and how the report and
    // an export call it. Everything that lists the fields (the store's SQL,
    // the find index, the list, the report, the CSV, the comparisons) takes
    // them from here, so that a field is one line here and its widget.
    enum class FieldId {
        Date, Name, Address, City, State, Pin, Phone_No, Email, Time_Dowsing_Occured,
        Dowsing_Tool, Item_Dowsing_For, Location_Dowsing_Occured, Notes, IdNumber
    };
    struct Field
    {
        FieldId id;
        const char *column;  // "Phone_No"
        const char *caption; // the list's "Phone No"
        const char *heading; // the report's and an export's "Phone Number"
        // The text member; null for the date and the key.
        QString DowsingRecord::*member;
    };
    static constexpr int kFieldCount = 14;
    static const std::array<Field, kFieldCount> &fields();
    static const Field &field(FieldId id) { return fields()[size_t(id)]; }
    // Date to Notes: what a record stores besides its key.
    static constexpr int kStoredFields = 13;
    // The twelve text fields, Name to Notes.
    using TextField = Field;
    static const std::array<Field, 12> &textFields();

    // The fourteen column names in the table's order.
    static const QStringList &fieldNames();
    static QString dateCaption() { return QLatin1String(field(FieldId::Date).caption); }
    // The list's caption and the report's heading as the screen shows
    // them, in the user's language; the table, the CSV and its import keep
    // them as above.
    static QString shownCaption(const Field &field);
    static QString shownHeading(const Field &field);

    // Every stored field but the key is the same.
    bool sameFields(const DowsingRecord &other) const;

    // The date as the list and the report show it (RecordDate::listedText()).
    QString listedDateText() const { return Date.listedText(); }

    friend bool operator==(const DowsingRecord &a, const DowsingRecord &b);
    friend bool operator!=(const DowsingRecord &a, const DowsingRecord &b) { return !(a == b); }

    // The context of the captions and headings for their translation.
    Q_DECLARE_TR_FUNCTIONS(Orvane::DowsingRecord)
};

} // namespace Orvane
