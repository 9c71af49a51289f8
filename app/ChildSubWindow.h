#pragma once

#include <QMdiSubWindow>

#include <functional>

namespace Orvane {

// The frame around a child window in the MDI area. Qt keeps Tab inside a
// subwindow, going round its controls for ever, so the frame's banner links
// could never be reached from a child: here Tab on the child's last control
// and Shift+Tab on its first leave it through the given callback (true for
// Tab).
class ChildSubWindow final : public QMdiSubWindow
{
public:
    ChildSubWindow(QWidget *child, Qt::WindowFlags flags, std::function<void(bool next)> leave);

    // Gives the focus to the child's first (or last) control Tab reaches;
    // false when it has none.
    bool focusEnd(bool first);

protected:
    bool focusNextPrevChild(bool next) override;

private:
    // The controls Tab reaches, in Tab order, without the parts of composite
    // controls.
    QList<QWidget *> tabStops() const;

    std::function<void(bool)> m_leave;
};

} // namespace Orvane
