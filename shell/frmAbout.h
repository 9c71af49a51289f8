#pragma once

#include <QDialog>

namespace Orvane {

// The About box: the program's name, version and description, and two links
// to the maker's web pages. Shown modally; a fresh box each time.
class frmAbout : public QDialog
{
    Q_OBJECT

public:
    explicit frmAbout(QWidget *parent = nullptr);
};

} // namespace Orvane
