#include "OtherChooser.h"

#include "EntryControls.h"
#include "EntryStyle.h"

#include "platform/MessageBoxes.h"
#include "platform/Platform.h"
#include "widgets/FieldFilters.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace Orvane {

OtherChooser::OtherChooser(QGroupBox *group, const QStringList &entries, int otherIndex,
                           const Names &names, QWidget *owner)
    : QObject(owner)
    , m_owner(owner)
    , m_otherIndex(otherIndex)
    , m_emptyNameMessage(names.emptyNameMessage)
{
    auto *grid = new QGridLayout(group);
    grid->setContentsMargins(10, 12, 10, 8);
    QLabel *hint = EntryControls::label(names.hintText, names.hint, group);

    m_list = EntryControls::editableList(names.list, entries, group);
    m_list->setMinimumWidth(230);
    m_list->lineEdit()->setAccessibleName(names.listSpoken);
    hint->setBuddy(m_list);

    m_popup = new QFrame(group);
    m_popup->setObjectName(names.popup);
    EntryStyle::apply(m_popup);
    auto *popupRow = new QHBoxLayout(m_popup);
    popupRow->setContentsMargins(3, 3, 3, 3);
    m_nameBox = new QLineEdit(m_popup);
    m_nameBox->setObjectName(names.nameBox);
    m_nameBox->setAccessibleName(names.nameBoxSpoken);
    m_ok = EntryControls::button(tr("&Ok"), names.ok, m_popup);
    m_cancel = EntryControls::button(tr("&Cancel"), names.cancel, m_popup);
    popupRow->addWidget(m_nameBox, 1);
    popupRow->addWidget(m_ok);
    popupRow->addWidget(m_cancel);

    // The pop-up lies over the list and keeps its place while hidden.
    QSizePolicy keep = m_popup->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    m_popup->setSizePolicy(keep);
    grid->addWidget(hint, 0, 0);
    grid->addWidget(m_list, 1, 0, Qt::AlignLeft | Qt::AlignVCenter);
    grid->addWidget(m_popup, 1, 0);
    m_popup->raise();
    m_popup->hide();

    // A selection runs the handling whether the program or the user made
    // it; choosing the entry that is already selected (from the drop-down
    // or the keyboard) runs it too. A user's change raises both signals:
    // the handling gives the same result when run twice.
    connect(m_list, &QComboBox::currentIndexChanged, this, &OtherChooser::handleSelection);
    connect(m_list, &QComboBox::activated, this, &OtherChooser::handleSelection);
    connect(m_ok, &QPushButton::clicked, this, &OtherChooser::acceptName);
    connect(m_cancel, &QPushButton::clicked, this, &OtherChooser::cancelName);
}

void OtherChooser::select(int index)
{
    const bool same = m_list->currentIndex() == index;
    m_list->setCurrentIndex(index);
    // The list's text may have been typed over while the entry stayed
    // selected: selecting shows the entry again.
    m_list->setEditText(m_list->itemText(index));
    if (same)
        handleSelection();
}

void OtherChooser::hidePopup()
{
    m_popup->hide();
}

void OtherChooser::handleSelection()
{
    emit selectionMade();
    if (m_list->currentIndex() == m_otherIndex) {
        m_popup->show();
        m_popup->raise();
        m_nameBox->setFocus();
    }
}

void OtherChooser::acceptName()
{
    if (FieldFilters::nameIsEmpty(m_nameBox->text())) {
        platform().messages->show(m_owner, m_emptyNameMessage, MessageBoxes::Icon::Information);
        m_nameBox->setFocus();
        return;
    }
    // Shown, not added to the list's entries.
    m_list->setEditText(m_nameBox->text());
    m_popup->hide();
    m_list->setFocus();
}

void OtherChooser::cancelName()
{
    m_popup->hide();
    select(0);
    m_list->setFocus();
}

} // namespace Orvane
