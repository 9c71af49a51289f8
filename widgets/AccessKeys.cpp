#include "AccessKeys.h"

#include <QAbstractButton>
#include <QAction>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>

namespace Orvane {

namespace {

QKeySequence keyOf(const QString &caption)
{
    return QKeySequence::mnemonic(caption);
}

bool working(const QAction *action)
{
    return action->isVisible() && action->isEnabled() && !action->isSeparator();
}

} // namespace

AccessKeys::AccessKeys(QMenuBar *bar)
    : QObject(bar)
    , m_bar(bar)
{
    m_bar->installEventFilter(this);
}

void AccessKeys::watchButtons(QWidget *child)
{
    const QList<QAbstractButton *> buttons = child->findChildren<QAbstractButton *>();
    for (QAbstractButton *button : buttons)
        button->installEventFilter(this);
}

void AccessKeys::watchMenu(QMenu *menu)
{
    menu->installEventFilter(this);
    const QList<QAction *> actions = menu->actions();
    for (QAction *action : actions) {
        if (QMenu *submenu = action->menu())
            watchMenu(submenu);
    }
}

QList<QObject *> AccessKeys::takersOf(const QKeySequence &key, QWidget *window,
                                      const QMenuBar *bar)
{
    QList<QObject *> takers;
    if (key.isEmpty() || !window)
        return takers;
    const QList<QAbstractButton *> buttons = window->findChildren<QAbstractButton *>();
    for (QAbstractButton *button : buttons) {
        if (button->window() == window && button->isVisible() && button->isEnabled()
            && keyOf(button->text()) == key)
            takers.append(button);
    }
    const QList<QLabel *> labels = window->findChildren<QLabel *>();
    for (QLabel *label : labels) {
        if (label->buddy() && label->window() == window && label->isVisible()
            && label->isEnabled() && keyOf(label->text()) == key)
            takers.append(label);
    }
    if (bar && bar->window() == window) {
        const QList<QAction *> titles = bar->actions();
        for (QAction *title : titles) {
            if (working(title) && keyOf(title->text()) == key)
                takers.append(title);
        }
    }
    return takers;
}

bool AccessKeys::heldBySwitchedOffTitle(const QKeySequence &key, const QMenuBar *bar)
{
    if (!bar || key.isEmpty())
        return false;
    const QList<QAction *> titles = bar->actions();
    for (QAction *title : titles) {
        if (title->isVisible() && !title->isEnabled() && keyOf(title->text()) == key)
            return true;
    }
    return false;
}

bool AccessKeys::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Shortcut) {
        const auto *shortcut = static_cast<QShortcutEvent *>(event);
        if (watched == m_bar)
            return titleShortcut(shortcut);
        if (auto *button = qobject_cast<QAbstractButton *>(watched))
            return buttonShortcut(button, shortcut);
    } else if (event->type() == QEvent::KeyPress) {
        if (auto *menu = qobject_cast<QMenu *>(watched))
            return menuKey(menu, static_cast<QKeyEvent *>(event));
    }
    return false;
}

// Where a switched-off menu title of the window carries the button's key,
// the key does nothing at all (for an ambiguous key Qt would move the focus
// to the button, a step from pressing it with Enter). Where Qt found the key
// taken twice but the other taker cannot be reached (hidden or off), the
// button is the one that counts.
bool AccessKeys::buttonShortcut(QAbstractButton *button, const QShortcutEvent *event)
{
    if (event->key() != keyOf(button->text()))
        return false;
    if (m_bar->window() == button->window() && heldBySwitchedOffTitle(event->key(), m_bar))
        return true;
    if (!event->isAmbiguous())
        return false;
    if (takersOf(event->key(), button->window(), m_bar) != QList<QObject *>{button})
        return false;
    button->animateClick();
    return true;
}

// A key that belongs to a switched-off menu title does nothing: it neither
// highlights the dead title nor reaches a button that shares it.
bool AccessKeys::titleShortcut(const QShortcutEvent *event)
{
    bool titled = false;
    const QList<QAction *> titles = m_bar->actions();
    for (QAction *title : titles) {
        if (keyOf(title->text()) != event->key())
            continue;
        if (working(title))
            return false;
        titled = true;
    }
    return titled;
}

// A letter shared by menu entries of which just one works chooses that
// entry, as a letter of its own would.
bool AccessKeys::menuKey(QMenu *menu, const QKeyEvent *event)
{
    if (event->modifiers() & ~(Qt::AltModifier | Qt::ShiftModifier))
        return false;
    const QString text = event->text();
    if (text.size() != 1)
        return false;
    const int letter = text.at(0).toUpper().unicode();

    int sharing = 0;
    QList<QAction *> candidates;
    const QList<QAction *> actions = menu->actions();
    for (QAction *action : actions) {
        if (!action->isVisible() || action->isSeparator())
            continue;
        const QKeySequence key = keyOf(action->text());
        if (key.isEmpty() || int(key[0].key()) != letter)
            continue;
        ++sharing;
        if (action->isEnabled())
            candidates.append(action);
    }
    if (sharing < 2 || candidates.size() != 1)
        return false;

    menu->setActiveAction(candidates.first());
    QKeyEvent choose(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QCoreApplication::sendEvent(menu, &choose);
    return true;
}

} // namespace Orvane
