#pragma once

#include "widgets/MdiChild.h"
#include "store/DowsingRecord.h"

#include <memory>

class QAction;
class QGroupBox;
class QLabel;
class QMenu;
class QPushButton;
class QTableView;

namespace Orvane {

class RecordListModel;
class RecordStore;

// The list of every stored record in a grid; a double-click asks for the
// record's report.
//
// The window reads the table once, when it is loaded, through a connection
// of its own, and never writes. It is unloaded when the user goes back, so
// the next showing reads the table afresh.
class RecordListWindow : public MdiChild
{
    Q_OBJECT

public:
    explicit RecordListWindow(QWidget *parent = nullptr);
    ~RecordListWindow() override;

    // Reads the table and fills the grid with the first row current. An
    // empty table is reported and leaves the grid disabled.
    void readRecords();
    // Asks to go back to the entry window and closes the list's connection.
    void goBack();
    // Reads the grid's current row afresh and hands it on as the chosen
    // record. Does nothing while the grid is disabled.
    void openCurrentRecord();

    QList<QMenu *> menus() const override;

signals:
    // row: the record's position in the list; listedDate: its date as the
    // grid shows it.
    void recordChosen(int row, const Orvane::DowsingRecord &record, const QString &listedDate);
    void backRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void buildLayout();
    void setUpColumns();
    void disableGrid();

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
