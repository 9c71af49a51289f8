#pragma once

#include <QList>

class QAction;
class QMenu;
class QWidget;

namespace Orvane {

// The menu bar of the entry window: File, the switched-off Edit menu and
// Help. The menus belong to the owner widget; the frame shows them while the
// entry window is the child on show. Every object carries its menu name.
struct EntryMenus
{
    QMenu *nuFile = nullptr;
    QAction *mnuAddNewRecor = nullptr;
    QAction *mnuViewAll = nullptr;
    QAction *mnuExit = nullptr;

    QMenu *mnuEdit = nullptr;
    QMenu *MnuGoTo = nullptr;
    QAction *mnuFirst = nullptr;
    QAction *mnuGoNext = nullptr;
    QAction *mnuPrevious = nullptr;
    QAction *mnuLast = nullptr;
    QMenu *mnuFind = nullptr;
    QAction *MnuName = nullptr;
    QAction *mnuTool = nullptr;
    QAction *mnuItem = nullptr;
    QAction *mnuCount = nullptr;

    QMenu *mnuHelp = nullptr;
    QAction *mnuOnline = nullptr;
    QAction *mnuVisit = nullptr;
    QAction *mnuFileSep1 = nullptr;
    QAction *mnuUpdate = nullptr;
    QAction *mnuFileSep2 = nullptr;
    QAction *mnuAbout = nullptr;
    QAction *mnuDonate = nullptr;
    QAction *mnumakemoney = nullptr;

    // Builds the menus with their captions, names and switched-off entries.
    static EntryMenus build(QWidget *owner);
    // The menu titles in menu-bar order.
    QList<QMenu *> titles() const { return {nuFile, mnuEdit, mnuHelp}; }
};

} // namespace Orvane
