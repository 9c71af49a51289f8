#pragma once

#include <QList>
#include <QMainWindow>
#include <QPointer>

class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;

namespace Orvane {

class AccessKeys;
class ChildSubWindow;
class frmAllRecord;
class frmMain;
class frmSave;

// The frame window. It holds the banner strips and the MDI area in which the
// entry, list and record view windows live, exactly one of them visible at a
// time. Its menu bar shows the menus of the child that is shown.
//
// The children are loaded on first use, as the windows ask for each other,
// and unloaded (closed and deleted) when the program asks for it.
class MDIForm1 : public QMainWindow
{
    Q_OBJECT

public:
    explicit MDIForm1(QWidget *parent = nullptr);
    ~MDIForm1() override;

    // Loads the entry window and runs its load sequence. False when the entry
    // window gave up and unloaded itself (the database file is unusable).
    bool MDIForm_Load();

    // The entry window while it is loaded, else null.
    frmMain *entryForm() const;
    // The list window, loaded (and its load sequence run) on first use.
    frmAllRecord *allRecordForm();
    bool isAllRecordLoaded() const;
    void unloadAllRecordForm();
    // The record view window, loaded on first use.
    frmSave *saveForm();
    bool isSaveLoaded() const;
    void unloadEntryForm();

    // Shows a loaded child at the top-left corner of the client area and puts
    // its menus into the menu bar. Hides a child without unloading it.
    void showChild(QWidget *child);
    void hideChild(QWidget *child);
    bool isChildVisible(QWidget *child) const;

    QMdiArea *mdiArea() const { return m_area; }

    void Label61_Click();
    void Label7_Click();

protected:
    void closeEvent(QCloseEvent *event) override;
    // Tab goes round the top banner's link, the child on show and the bottom
    // banner's link.
    bool focusNextPrevChild(bool next) override;

private:
    // Unload handler: unloads the entry and the list window.
    void MDIForm_Unload();
    QMdiSubWindow *addChild(QWidget *child);
    QMdiSubWindow *subWindowOf(QWidget *child) const;
    void unloadChild(QWidget *child);
    void setMenusOf(QWidget *child);
    QWidget *makeTopBanner();
    QWidget *makeBottomBanner();

    // The child window on show, if any.
    ChildSubWindow *shownSubWindow() const;

    QMdiArea *m_area = nullptr;
    QWidget *m_topLink = nullptr;
    QWidget *m_bottomLink = nullptr;
    AccessKeys *m_accessKeys = nullptr;
    QPointer<frmMain> m_main;
    QPointer<frmAllRecord> m_list;
    QPointer<frmSave> m_save;
    bool m_unloading = false;
};

} // namespace Orvane
