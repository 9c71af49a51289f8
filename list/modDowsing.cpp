#include "modDowsing.h"

namespace Orvane::modDowsing {

int selectedRowPosition = 0;
qint64 selectedIdNumber = 0;
QString selectedDateText;
QString selectedTimeText;

void selectRecord(int rowPosition, const QString &dateText, const QString &timeText,
                  qint64 idNumber)
{
    selectedRowPosition = rowPosition;
    if (!dateText.isEmpty())
        selectedDateText = dateText;
    if (!timeText.isEmpty())
        selectedTimeText = timeText;
    selectedIdNumber = idNumber;
}

} // namespace Orvane::modDowsing
