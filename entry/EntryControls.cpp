#include "EntryControls.h"

#include "EntryStyle.h"

#include "widgets/CaptionLabel.h"
#include "widgets/FramedButton.h"
#include "widgets/NamedList.h"
#include "widgets/PanelGroup.h"

#include <QComboBox>
#include <QHBoxLayout>
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

QComboBox *list(const QString &name, QWidget *parent)
{
    auto *combo = new NamedList(parent);
    combo->setObjectName(name);
    combo->setEditable(false);
    return combo;
}

QGroupBox *page(const QString &caption, const QString &name, QWidget *parent)
{
    auto *page = new PanelGroup(caption, EntryStyle::rimColour(), parent);
    page->setObjectName(name);
    return page;
}

QHBoxLayout *buttonRow(QPushButton *first, QPushButton *second)
{
    auto *row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(first);
    if (second)
        row->addWidget(second);
    return row;
}

} // namespace Orvane::EntryControls
