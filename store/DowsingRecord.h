#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

namespace Orvane {

// One row of the table Details. Field names follow the table's columns.
struct DowsingRecord
{
    QDate Date;
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

    // The fourteen column names in the order the list shows them.
    static const QStringList &fieldNames();

    // The twelve text fields, Name to Notes, in the table's order, each with
    // the caption the list heads it with and the name the report and an
    // export's header give it.
    struct TextField
    {
        QString DowsingRecord::*member;
        const char *caption;
        const char *heading;
    };
    static const std::array<TextField, 12> &textFields();
    // The date's caption.
    static QString dateCaption() { return QStringLiteral("Date"); }

    // Every stored field but the key is the same.
    bool sameFields(const DowsingRecord &other) const;

    // The date as the list and the report show it: month/day/year without
    // leading zeros ("3/7/2009"); empty for a null date.
    QString listedDateText() const;

    friend bool operator==(const DowsingRecord &a, const DowsingRecord &b);
    friend bool operator!=(const DowsingRecord &a, const DowsingRecord &b) { return !(a == b); }
};

} // namespace Orvane
