#pragma once

#include "shell/ChildForm.h"

#include <memory>

namespace Orvane {

class MDIForm1;
class RecordStore;

// The list of every stored record in a grid; a double-click opens the
// record's report in the record view window.
class frmAllRecord : public ChildForm
{
    Q_OBJECT

public:
    explicit frmAllRecord(MDIForm1 &frame, QWidget *parent = nullptr);
    ~frmAllRecord() override;

    // Reads the table and fills the grid.
    void Form_Load();
    // Shows the entry window, closes the list's connection and unloads this
    // window.
    void cmdBack_Click();

    QList<QMenu *> menus() const override;

private:
    MDIForm1 &m_frame;
    std::unique_ptr<RecordStore> m_listConnection;
};

} // namespace Orvane
