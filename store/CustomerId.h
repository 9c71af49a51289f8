#pragma once

#include "DowsingRecord.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace Orvane {

// Who a customer is. A customer is the records that share a name and a
// phone number, each compared as stored but for case (folded as the find
// index folds it, so "John Smith" and "JOHN SMITH" are one customer, "JOHN
// SMITH" and "JOHN  SMITH" two); a record with neither a name nor a phone
// number is a customer of its own. Every count of customers and every
// customer's list of records asks this class, so the rule is written once.
struct CustomerId
{
    // As the customer's latest record stores them, for showing.
    QString name;
    QString phone;
    // The latest record's key: it alone tells apart a customer of one
    // record without a name or a phone number.
    qint64 key = -1;

    // Where the name and the phone number stand among a record's fields in
    // the find index's blocks.
    static constexpr int kNameField = int(DowsingRecord::FieldId::Name);
    static constexpr int kPhoneField = int(DowsingRecord::FieldId::Phone_No);

    // Over the find index's folded texts: a record that is a customer of
    // its own.
    static bool standsAlone(QByteArrayView foldedName, QByteArrayView foldedPhone)
    {
        return foldedName.isEmpty() && foldedPhone.isEmpty();
    }

    // Tells a record of this customer by its folded name and phone number
    // and its key; made once a search, off the window's thread.
    class Match
    {
    public:
        explicit Match(const CustomerId &id);
        bool operator()(QByteArrayView foldedName, QByteArrayView foldedPhone, qint64 key) const
        {
            if (m_alone)
                return key == m_key;
            return foldedName == QByteArrayView(m_name) && foldedPhone == QByteArrayView(m_phone);
        }

    private:
        QByteArray m_name;
        QByteArray m_phone;
        qint64 m_key = -1;
        bool m_alone = false;
    };

    friend bool operator==(const CustomerId &a, const CustomerId &b)
    {
        return a.name == b.name && a.phone == b.phone && a.key == b.key;
    }
    friend bool operator!=(const CustomerId &a, const CustomerId &b) { return !(a == b); }
};

} // namespace Orvane
