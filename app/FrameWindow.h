#pragma once

#include "WindowCoordinator.h"

#include <QList>
#include <QMainWindow>

class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QKeySequence;
class QMenu;

namespace Orvane {

class AccessKeys;
class ChildSubWindow;

// The frame window. It holds the banner strips and the MDI area in which the
// entry, list and record view windows live, exactly one of them visible at a
// time. Its menu bar shows the menus of the child that is shown.
//
// Its window coordinator loads the children, hands over between them and
// unloads them (closes and deletes them).
class FrameWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit FrameWindow(QWidget *parent = nullptr);
    ~FrameWindow() override;

    // The frame's size on a screen with this much room: 1024 x 768, or
    // less where the screen has less.
    static QSize sizeOn(const QSize &available);

    // Loads the entry window and runs its load sequence. False when the entry
    // window gave up and was unloaded (the database file is unusable).
    bool loadEntryWindow();

    WindowCoordinator &windows() const { return *m_windows; }

    // Takes a child into the client area, hidden; unloads one (its own
    // unload handler runs in its close event).
    void addChild(QWidget *child);
    void unloadChild(QWidget *child);
    // Shows a loaded child at the top-left corner of the client area, at its
    // preferred size or, where the area is smaller, the area's (never below
    // what its controls need), and puts its menus into the menu bar. Hides a child without unloading it.
    void showChild(QWidget *child);
    void hideChild(QWidget *child);
    bool isChildVisible(QWidget *child) const;

    QMdiArea *mdiArea() const { return m_area; }

    // A line at the foot of the frame that stays until the program ends (or
    // the next notice), read by screen readers too: for news that must not
    // stop the user with a box.
    void showNotice(const QString &text);
    // The notice's label, once a notice was shown.
    QLabel *notice() const { return m_notice; }

    void openHomePage();
    void openFullyBrandedPage();

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    // Tab goes round the top banner's link, the child on show and the bottom
    // banner's link.
    bool focusNextPrevChild(bool next) override;
    // Access keys typed while a banner link has the focus.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Presses the control of the child on show that takes this access key;
    // false when none or several do. True, pressing nothing, for the key of
    // a switched-off menu title.
    bool pressInShownChild(const QKeySequence &key);
    // Unload handler: unloads the entry and the list window.
    void unloadChildren();
    QMdiSubWindow *subWindowOf(QWidget *child) const;
    void setMenusOf(QWidget *child);
    QWidget *makeTopBanner();
    QWidget *makeBottomBanner();

    // The child window on show, if any.
    ChildSubWindow *shownSubWindow() const;

    QMdiArea *m_area = nullptr;
    QWidget *m_topLink = nullptr;
    QWidget *m_bottomLink = nullptr;
    AccessKeys *m_accessKeys = nullptr;
    QLabel *m_notice = nullptr;
    WindowCoordinator *m_windows = nullptr;
    bool m_unloading = false;
};

} // namespace Orvane
