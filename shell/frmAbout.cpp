#include "frmAbout.h"

#include "platform/AppInfo.h"

namespace Orvane {

frmAbout::frmAbout(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(AppInfo::caption());
}

} // namespace Orvane
