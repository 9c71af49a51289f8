#include "EnterPressesButtons.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>

namespace Orvane {

void EnterPressesButtons::install()
{
    static EnterPressesButtons *installed = nullptr;
    if (installed)
        return;
    installed = new EnterPressesButtons(qApp);
    qApp->installEventFilter(installed);
}

bool EnterPressesButtons::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    auto *button = qobject_cast<QPushButton *>(watched);
    if (!button || !button->hasFocus() || button->autoDefault() || button->isDefault())
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    if ((key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
        || (key->modifiers() & ~Qt::KeypadModifier))
        return false;
    // A held key presses once: one Enter never saves or deletes twice.
    if (!key->isAutoRepeat())
        button->click();
    return true;
}

} // namespace Orvane
