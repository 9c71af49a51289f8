#pragma once

#include <QList>
#include <QMdiSubWindow>
#include <QWidget>

class QMenu;

namespace Orvane {

// A window that lives inside the frame window. Its menus appear in the
// frame's menu bar while it is the child on show.
class MdiChild : public QWidget
{
    Q_OBJECT

public:
    using QWidget::QWidget;
    virtual QList<QMenu *> menus() const { return {}; }

protected:
    // After a part of the window shows or hides (a find bar): the frame
    // sizes the child's sub-window to the child while it is on show.
    void fitSubWindow()
    {
        if (auto *sub = qobject_cast<QMdiSubWindow *>(parentWidget()); sub && sub->isVisible())
            sub->adjustSize();
    }
};

} // namespace Orvane
