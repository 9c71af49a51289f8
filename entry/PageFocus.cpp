#include "PageFocus.h"

#include <QStackedWidget>

namespace Orvane {

bool PageFocus::holdsFocus() const
{
    QWidget *focus = m_pages ? m_pages->window()->focusWidget() : nullptr;
    return focus && m_pages->isAncestorOf(focus);
}

void PageFocus::bringToFront(QWidget *page)
{
    if (!m_pages)
        return;
    // Asked of the window, not the application: the window may be inactive
    // (a message box over it) and still keep its focus for later.
    QWidget *focus = m_pages->window()->focusWidget();
    QWidget *leaving = m_pages->currentWidget();
    const bool focusLeaves = focus && leaving && leaving != page && leaving->isAncestorOf(focus);
    m_pages->setCurrentWidget(page);
    if (focusLeaves)
        focusFirstField();
}

void PageFocus::focusFirstField()
{
    if (!m_pages)
        return;
    if (QWidget *field = m_firstFields.value(m_pages->currentWidget()))
        field->setFocus(Qt::OtherFocusReason);
}

} // namespace Orvane
