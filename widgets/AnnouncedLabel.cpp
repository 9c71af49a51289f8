#include "AnnouncedLabel.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace Orvane {

namespace {

class AnnouncedLabelAccessible : public QAccessibleWidget
{
public:
    explicit AnnouncedLabelAccessible(AnnouncedLabel *label)
        : QAccessibleWidget(label, QAccessible::Notification)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return static_cast<QLabel *>(widget())->text();
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface *announcedLabelFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String(AnnouncedLabel::staticMetaObject.className()))
        if (auto *label = qobject_cast<AnnouncedLabel *>(object))
            return new AnnouncedLabelAccessible(label);
    return nullptr;
}

} // namespace

AnnouncedLabel::AnnouncedLabel(QWidget *parent)
    : QLabel(parent)
{
    // Qt keeps one copy of a factory however often it is installed.
    QAccessible::installFactory(announcedLabelFactory);
}

void AnnouncedLabel::announce(const QString &text)
{
    setText(text);
    if (!isVisible() || text == m_spoken)
        return;
    m_spoken = text;
    QAccessibleEvent shown(this, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
    emit announced(text);
}

} // namespace Orvane
