#pragma once

#include <QList>
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
};

} // namespace Orvane
