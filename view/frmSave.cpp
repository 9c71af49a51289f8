#include "frmSave.h"

#include "shell/MDIForm1.h"

namespace Orvane {

frmSave::frmSave(MDIForm1 &frame, QWidget *parent)
    : ChildForm(parent)
    , m_frame(frame)
{
    setObjectName(QStringLiteral("frmSave"));
}

frmSave::~frmSave() = default;

} // namespace Orvane
