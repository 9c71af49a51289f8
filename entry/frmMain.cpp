#include "frmMain.h"

#include "shell/MDIForm1.h"
#include "shell/modHelp.h"
#include "store/RecordStore.h"

#include <QCloseEvent>

namespace Orvane {

frmMain::frmMain(MDIForm1 &frame, QWidget *parent)
    : ChildForm(parent)
    , m_frame(frame)
{
    setObjectName(QStringLiteral("frmMain"));
}

frmMain::~frmMain() = default;

bool frmMain::Form_Load()
{
    return true;
}

QList<QMenu *> frmMain::menus() const
{
    return {};
}

void frmMain::cmdViewAllrecords_Click()
{
}

void frmMain::cmdExit_Click()
{
}

void frmMain::setPagesEnabled(bool)
{
}

void frmMain::setAddNewRecordVisible(bool)
{
}

void frmMain::showRecord(const DowsingRecord &, const QString &, const QString &)
{
}

void frmMain::setUpdateMode(qint64)
{
}

void frmMain::closeEvent(QCloseEvent *event)
{
    Form_Unload();
    event->accept();
}

void frmMain::Form_Unload()
{
    modHelp::ShowExitScreen();
    emit unloaded();
}

} // namespace Orvane
