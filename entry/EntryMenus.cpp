#include "EntryMenus.h"

#include <QAction>
#include <QCoreApplication>
#include <QKeySequence>
#include <QMenu>

namespace Orvane {

namespace {

QMenu *makeMenu(const QString &caption, const QString &name, QWidget *owner)
{
    auto *menu = new QMenu(caption, owner);
    menu->setObjectName(name);
    menu->menuAction()->setObjectName(name);
    return menu;
}

QMenu *makeSubmenu(QMenu *parent, const QString &caption, const QString &name)
{
    QMenu *menu = makeMenu(caption, name, parent);
    parent->addMenu(menu);
    return menu;
}

QAction *makeEntry(QMenu *menu, const QString &caption, const QString &name)
{
    QAction *action = menu->addAction(caption);
    action->setObjectName(name);
    return action;
}

QAction *makeSeparator(QMenu *menu, const QString &name)
{
    QAction *action = menu->addSeparator();
    action->setObjectName(name);
    return action;
}

// An entry that opens a dialog: the tip says what it does, in the status
// bar and to assistive tools (a menu entry is spoken by its caption).
QAction *makeDialogEntry(QMenu *menu, const QString &caption, const QString &name,
                         const QString &tip)
{
    QAction *action = makeEntry(menu, caption, name);
    action->setStatusTip(tip);
    action->setToolTip(tip);
    action->setWhatsThis(tip);
    return action;
}

// Switched off for good: shown greyed, never chosen.
void switchOff(QMenu *menu)
{
    menu->setEnabled(false);
    menu->menuAction()->setEnabled(false);
}

} // namespace

EntryMenus EntryMenus::build(QWidget *owner)
{
    EntryMenus m;

    m.fileMenu = makeMenu(QStringLiteral("&File"), QStringLiteral("nuFile"), owner);
    m.addNewRecord = makeEntry(m.fileMenu, QStringLiteral("&Add New Record"),
                                 QStringLiteral("mnuAddNewRecor"));
    m.viewAllRecords = makeEntry(m.fileMenu, QStringLiteral("&View All  Records"),
                             QStringLiteral("mnuViewAll"));
    m.findRecords = makeEntry(m.fileMenu, QStringLiteral("&Find Records..."),
                              QStringLiteral("mnuFindRecords"));
    m.findRecords->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    // C and T, as in the list's File menu.
    m.customers = makeDialogEntry(
            m.fileMenu, QCoreApplication::translate("EntryMenus", "&Customers..."),
            QStringLiteral("mnuCustomers"),
            QCoreApplication::translate("EntryMenus", "List each customer once, with their records"));
    m.statistics = makeDialogEntry(
            m.fileMenu, QCoreApplication::translate("EntryMenus", "S&tatistics..."),
            QStringLiteral("mnuStatistics"),
            QCoreApplication::translate("EntryMenus", "Counts and charts of every record"));
    // Moving records in and out of the file.
    m.fileSeparator1 = makeSeparator(m.fileMenu, QStringLiteral("mnuFileSepTransfer"));
    // E, as in the list's File menu: Alt+F, E exports in both windows.
    m.exportRecords = makeDialogEntry(
            m.fileMenu, QStringLiteral("&Export Records..."), QStringLiteral("mnuExport"),
            QStringLiteral("Export every record to a CSV file"));
    m.importRecords = makeDialogEntry(
            m.fileMenu, QStringLiteral("&Import Records..."), QStringLiteral("mnuImport"),
            QStringLiteral("Add the records of a CSV file made by Export"));
    m.backUpDatabase = makeDialogEntry(
            m.fileMenu, QStringLiteral("&Back Up Database..."), QStringLiteral("mnuBackUp"),
            QStringLiteral("Save a copy of the whole record database"));
    m.fileSeparator2 = makeSeparator(m.fileMenu, QStringLiteral("mnuFileSepExit"));
    m.exit = makeEntry(m.fileMenu, QStringLiteral("E&xit"), QStringLiteral("mnuExit"));

    m.editMenu = makeMenu(QStringLiteral("&Edit"), QStringLiteral("mnuEdit"), owner);
    m.goToMenu = makeSubmenu(m.editMenu, QStringLiteral("&Go To"), QStringLiteral("MnuGoTo"));
    m.goToFirst = makeEntry(m.goToMenu, QStringLiteral("&First"), QStringLiteral("mnuFirst"));
    m.goToNext = makeEntry(m.goToMenu, QStringLiteral("&Next"), QStringLiteral("mnuGoNext"));
    m.goToPrevious = makeEntry(m.goToMenu, QStringLiteral("&Previous"),
                              QStringLiteral("mnuPrevious"));
    m.goToLast = makeEntry(m.goToMenu, QStringLiteral("&Last"), QStringLiteral("mnuLast"));
    m.findMenu = makeSubmenu(m.editMenu, QStringLiteral("&Find"), QStringLiteral("mnuFind"));
    m.findByName = makeEntry(m.findMenu, QStringLiteral("By &Name"), QStringLiteral("MnuName"));
    m.findByTool = makeEntry(m.findMenu, QStringLiteral("By Dowsing &Toll"),
                          QStringLiteral("mnuTool"));
    m.findByItem = makeEntry(m.findMenu, QStringLiteral("By &Item Dowsing For"),
                          QStringLiteral("mnuItem"));
    m.countRecords = makeEntry(m.editMenu, QStringLiteral("&Count Record"),
                           QStringLiteral("mnuCount"));
    switchOff(m.goToMenu);
    m.countRecords->setEnabled(false);
    switchOff(m.editMenu);

    m.helpMenu = makeMenu(QStringLiteral("&Help"), QStringLiteral("mnuHelp"), owner);
    m.onlineHelp = makeEntry(m.helpMenu, QStringLiteral("&Online Help"),
                            QStringLiteral("mnuOnline"));
    m.visitUsOnline = makeEntry(m.helpMenu, QStringLiteral("&Visit Us Online"),
                           QStringLiteral("mnuVisit"));
    m.separator1 = makeSeparator(m.helpMenu, QStringLiteral("mnuFileSep1"));
    m.checkForUpdate = makeEntry(m.helpMenu, QStringLiteral("&Check for Software Update"),
                            QStringLiteral("mnuUpdate"));
    m.separator2 = makeSeparator(m.helpMenu, QStringLiteral("mnuFileSep2"));
    m.about = makeEntry(m.helpMenu, QStringLiteral("&About Software"),
                           QStringLiteral("mnuAbout"));
    m.donate = makeEntry(m.helpMenu, QStringLiteral("&Donate"), QStringLiteral("mnuDonate"));
    m.makeMoneyOnline = makeEntry(m.helpMenu, QStringLiteral("Make Money &Online"),
                               QStringLiteral("mnumakemoney"));
    m.makeMoneyOnline->setEnabled(false);

    return m;
}

} // namespace Orvane
