#pragma once

#include <QDialog>

class QPushButton;

namespace Orvane {

// The About box: the program's name, version and description, and two links
// to the maker's web pages. Shown modally; a fresh box each time, with every
// text fixed.
class AboutBox : public QDialog
{
    Q_OBJECT

public:
    explicit AboutBox(QWidget *parent = nullptr);

private:
    QPushButton *m_cmdOk = nullptr;
};

} // namespace Orvane
