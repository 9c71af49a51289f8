// The list window's File menu: finding, customers and statistics,
// exporting, undoing a delete and the kept deleted records. The window
// itself is in RecordListWindow.cpp.

#include "RecordListWindow.h"

#include "widgets/SharedTexts.h"

#include <QAction>
#include <QMenu>

namespace Orvane {

void RecordListWindow::buildMenus()
{
    m_mnuFile = new QMenu(SharedTexts::fileMenu(), this);
    m_mnuFile->setObjectName(QStringLiteral("mnuFile"));
    m_mnuPrint = m_mnuFile->addAction(tr("&Print"));
    m_mnuPrint->setObjectName(QStringLiteral("mnuPrint"));
    // Listed but never available.
    m_mnuPrint->setEnabled(false);
    m_mnuFindRecords = m_mnuFile->addAction(SharedTexts::findRecords());
    m_mnuFindRecords->setObjectName(QStringLiteral("mnuFindRecords"));
    m_mnuFindRecords->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    connect(m_mnuFindRecords, &QAction::triggered, this, &RecordListWindow::showFindBar);
    // The customers, and the statistics of the records shown; C and T in
    // the entry window's File menu too.
    m_mnuCustomers = m_mnuFile->addAction(SharedTexts::customers());
    m_mnuCustomers->setObjectName(QStringLiteral("mnuCustomers"));
    connect(m_mnuCustomers, &QAction::triggered, this, &RecordListWindow::customersRequested);
    m_mnuStatistics = m_mnuFile->addAction(SharedTexts::statistics());
    m_mnuStatistics->setObjectName(QStringLiteral("mnuStatistics"));
    connect(m_mnuStatistics, &QAction::triggered, this, &RecordListWindow::statisticsRequested);
    // E, as in the entry window's File menu: Alt+F, E exports in both.
    m_mnuExportShown = m_mnuFile->addAction(SharedTexts::exportRecords());
    m_mnuExportShown->setObjectName(QStringLiteral("mnuExportShown"));
    connect(m_mnuExportShown, &QAction::triggered, this, &RecordListWindow::exportRequested);
    // A delete keeps a copy in the file: Ctrl+Z puts the last one back, the
    // window shows every kept record.
    m_mnuUndoDelete = m_mnuFile->addAction(tr("&Undo Delete"));
    m_mnuUndoDelete->setObjectName(QStringLiteral("mnuUndoDelete"));
    m_mnuUndoDelete->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    connect(m_mnuUndoDelete, &QAction::triggered, this, &RecordListWindow::undoDeleteRequested);
    m_mnuDeletedRecords = m_mnuFile->addAction(tr("&Deleted Records..."));
    m_mnuDeletedRecords->setObjectName(QStringLiteral("mnuDeletedRecords"));
    connect(m_mnuDeletedRecords, &QAction::triggered, this,
            &RecordListWindow::deletedRecordsRequested);
    m_mnuBack = m_mnuFile->addAction(SharedTexts::back());
    m_mnuBack->setObjectName(QStringLiteral("mnuBack"));
    connect(m_mnuBack, &QAction::triggered, this, &RecordListWindow::goBack);
}

} // namespace Orvane
