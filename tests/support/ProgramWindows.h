#pragma once

#include "support/FakePlatform.h"

#include <QPointer>
#include <QStringList>

#include <memory>

class QWidget;

namespace Orvane {
class FrameWindow;
class EntryWindow;
}

namespace Orvane::Testing {

// The program's windows over a test folder with a few stored records, put
// into one of the states in which the user meets them, so that a test can
// look at every window and page the same way. The frame is shown and
// active; message boxes go to the fakes of env.
class ProgramWindows
{
public:
    explicit ProgramWindows(int records = 3);
    ~ProgramWindows();
    ProgramWindows(const ProgramWindows &) = delete;
    ProgramWindows &operator=(const ProgramWindows &) = delete;

    // "entry locked", "customer page", "tools page", "tool pop-up",
    // "item pop-up", "notes page", "update mode", "list", "find bar" (the list
    // opened with File > Find Records), "empty list",
    // "record view", "deleted records" (the list's File > Deleted Records
    // after a delete), "customers", "statistics" (the entry window's File >
    // Customers or Statistics, counted), "about box", "exit screen".
    static QStringList states();
    // A QString column "state" with a row for each state.
    static void addStateRows();

    // Puts the program into the state and returns the top-level window
    // that shows it (the frame, the About box or the exit screen). Null,
    // with a warning, when the state could not be reached.
    QWidget *enter(const QString &state);

    FrameWindow &frame() { return *m_frame; }
    EntryWindow *entry() const;
    // The child window on show in the frame, or the About box or exit
    // screen, after enter().
    QWidget *shownWindow() const { return m_shown; }

    TestEnvironment env;

private:
    void toList();
    void toRecordView(int row);

    std::unique_ptr<FrameWindow> m_frame;
    std::unique_ptr<QWidget> m_about;
    QPointer<QWidget> m_shown;
};

// The widget's object name, or its class name when it has none.
QString nameOf(const QObject *object);

} // namespace Orvane::Testing
