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
    QMenu *fileMenu = nullptr;
    QAction *addNewRecord = nullptr;
    QAction *viewAllRecords = nullptr;
    QAction *findRecords = nullptr;
    QAction *customers = nullptr;
    QAction *statistics = nullptr;
    QAction *fileSeparator1 = nullptr;
    QAction *exportRecords = nullptr;
    QAction *importRecords = nullptr;
    QAction *backUpDatabase = nullptr;
    QAction *fileSeparator2 = nullptr;
    QAction *exit = nullptr;

    QMenu *editMenu = nullptr;
    QMenu *goToMenu = nullptr;
    QAction *goToFirst = nullptr;
    QAction *goToNext = nullptr;
    QAction *goToPrevious = nullptr;
    QAction *goToLast = nullptr;
    QMenu *findMenu = nullptr;
    QAction *findByName = nullptr;
    QAction *findByTool = nullptr;
    QAction *findByItem = nullptr;
    QAction *countRecords = nullptr;

    QMenu *helpMenu = nullptr;
    QAction *onlineHelp = nullptr;
    QAction *visitUsOnline = nullptr;
    QAction *separator1 = nullptr;
    QAction *checkForUpdate = nullptr;
    QAction *separator2 = nullptr;
    QAction *about = nullptr;
    QAction *donate = nullptr;
    QAction *makeMoneyOnline = nullptr;

    // Builds the menus with their captions, names and switched-off entries.
    static EntryMenus build(QWidget *owner);
    // The menu titles in menu-bar order.
    QList<QMenu *> titles() const { return {fileMenu, editMenu, helpMenu}; }
};

} // namespace Orvane
