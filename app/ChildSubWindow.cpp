#include "ChildSubWindow.h"

#include <QApplication>

namespace Orvane {

ChildSubWindow::ChildSubWindow(QWidget *child, Qt::WindowFlags flags,
                               std::function<void(bool)> leave)
    : QMdiSubWindow(nullptr, flags)
    , m_leave(std::move(leave))
{
    // As the subwindows the area makes itself.
    setAttribute(Qt::WA_DeleteOnClose);
    setWidget(child);
}

QList<QWidget *> ChildSubWindow::tabStops() const
{
    QList<QWidget *> stops;
    // The window's focus chain is a ring through every widget of the frame.
    for (QWidget *w = nextInFocusChain(); w && w != this; w = w->nextInFocusChain()) {
        if (!isAncestorOf(w) || !w->isVisibleTo(this) || !w->isEnabled() || w->focusProxy()
            || !(w->focusPolicy() & Qt::TabFocus))
            continue;
        bool part = false;
        for (QWidget *p = w->parentWidget(); p && p != this && !part; p = p->parentWidget())
            part = (p->focusPolicy() & Qt::TabFocus) && !p->focusProxy();
        if (!part)
            stops.append(w);
    }
    return stops;
}

bool ChildSubWindow::focusEnd(bool first)
{
    const QList<QWidget *> stops = tabStops();
    if (stops.isEmpty())
        return false;
    (first ? stops.first() : stops.last())
            ->setFocus(first ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

bool ChildSubWindow::focusNextPrevChild(bool next)
{
    const QList<QWidget *> stops = tabStops();
    QWidget *focus = QApplication::focusWidget();
    if (m_leave && focus && !stops.isEmpty()) {
        QWidget *end = next ? stops.last() : stops.first();
        if (end == focus || end->isAncestorOf(focus)) {
            m_leave(next);
            return true;
        }
    }
    return QMdiSubWindow::focusNextPrevChild(next);
}

} // namespace Orvane
