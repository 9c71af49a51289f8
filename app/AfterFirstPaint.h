#pragma once

#include <functional>

class QObject;
class QWidget;

namespace Orvane {

// Runs task once the window has painted its first frame, queued after that
// paint, so that work which can wait never holds the first frame up. The
// task is dropped with context.
void afterFirstPaint(QWidget *window, QObject *context, std::function<void()> task);

} // namespace Orvane
