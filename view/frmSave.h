#pragma once

#include "shell/ChildForm.h"

namespace Orvane {

class MDIForm1;

// The record view window: one record's report and what can be done with it.
class frmSave : public ChildForm
{
    Q_OBJECT

public:
    explicit frmSave(MDIForm1 &frame, QWidget *parent = nullptr);
    ~frmSave() override;

private:
    MDIForm1 &m_frame;
};

} // namespace Orvane
