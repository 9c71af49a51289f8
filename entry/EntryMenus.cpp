#include "EntryMenus.h"

#include "widgets/SharedTexts.h"

#include <QAction>
#include <QCoreApplication>
#include <QKeySequence>
#include <QMenu>

namespace Orvane {

namespace {

// The translation context of the menus' captions and tips.
struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(Orvane::EntryMenus)
};

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

    m.fileMenu = makeMenu(SharedTexts::fileMenu(), QStringLiteral("nuFile"), owner);
    m.addNewRecord = makeEntry(m.fileMenu, Texts::tr("&Add New Record"),
                                 QStringLiteral("mnuAddNewRecor"));
    m.viewAllRecords = makeEntry(m.fileMenu, Texts::tr("&View All  Records"),
                             QStringLiteral("mnuViewAll"));
    m.findRecords = makeEntry(m.fileMenu, SharedTexts::findRecords(),
                              QStringLiteral("mnuFindRecords"));
    m.findRecords->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    // C and T, as in the list's File menu.
    m.customers = makeDialogEntry(
            m.fileMenu, SharedTexts::customers(), QStringLiteral("mnuCustomers"),
            Texts::tr("List each customer once, with their records"));
    m.statistics = makeDialogEntry(m.fileMenu, SharedTexts::statistics(),
                                   QStringLiteral("mnuStatistics"),
                                   Texts::tr("Counts and charts of every record"));
    // Moving records in and out of the file.
    m.fileSeparator1 = makeSeparator(m.fileMenu, QStringLiteral("mnuFileSepTransfer"));
    // E, as in the list's File menu: Alt+F, E exports in both windows.
    m.exportRecords = makeDialogEntry(
            m.fileMenu, SharedTexts::exportRecords(), QStringLiteral("mnuExport"),
            Texts::tr("Export every record to a CSV file"));
    m.importRecords = makeDialogEntry(
            m.fileMenu, Texts::tr("&Import Records..."), QStringLiteral("mnuImport"),
            Texts::tr("Add the records of a CSV file made by Export"));
    m.backUpDatabase = makeDialogEntry(
            m.fileMenu, Texts::tr("&Back Up Database..."), QStringLiteral("mnuBackUp"),
            Texts::tr("Save a copy of the whole record database"));
    m.fileSeparator2 = makeSeparator(m.fileMenu, QStringLiteral("mnuFileSepExit"));
    m.exit = makeEntry(m.fileMenu, Texts::tr("E&xit"), QStringLiteral("mnuExit"));

    m.editMenu = makeMenu(Texts::tr("&Edit"), QStringLiteral("mnuEdit"), owner);
    m.goToMenu = makeSubmenu(m.editMenu, Texts::tr("&Go To"), QStringLiteral("MnuGoTo"));
    m.goToFirst = makeEntry(m.goToMenu, Texts::tr("&First"), QStringLiteral("mnuFirst"));
    m.goToNext = makeEntry(m.goToMenu, Texts::tr("&Next"), QStringLiteral("mnuGoNext"));
    m.goToPrevious = makeEntry(m.goToMenu, Texts::tr("&Previous"),
                              QStringLiteral("mnuPrevious"));
    m.goToLast = makeEntry(m.goToMenu, Texts::tr("&Last"), QStringLiteral("mnuLast"));
    m.findMenu = makeSubmenu(m.editMenu, Texts::tr("&Find"), QStringLiteral("mnuFind"));
    m.findByName = makeEntry(m.findMenu, Texts::tr("By &Name"), QStringLiteral("MnuName"));
    m.findByTool = makeEntry(m.findMenu, Texts::tr("By Dowsing &Toll"),
                          QStringLiteral("mnuTool"));
    m.findByItem = makeEntry(m.findMenu, Texts::tr("By &Item Dowsing For"),
                          QStringLiteral("mnuItem"));
    m.countRecords = makeEntry(m.editMenu, Texts::tr("&Count Record"),
                           QStringLiteral("mnuCount"));
    switchOff(m.goToMenu);
    m.countRecords->setEnabled(false);
    switchOff(m.editMenu);

    m.helpMenu = makeMenu(Texts::tr("&Help"), QStringLiteral("mnuHelp"), owner);
    m.onlineHelp = makeEntry(m.helpMenu, Texts::tr("&Online Help"),
                            QStringLiteral("mnuOnline"));
    m.visitUsOnline = makeEntry(m.helpMenu, Texts::tr("&Visit Us Online"),
                           QStringLiteral("mnuVisit"));
    m.separator1 = makeSeparator(m.helpMenu, QStringLiteral("mnuFileSep1"));
    m.checkForUpdate = makeEntry(m.helpMenu, Texts::tr("&Check for Software Update"),
                            QStringLiteral("mnuUpdate"));
    m.separator2 = makeSeparator(m.helpMenu, QStringLiteral("mnuFileSep2"));
    m.about = makeEntry(m.helpMenu, Texts::tr("&About Software"),
                           QStringLiteral("mnuAbout"));
    m.donate = makeEntry(m.helpMenu, Texts::tr("&Donate"), QStringLiteral("mnuDonate"));
    m.makeMoneyOnline = makeEntry(m.helpMenu, Texts::tr("Make Money &Online"),
                               QStringLiteral("mnumakemoney"));
    m.makeMoneyOnline->setEnabled(false);

    return m;
}

} // namespace Orvane
