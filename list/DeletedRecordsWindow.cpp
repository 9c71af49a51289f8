#include "DeletedRecordsWindow.h"

#include "DeletedRecordsModel.h"
#include "RecordRestorer.h"
#include "platform/Platform.h"
#include "store/RecordStore.h"
#include "widgets/GridView.h"
#include "widgets/Refusals.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace Orvane {

namespace {

// Columns are fitted to the rows on show and a few hundred more, never to
// every row: a file may keep a million.
constexpr int kRowsFittedTo = 256;

} // namespace

DeletedRecordsWindow::DeletedRecordsWindow(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmDeletedRecords"));
    setWindowTitle(tr("Deleted Records"));

    m_listLabel = new QLabel(tr("Deleted Records, The One Deleted Last &First:"), this);
    m_listLabel->setObjectName(QStringLiteral("lblDeletedRecords"));

    // A grid of whole rows of one height, as the list's: it keeps nothing
    // of its own for each of a million rows.
    m_keptList = new GridView(this);
    m_keptList->setObjectName(QStringLiteral("lstDeletedRecords"));
    m_keptList->setAccessibleName(windowTitle());
    m_listLabel->setBuddy(m_keptList);
    m_keptList->setShowGrid(false);
    m_keptList->horizontalHeader()->setResizeContentsPrecision(kRowsFittedTo);
    m_keptList->setMinimumSize(560, 260);

    m_restoreButton = new QPushButton(tr("&Restore"), this);
    m_restoreButton->setObjectName(QStringLiteral("cmdRestore"));
    m_restoreButton->setAccessibleDescription(
            tr("Puts the chosen record back among your records"));
    m_deleteForGoodButton = new QPushButton(tr("&Delete for Good"), this);
    m_deleteForGoodButton->setObjectName(QStringLiteral("cmdDeleteForGood"));
    m_deleteForGoodButton->setAccessibleDescription(
            tr("Removes the chosen record from the file; it cannot be put back"));
    m_closeButton = new QPushButton(tr("&Close"), this);
    m_closeButton->setObjectName(QStringLiteral("cmdClose"));
    // Enter in the list presses nothing by chance: each button is pressed
    // only when it has the focus.
    for (QPushButton *button : {m_restoreButton, m_deleteForGoodButton, m_closeButton})
        button->setAutoDefault(false);
    connect(m_restoreButton, &QPushButton::clicked, this, &DeletedRecordsWindow::restoreChosen);
    connect(m_deleteForGoodButton, &QPushButton::clicked, this,
            &DeletedRecordsWindow::deleteChosenForGood);
    connect(m_closeButton, &QPushButton::clicked, this, &QDialog::accept);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_restoreButton);
    buttons->addWidget(m_deleteForGoodButton);
    buttons->addStretch(1);
    buttons->addWidget(m_closeButton);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_listLabel);
    layout->addWidget(m_keptList, 1);
    layout->addLayout(buttons);

    setTabOrder(m_keptList, m_restoreButton);
    setTabOrder(m_restoreButton, m_deleteForGoodButton);
    setTabOrder(m_deleteForGoodButton, m_closeButton);
    updateButtons();
}

DeletedRecordsWindow::~DeletedRecordsWindow()
{
    // The model reads through the store: it goes first.
    m_keptList->setModel(nullptr);
    delete m_model;
}

bool DeletedRecordsWindow::readRecords()
{
    // A connection made afresh reads the file that stands at the path now,
    // also after a sync client put another copy in its place.
    m_keptList->setModel(nullptr);
    delete m_model;
    m_model = nullptr;
    m_keptRecords = std::make_unique<RecordStore>();
    if (m_keptRecords->open(RecordStore::databasePath(platform().dataFolder))
        != RecordStore::OpenResult::Opened) {
        Refusals::show(this, Refusals::recordsNotOpened(m_keptRecords->errorText()));
        m_keptRecords.reset();
        updateButtons();
        return false;
    }
    m_model = new DeletedRecordsModel(*m_keptRecords, this);
    const bool read = m_model->load();
    m_keptList->setModel(m_model);
    connect(m_keptList->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this] { updateButtons(); });
    if (!read) {
        Refusals::show(this, Refusals::recordsNotRead(m_keptRecords->errorText()));
        updateButtons();
        return false;
    }
    for (int column = 0; column + 1 < DeletedRecordsModel::kColumnCount; ++column)
        m_keptList->resizeColumnToContents(column);
    if (m_model->rowCount() > 0)
        m_keptList->setCurrentIndex(m_model->index(0, 0));
    updateButtons();
    return true;
}

void DeletedRecordsWindow::readAgain()
{
    const int row = chosenRow();
    if (!readRecords() || row < 0 || m_model->rowCount() == 0)
        return;
    m_keptList->setCurrentIndex(m_model->index(qMin(row, m_model->rowCount() - 1), 0));
}

int DeletedRecordsWindow::chosenRow() const
{
    if (!m_model)
        return -1;
    const QModelIndex current = m_keptList->currentIndex();
    return current.isValid() ? current.row() : -1;
}

void DeletedRecordsWindow::updateButtons()
{
    const bool chosen = m_keptRecords && chosenRow() >= 0;
    // Where the focus sat on a button that goes off, it moves to Close,
    // never to nothing.
    const bool focusOnOff =
            !chosen && (m_restoreButton->hasFocus() || m_deleteForGoodButton->hasFocus());
    m_restoreButton->setEnabled(chosen);
    m_deleteForGoodButton->setEnabled(chosen);
    m_keptList->setEnabled(m_model && m_model->rowCount() > 0);
    if (focusOnOff)
        m_closeButton->setFocus();
}

void DeletedRecordsWindow::restoreChosen()
{
    const std::optional<DeletedRecord> chosen = m_model ? m_model->kept(chosenRow()) : std::nullopt;
    if (!chosen) {
        readAgain();
        return;
    }
    qint64 key = -1;
    if (RecordRestorer::restore(this, *m_keptRecords, *chosen, &key)
        == RecordRestorer::Outcome::Done) {
        m_restoredKey = key;
        m_keptNumbersGone.insert(chosen->keptNumber);
    }
    readAgain();
}

void DeletedRecordsWindow::deleteChosenForGood()
{
    const std::optional<DeletedRecord> chosen = m_model ? m_model->kept(chosenRow()) : std::nullopt;
    if (!chosen) {
        readAgain();
        return;
    }
    const RecordRestorer::Outcome outcome =
            RecordRestorer::deleteForGood(this, *m_keptRecords, *chosen);
    if (outcome == RecordRestorer::Outcome::Declined)
        return;
    if (outcome == RecordRestorer::Outcome::Done)
        m_keptNumbersGone.insert(chosen->keptNumber);
    readAgain();
}

} // namespace Orvane
