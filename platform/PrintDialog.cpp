#include "PrintDialog.h"

#include <QGroupBox>

namespace Orvane {

void PrintDialog::setVisible(bool visible)
{
    // Qt decides what its range group shows while it is being shown.
    QPrintDialog::setVisible(visible);
    if (!visible)
        return;
    auto *range = findChild<QGroupBox *>(QStringLiteral("gbPrintRange"));
    if (!range)
        return;
    for (const char *name : {"printRange", "from", "label_3", "to", "pagesRadioButton",
                             "pagesLineEdit"}) {
        if (auto *choice = range->findChild<QWidget *>(QString::fromLatin1(name)))
            choice->hide();
    }
}

} // namespace Orvane
