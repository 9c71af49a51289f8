#pragma once

#include "shell/ChildForm.h"

#include <memory>

class QAction;
class QGroupBox;
class QLabel;
class QMenu;
class QPushButton;
class QTableView;

namespace Orvane {

class MDIForm1;
class RecordListModel;
class RecordStore;

// The list of every stored record in a grid; a double-click opens the
// record's report in the record view window.
//
// The window reads the table once, when it is loaded, through a connection
// of its own, and never writes. Going back to the entry window unloads it,
// so the next showing reads the table afresh.
class frmAllRecord : public ChildForm
{
    Q_OBJECT

public:
    explicit frmAllRecord(MDIForm1 &frame, QWidget *parent = nullptr);
    ~frmAllRecord() override;

    // Reads the table and fills the grid with the first row current. An
    // empty table is reported and leaves the grid disabled.
    void Form_Load();
    // Shows the entry window, closes the list's connection and unloads this
    // window.
    void cmdBack_Click();
    // Turns the grid's current row into a report in the record view window,
    // remembers the record as the chosen one, and shows that window. Does
    // nothing while the grid is disabled.
    void DataGrid_DblClick();

    QList<QMenu *> menus() const override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void mnuBack_Click();
    void buildLayout();
    void setUpColumns();
    void disableGrid();

    MDIForm1 &m_frame;
    std::unique_ptr<RecordStore> m_listConnection;
    std::unique_ptr<RecordListModel> m_listRecords;

    QGroupBox *m_frmFourItem = nullptr;
    QLabel *m_Label2 = nullptr;
    QLabel *m_gridCaption = nullptr;
    QTableView *m_DataGrid = nullptr;
    QLabel *m_Label1 = nullptr;
    QPushButton *m_cmdBack = nullptr;
    QMenu *m_mnuFile = nullptr;
    QAction *m_mnuPrint = nullptr;
    QAction *m_mnuBack = nullptr;
};

} // namespace Orvane
