#pragma once

#include "support/FakePlatform.h"

#include "entry/EntryWindow.h"
#include "app/FrameWindow.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QList>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStringList>

#include <functional>
#include <memory>

class QTableView;

namespace Orvane::Testing {

// The child of parent with this object name; fatal when there is none.
template<class T = QWidget>
T *control(const QObject *parent, const QString &name)
{
    T *found = parent->findChild<T *>(name);
    if (!found)
        qFatal("no control %s", qPrintable(name));
    return found;
}
template<class T = QWidget>
T *control(const QObject *parent, const char *name)
{
    return control<T>(parent, QString::fromLatin1(name));
}

// Presses the window's button as a click does.
void press(QWidget *window, const char *button);
// Deletes every exit screen still loaded.
void closeExitScreens();
// The top-level windows on show.
QList<QWidget *> visibleWindows();
// The loaded frame window, or null.
FrameWindow *frameWindow();
// The list window's grid.
QTableView *gridOf(QWidget *list);

// A frame with its entry window loaded over a program folder of its own,
// and the entry window's controls by their names.
class EntryDriver
{
public:
    // withDatabase false: the folder holds no database. show: the frame is
    // shown, and active, before the load. prepareDatabase gets the
    // database's path before the load.
    explicit EntryDriver(bool withDatabase = true, bool show = false,
                         const std::function<void(const QString &)> &prepareDatabase = {});
    ~EntryDriver();
    EntryDriver(const EntryDriver &) = delete;
    EntryDriver &operator=(const EntryDriver &) = delete;

    template<class T>
    T *get(const char *name) const { return control<T>(form, name); }
    QLineEdit *line(const char *name) const { return get<QLineEdit>(name); }
    QPlainTextEdit *box(const char *name) const { return get<QPlainTextEdit>(name); }
    QComboBox *list(const char *name) const { return get<QComboBox>(name); }
    QPushButton *button(const char *name) const { return get<QPushButton>(name); }
    QGroupBox *page(const char *name) const { return get<QGroupBox>(name); }
    QAction *action(const char *name) const { return get<QAction>(name); }
    // Clicks the button with the mouse.
    void click(const char *name) const;

    // On show in the frame (the frame itself may be hidden in a test).
    bool shown(QWidget *child) const;
    QWidget *frontPage() const;
    // The lock state the three pages share (fatal when they disagree).
    bool pagesEnabled() const;
    // Texts of the boxes with only an OK button (the reminder asks Yes/No).
    QStringList notices() const;
    // Unlocks and walks to the notes page.
    void toNotesPage() const;
    // The record view's edit command: fills the form and switches to update
    // mode.
    void editRecord(const DowsingRecord &record, const QString &dateText,
                    const QString &timeText) const;
    // Types a record from "Add New Record" to the notes page.
    void typeRecord(const QString &name, const QString &city, const QString &notes) const;

    TestEnvironment env;
    std::unique_ptr<FrameWindow> frame;
    EntryWindow *form = nullptr;
    bool loaded = false;
};

} // namespace Orvane::Testing
