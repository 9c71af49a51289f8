#include "frmAllRecord.h"

#include "shell/MDIForm1.h"
#include "store/RecordStore.h"

namespace Orvane {

frmAllRecord::frmAllRecord(MDIForm1 &frame, QWidget *parent)
    : ChildForm(parent)
    , m_frame(frame)
{
    setObjectName(QStringLiteral("frmAllRecord"));
}

frmAllRecord::~frmAllRecord() = default;

void frmAllRecord::Form_Load()
{
}

void frmAllRecord::cmdBack_Click()
{
}

QList<QMenu *> frmAllRecord::menus() const
{
    return {};
}

} // namespace Orvane
