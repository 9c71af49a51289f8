#include "EntryMenus.h"

#include <QAction>
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

    m.nuFile = makeMenu(QStringLiteral("&File"), QStringLiteral("nuFile"), owner);
    m.mnuAddNewRecor = makeEntry(m.nuFile, QStringLiteral("&Add New Record"),
                                 QStringLiteral("mnuAddNewRecor"));
    m.mnuViewAll = makeEntry(m.nuFile, QStringLiteral("&View All  Records"),
                             QStringLiteral("mnuViewAll"));
    m.mnuExit = makeEntry(m.nuFile, QStringLiteral("E&xit"), QStringLiteral("mnuExit"));

    m.mnuEdit = makeMenu(QStringLiteral("&Edit"), QStringLiteral("mnuEdit"), owner);
    m.MnuGoTo = makeSubmenu(m.mnuEdit, QStringLiteral("&Go To"), QStringLiteral("MnuGoTo"));
    m.mnuFirst = makeEntry(m.MnuGoTo, QStringLiteral("&First"), QStringLiteral("mnuFirst"));
    m.mnuGoNext = makeEntry(m.MnuGoTo, QStringLiteral("&Next"), QStringLiteral("mnuGoNext"));
    m.mnuPrevious = makeEntry(m.MnuGoTo, QStringLiteral("&Previous"),
                              QStringLiteral("mnuPrevious"));
    m.mnuLast = makeEntry(m.MnuGoTo, QStringLiteral("&Last"), QStringLiteral("mnuLast"));
    m.mnuFind = makeSubmenu(m.mnuEdit, QStringLiteral("&Find"), QStringLiteral("mnuFind"));
    m.MnuName = makeEntry(m.mnuFind, QStringLiteral("By &Name"), QStringLiteral("MnuName"));
    m.mnuTool = makeEntry(m.mnuFind, QStringLiteral("By Dowsing &Toll"),
                          QStringLiteral("mnuTool"));
    m.mnuItem = makeEntry(m.mnuFind, QStringLiteral("By &Item Dowsing For"),
                          QStringLiteral("mnuItem"));
    m.mnuCount = makeEntry(m.mnuEdit, QStringLiteral("&Count Record"),
                           QStringLiteral("mnuCount"));
    switchOff(m.MnuGoTo);
    m.mnuCount->setEnabled(false);
    switchOff(m.mnuEdit);

    m.mnuHelp = makeMenu(QStringLiteral("&Help"), QStringLiteral("mnuHelp"), owner);
    m.mnuOnline = makeEntry(m.mnuHelp, QStringLiteral("&Online Help"),
                            QStringLiteral("mnuOnline"));
    m.mnuVisit = makeEntry(m.mnuHelp, QStringLiteral("&Visit Us Online"),
                           QStringLiteral("mnuVisit"));
    m.mnuFileSep1 = makeSeparator(m.mnuHelp, QStringLiteral("mnuFileSep1"));
    m.mnuUpdate = makeEntry(m.mnuHelp, QStringLiteral("&Check for Software Update"),
                            QStringLiteral("mnuUpdate"));
    m.mnuFileSep2 = makeSeparator(m.mnuHelp, QStringLiteral("mnuFileSep2"));
    m.mnuAbout = makeEntry(m.mnuHelp, QStringLiteral("&About Software"),
                           QStringLiteral("mnuAbout"));
    m.mnuDonate = makeEntry(m.mnuHelp, QStringLiteral("&Donate"), QStringLiteral("mnuDonate"));
    m.mnumakemoney = makeEntry(m.mnuHelp, QStringLiteral("Make Money &Online"),
                               QStringLiteral("mnumakemoney"));
    m.mnumakemoney->setEnabled(false);

    return m;
}

} // namespace Orvane
