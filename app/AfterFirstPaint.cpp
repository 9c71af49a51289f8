#include "AfterFirstPaint.h"

#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace Orvane {

namespace {

class PaintWatch : public QObject
{
public:
    PaintWatch(QObject *context, std::function<void()> task)
        : QObject(context)
        , m_task(std::move(task))
    {
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            // Queued: after this paint, once the frame has gone to the screen.
            QTimer::singleShot(0, parent(), std::move(m_task));
            deleteLater();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> m_task;
};

} // namespace

void afterFirstPaint(QWidget *window, QObject *context, std::function<void()> task)
{
    window->installEventFilter(new PaintWatch(context, std::move(task)));
}

} // namespace Orvane
