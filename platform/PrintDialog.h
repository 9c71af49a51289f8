#pragma once

#include <QPrintDialog>

namespace Orvane {

// The printer dialog without a page range: the report is printed whole, or
// its selection when the dialog offers one. Qt's dialog shows its "Pages
// from ... to" and "Pages" choices whenever it can print through CUPS, even
// when the page range option is off; this one takes them away each time it
// is shown.
class PrintDialog final : public QPrintDialog
{
public:
    using QPrintDialog::QPrintDialog;

    void setVisible(bool visible) override;
};

} // namespace Orvane
