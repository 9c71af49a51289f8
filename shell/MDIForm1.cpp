#include "MDIForm1.h"

#include "entry/frmMain.h"
#include "list/frmAllRecord.h"
#include "platform/AppInfo.h"
#include "view/frmSave.h"

#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QVBoxLayout>

namespace Orvane {

MDIForm1::MDIForm1(QWidget *parent)
    : QMainWindow(parent)
{
    setObjectName(QStringLiteral("MDIForm1"));
    setWindowTitle(AppInfo::caption());

    auto *central = new QWidget(this);
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_area = new QMdiArea(central);
    m_area->setObjectName(QStringLiteral("mdiArea"));
    m_area->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_area->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    layout->addWidget(makeTopBanner());
    layout->addWidget(m_area, 1);
    layout->addWidget(makeBottomBanner());
    setCentralWidget(central);
}

MDIForm1::~MDIForm1() = default;

QWidget *MDIForm1::makeTopBanner()
{
    auto *strip = new QWidget(this);
    strip->setObjectName(QStringLiteral("Picture1"));
    return strip;
}

QWidget *MDIForm1::makeBottomBanner()
{
    auto *strip = new QWidget(this);
    strip->setObjectName(QStringLiteral("Picture2"));
    return strip;
}

void MDIForm1::Label61_Click()
{
}

void MDIForm1::Label7_Click()
{
}

bool MDIForm1::MDIForm_Load()
{
    m_main = new frmMain(*this);
    addChild(m_main);
    if (!m_main->Form_Load())
        return false;
    if (m_main)
        showChild(m_main);
    return !m_main.isNull();
}

frmMain *MDIForm1::entryForm() const
{
    return m_main;
}

frmAllRecord *MDIForm1::allRecordForm()
{
    if (!m_list) {
        m_list = new frmAllRecord(*this);
        addChild(m_list);
        m_list->Form_Load();
    }
    return m_list;
}

bool MDIForm1::isAllRecordLoaded() const
{
    return !m_list.isNull();
}

void MDIForm1::unloadAllRecordForm()
{
    QWidget *list = m_list;
    m_list = nullptr;
    unloadChild(list);
}

frmSave *MDIForm1::saveForm()
{
    if (!m_save) {
        m_save = new frmSave(*this);
        addChild(m_save);
    }
    return m_save;
}

bool MDIForm1::isSaveLoaded() const
{
    return !m_save.isNull();
}

void MDIForm1::unloadEntryForm()
{
    QWidget *main = m_main;
    m_main = nullptr;
    unloadChild(main);
}

QMdiSubWindow *MDIForm1::addChild(QWidget *child)
{
    // Children have a caption but no system buttons of their own: the frame's
    // close box and the Exit command are the ways out.
    auto *sub = m_area->addSubWindow(child, Qt::SubWindow | Qt::CustomizeWindowHint
                                                   | Qt::WindowTitleHint);
    sub->setWindowTitle(AppInfo::caption());
    sub->hide();
    return sub;
}

QMdiSubWindow *MDIForm1::subWindowOf(QWidget *child) const
{
    return child ? qobject_cast<QMdiSubWindow *>(child->parentWidget()) : nullptr;
}

void MDIForm1::unloadChild(QWidget *child)
{
    if (!child)
        return;
    QMdiSubWindow *sub = subWindowOf(child);
    // The child's own unload handler runs in its close event.
    child->close();
    if (sub) {
        m_area->removeSubWindow(sub);
        sub->hide();
        // A child may be unloaded from inside one of its own handlers.
        sub->deleteLater();
    } else {
        child->deleteLater();
    }
}

void MDIForm1::showChild(QWidget *child)
{
    QMdiSubWindow *sub = subWindowOf(child);
    if (!sub)
        return;
    child->show();
    sub->adjustSize();
    sub->move(0, 0);
    sub->show();
    sub->raise();
    m_area->setActiveSubWindow(sub);
    setMenusOf(child);
}

void MDIForm1::hideChild(QWidget *child)
{
    if (QMdiSubWindow *sub = subWindowOf(child))
        sub->hide();
}

bool MDIForm1::isChildVisible(QWidget *child) const
{
    QMdiSubWindow *sub = subWindowOf(child);
    return sub && sub->isVisible();
}

void MDIForm1::setMenusOf(QWidget *child)
{
    menuBar()->clear();
    if (auto *form = qobject_cast<ChildForm *>(child)) {
        const QList<QMenu *> menus = form->menus();
        for (QMenu *menu : menus)
            menuBar()->addMenu(menu);
    }
}

void MDIForm1::closeEvent(QCloseEvent *event)
{
    if (!m_unloading) {
        m_unloading = true;
        MDIForm_Unload();
    }
    event->accept();
}

void MDIForm1::MDIForm_Unload()
{
    unloadEntryForm();
    unloadAllRecordForm();
}

} // namespace Orvane
