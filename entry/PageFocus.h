#pragma once

#include <QHash>
#include <QPointer>
#include <QStackedWidget>

class QWidget;

namespace Orvane {

// The entry window's stacked pages and the field that leads each.
//
// A page change hides the control that had the keyboard when it sat on the
// page going away (the "Next >>" just pressed), and Qt then hands the focus
// to what the page coming in had last ("<< Back", an hour list) or on along
// its chain: the Enter or arrow key that follows acts on a control the user
// did not choose. Here the keyboard goes to the first field of the page in
// front instead, the same whichever road changed the page (an access key,
// Enter or Space on the button, a click).
class PageFocus
{
public:
    void setPages(QStackedWidget *pages) { m_pages = pages; }
    void setFirstField(QWidget *page, QWidget *field) { m_firstFields.insert(page, field); }

    // Brings the page to the front; the keyboard, if it was on the page
    // that goes, goes to the first field of the page in front.
    void bringToFront(QWidget *page);
    // Gives the keyboard to the first field of the page in front.
    void focusFirstField();
    // Whether the keyboard is on one of the pages.
    bool holdsFocus() const;

private:
    QPointer<QStackedWidget> m_pages;
    QHash<QWidget *, QWidget *> m_firstFields;
};

} // namespace Orvane
