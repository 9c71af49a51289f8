#include "EntryControls.h"

#include "EntryStyle.h"

#include "widgets/CaptionLabel.h"
#include "widgets/FramedButton.h"

#include <QComboBox>
#include <QPushButton>

namespace Orvane::EntryControls {

QLabel *label(const QString &text, const QString &name, QWidget *parent)
{
    auto *label = new CaptionLabel(text, parent);
    label->setObjectName(name);
    EntryStyle::apply(label);
    return label;
}

QPushButton *button(const QString &caption, const QString &name, QWidget *parent)
{
    // Its focus shows on the grey panel, also before any key was pressed.
    auto *button = new FramedButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

QComboBox *editableList(const QString &name, const QStringList &entries, QWidget *parent)
{
    auto *combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setCompleter(nullptr);
    combo->addItems(entries);
    combo->setCurrentIndex(-1);
    return combo;
}

} // namespace Orvane::EntryControls
