#include "DeletedRecordsWindow.h"

#include "RecordRestorer.h"
#include "platform/MessageBoxes.h"
#include "platform/Platform.h"
#include "store/RecordStore.h"
#include "widgets/Refusals.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace Orvane {

DeletedRecordsWindow::DeletedRecordsWindow(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmDeletedRecords"));
    setWindowTitle(tr("Deleted Records"));

    m_lblDeletedRecords = new QLabel(tr("Deleted Records, The One Deleted Last &First:"), this);
    m_lblDeletedRecords->setObjectName(QStringLiteral("lblDeletedRecords"));

    m_lstDeletedRecords = new QTreeWidget(this);
    m_lstDeletedRecords->setObjectName(QStringLiteral("lstDeletedRecords"));
    m_lstDeletedRecords->setAccessibleName(windowTitle());
    m_lblDeletedRecords->setBuddy(m_lstDeletedRecords);
    m_lstDeletedRecords->setRootIsDecorated(false);
    m_lstDeletedRecords->setUniformRowHeights(true);
    m_lstDeletedRecords->setAllColumnsShowFocus(true);
    m_lstDeletedRecords->setSelectionMode(QAbstractItemView::SingleSelection);
    // The list's captions of the fields.
    using F = DowsingRecord::FieldId;
    m_lstDeletedRecords->setHeaderLabels(
            {tr("Date Deleted"), DowsingRecord::shownCaption(DowsingRecord::field(F::Date)),
             DowsingRecord::shownCaption(DowsingRecord::field(F::Name)),
             DowsingRecord::shownCaption(DowsingRecord::field(F::Dowsing_Tool))});
    m_lstDeletedRecords->header()->setStretchLastSection(true);
    m_lstDeletedRecords->setMinimumSize(560, 260);
    connect(m_lstDeletedRecords, &QTreeWidget::currentItemChanged, this,
            [this] { updateButtons(); });

    m_cmdRestore = new QPushButton(tr("&Restore"), this);
    m_cmdRestore->setObjectName(QStringLiteral("cmdRestore"));
    m_cmdRestore->setAccessibleDescription(
            tr("Puts the chosen record back among your records"));
    m_cmdDeleteForGood = new QPushButton(tr("&Delete for Good"), this);
    m_cmdDeleteForGood->setObjectName(QStringLiteral("cmdDeleteForGood"));
    m_cmdDeleteForGood->setAccessibleDescription(
            tr("Removes the chosen record from the file; it cannot be put back"));
    m_cmdClose = new QPushButton(tr("&Close"), this);
    m_cmdClose->setObjectName(QStringLiteral("cmdClose"));
    // Enter in the list presses nothing by chance: each button is pressed
    // only when it has the focus.
    for (QPushButton *button : {m_cmdRestore, m_cmdDeleteForGood, m_cmdClose})
        button->setAutoDefault(false);
    connect(m_cmdRestore, &QPushButton::clicked, this, &DeletedRecordsWindow::restoreChosen);
    connect(m_cmdDeleteForGood, &QPushButton::clicked, this,
            &DeletedRecordsWindow::deleteChosenForGood);
    connect(m_cmdClose, &QPushButton::clicked, this, &QDialog::accept);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_cmdRestore);
    buttons->addWidget(m_cmdDeleteForGood);
    buttons->addStretch(1);
    buttons->addWidget(m_cmdClose);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_lblDeletedRecords);
    layout->addWidget(m_lstDeletedRecords, 1);
    layout->addLayout(buttons);

    setTabOrder(m_lstDeletedRecords, m_cmdRestore);
    setTabOrder(m_cmdRestore, m_cmdDeleteForGood);
    setTabOrder(m_cmdDeleteForGood, m_cmdClose);
    updateButtons();
}

DeletedRecordsWindow::~DeletedRecordsWindow() = default;

bool DeletedRecordsWindow::readRecords()
{
    m_lstDeletedRecords->clear();
    m_keptRecords = std::make_unique<RecordStore>();
    if (m_keptRecords->open(RecordStore::databasePath(platform().dataFolder))
        != RecordStore::OpenResult::Opened) {
        Refusals::show(this, Refusals::recordsNotOpened(m_keptRecords->errorText()));
        m_keptRecords.reset();
        updateButtons();
        return false;
    }
    const QVector<DeletedRecord> kept = m_keptRecords->deletedRecords();
    if (!m_keptRecords->errorText().isEmpty()) {
        Refusals::show(this, Refusals::recordsNotRead(m_keptRecords->errorText()));
        updateButtons();
        return false;
    }
    for (const DeletedRecord &deleted : kept) {
        auto *row = new QTreeWidgetItem(m_lstDeletedRecords);
        DowsingRecord deletedAt;
        deletedAt.Date = deleted.deletedAt.date();
        row->setText(0, deletedAt.listedDateText() + QLatin1Char(' ')
                                + deleted.deletedAt.time().toString(QStringLiteral("HH:mm")));
        row->setText(1, deleted.record.listedDateText());
        row->setText(2, deleted.record.Name);
        row->setText(3, deleted.record.Dowsing_Tool);
        row->setData(0, Qt::UserRole, deleted.keptNumber);
    }
    for (int column = 0; column < 3; ++column)
        m_lstDeletedRecords->resizeColumnToContents(column);
    if (m_lstDeletedRecords->topLevelItemCount() > 0)
        m_lstDeletedRecords->setCurrentItem(m_lstDeletedRecords->topLevelItem(0));
    updateButtons();
    return true;
}

qint64 DeletedRecordsWindow::chosenNumber() const
{
    const QTreeWidgetItem *row = m_lstDeletedRecords->currentItem();
    return row ? row->data(0, Qt::UserRole).toLongLong() : -1;
}

void DeletedRecordsWindow::updateButtons()
{
    const bool chosen = m_keptRecords && chosenNumber() >= 0;
    // Where the focus sat on a button that goes off, it moves to Close,
    // never to nothing.
    const bool focusOnOff = !chosen && (m_cmdRestore->hasFocus() || m_cmdDeleteForGood->hasFocus());
    m_cmdRestore->setEnabled(chosen);
    m_cmdDeleteForGood->setEnabled(chosen);
    m_lstDeletedRecords->setEnabled(m_lstDeletedRecords->topLevelItemCount() > 0);
    if (focusOnOff)
        m_cmdClose->setFocus();
}

void DeletedRecordsWindow::restoreChosen()
{
    const qint64 number = chosenNumber();
    if (!m_keptRecords || number < 0)
        return;
    const qint64 key = RecordRestorer::restore(this, *m_keptRecords, number);
    if (key >= 0)
        m_restoredKey = key;
    readRecords();
}

void DeletedRecordsWindow::deleteChosenForGood()
{
    const qint64 number = chosenNumber();
    if (!m_keptRecords || number < 0)
        return;
    if (platform().messages->show(
                this,
                tr("Do You Really Want To Delete This Record For Good ?\rIt Cannot Be Put Back "
                   "Afterwards. Back-ups Made Before Still Hold It."),
                MessageBoxes::Icon::None, MessageBoxes::Buttons::YesNo, MessageBoxes::Answer::No)
        != MessageBoxes::Answer::Yes)
        return;
    if (m_keptRecords->deleteForGood(number))
        platform().messages->show(
                this, m_keptRecords->withNotice(tr("The Record Is Deleted For Good.")),
                MessageBoxes::Icon::Information);
    else
        Refusals::show(this, Refusals::recordNotDeletedForGood(m_keptRecords->errorText()));
    readRecords();
}

} // namespace Orvane
