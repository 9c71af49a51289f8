#pragma once

#include <QObject>

class QAbstractButton;
class QKeyEvent;
class QKeySequence;
class QMenu;
class QMenuBar;
class QShortcutEvent;
class QWidget;

namespace Orvane {

// Access keys (Alt and the underlined letter) of the frame window.
//
// Qt treats a key that two controls share as ambiguous: pressing it only
// moves focus between them, or highlights a menu entry without choosing it.
//
// A switched-off menu title keeps its key, and the key does nothing: with
// the entry window on show, Alt+E is the "&Edit" title's, and the user who
// reaches for the Edit menu must never press "&Exit", which shares the
// letter, and end the session. Inside a menu, a switched-off entry gives its
// letter up to the one working entry that shares it: O in the Help menu
// chooses "&Online Help" although the switched-off "Make Money &Online"
// carries O too. Keys shared by working controls keep Qt's behaviour.
class AccessKeys : public QObject
{
public:
    explicit AccessKeys(QMenuBar *bar);

    // The buttons of a child window and the entries of a menu shown in the
    // bar (submenus included). Watching a control again changes nothing.
    void watchButtons(QWidget *child);
    void watchMenu(QMenu *menu);

    // The controls that take this access key in the window: its visible,
    // enabled buttons and labels with a buddy, and the working titles of
    // the menu bar when the bar is in that window.
    static QList<QObject *> takersOf(const QKeySequence &key, QWidget *window,
                                     const QMenuBar *bar);
    // A switched-off title of the bar carries the key: it goes nowhere.
    static bool heldBySwitchedOffTitle(const QKeySequence &key, const QMenuBar *bar);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool buttonShortcut(QAbstractButton *button, const QShortcutEvent *event);
    bool titleShortcut(const QShortcutEvent *event);
    bool menuKey(QMenu *menu, const QKeyEvent *event);

    QMenuBar *m_bar;
};

} // namespace Orvane
