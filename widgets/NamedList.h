#pragma once

#include <QComboBox>

namespace Orvane {

// A drop-down list that screen readers call by its name ("Hour") and read
// its entry ("00") as its value.
//
// Qt's own accessible interface for a list, on Linux, gives the shown entry
// as the list's name and drops setAccessibleName(), leaving the label that
// leads to it as the only hint: a screen reader then hears "00", "00", "AM"
// and cannot tell the hour from the minute. This list's interface answers
// with its accessible name (or its buddy label's caption), and offers the
// shown entry as its text and value, as an entry box would.
class NamedList : public QComboBox
{
    Q_OBJECT

public:
    explicit NamedList(QWidget *parent = nullptr);
};

} // namespace Orvane
