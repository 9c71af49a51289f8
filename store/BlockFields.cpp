#include "BlockFields.h"

namespace Orvane::BlockFields {

int dateNumberOf(QByteArrayView listed)
{
    // Month, day and year, as DowsingRecord::listedDateText() writes them.
    int parts[3] = {0, 0, 0};
    int part = 0;
    for (char c : listed) {
        if (c == '/' && part < 2)
            ++part;
        else if (c >= '0' && c <= '9' && parts[part] < 100000)
            parts[part] = parts[part] * 10 + (c - '0');
        else // no date the list shows: a block another program wrote
            return 0;
    }
    if (parts[2] > 9999 || !QDate::isValid(parts[2], parts[0], parts[1]))
        return 0;
    return parts[2] * 10000 + parts[0] * 100 + parts[1];
}

} // namespace Orvane::BlockFields
