#include "NamedList.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>

namespace Orvane {

namespace {

class NamedListAccessible : public QAccessibleWidget, public QAccessibleTextInterface
{
public:
    explicit NamedListAccessible(NamedList *list)
        : QAccessibleWidget(list, QAccessible::ComboBox)
    {
    }

    NamedList *list() const { return static_cast<NamedList *>(widget()); }

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return list()->currentText();
        // The accessible name, else the caption of the label that leads
        // here; never the entry.
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.expandable = true;
        s.expanded = list()->view()->isVisible();
        s.collapsed = !s.expanded;
        return s;
    }

    // The entries, as Qt's own list offers them: its drop-down view.
    int childCount() const override { return 1; }
    QAccessibleInterface *child(int index) const override
    {
        return index == 0 ? QAccessible::queryAccessibleInterface(list()->view()) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        return child && child->object() == list()->view() ? 0 : -1;
    }

    QStringList actionNames() const override
    {
        return {showMenuAction(), pressAction()};
    }
    void doAction(const QString &action) override
    {
        if (action == showMenuAction() || action == pressAction())
            list()->showPopup();
        else
            QAccessibleWidget::doAction(action);
    }
    QStringList keyBindingsForAction(const QString &) const override { return {}; }

    // The shown entry, read-only.
    void selection(int, int *start, int *end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QString text(int start, int end) const override
    {
        return list()->currentText().mid(start, end - start);
    }
    int characterCount() const override { return int(list()->currentText().size()); }
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint &) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int *start, int *end) const override
    {
        *start = 0;
        *end = characterCount();
        return {};
    }
};

QAccessibleInterface *namedListFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String(NamedList::staticMetaObject.className()))
        if (auto *list = qobject_cast<NamedList *>(object))
            return new NamedListAccessible(list);
    return nullptr;
}

} // namespace

NamedList::NamedList(QWidget *parent)
    : QComboBox(parent)
{
    // Qt keeps one copy of a factory however often it is installed.
    QAccessible::installFactory(namedListFactory);
}

} // namespace Orvane
