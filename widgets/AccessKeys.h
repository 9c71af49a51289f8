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
// A switched-off menu title or menu entry can never be chosen, so here it
// gives its key up to the one working control that shares it: with the
// entry window on show, Alt+E presses "&Exit" although the switched-off
// "&Edit" menu title carries the same key, and O in the Help menu chooses
// "&Online Help" although the switched-off "Make Money &Online" does too.
// Keys shared by working controls keep Qt's behaviour.
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

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool buttonShortcut(QAbstractButton *button, const QShortcutEvent *event);
    bool titleShortcut(const QShortcutEvent *event);
    bool menuKey(QMenu *menu, const QKeyEvent *event);

    QMenuBar *m_bar;
};

} // namespace Orvane
