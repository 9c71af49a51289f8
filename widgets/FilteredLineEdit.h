#pragma once

#include "FieldFilters.h"

#include <QClipboard>
#include <QLineEdit>

namespace Orvane {

// A one-line box that passes everything the user puts in through one of the
// field rules: each typed character (control characters such as Ctrl+V or
// Escape included) is let through, replaced or refused with the rule's
// message; pasted, dropped and input-method text must pass as a whole.
// Text the program sets with setText() is never filtered.
class FilteredLineEdit : public QLineEdit
{
    Q_OBJECT

public:
    explicit FilteredLineEdit(FieldFilters::Rule rule, QWidget *parent = nullptr);

    FieldFilters::Rule rule() const { return m_rule; }

    // Pastes the clipboard (or the selection) through the rule, as the
    // context menu, Shift+Insert and the middle button do.
    void pasteFiltered(QClipboard::Mode mode = QClipboard::Clipboard);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    // The character the key types, as a character code: Ctrl with a letter
    // gives its control code (Ctrl+V is 22) whatever the platform reports.
    static QString typedText(const QKeyEvent *event);
    bool insertFiltered(const QString &text);
    void refuse(const FieldFilters::Verdict &verdict);

    FieldFilters::Rule m_rule;
};

} // namespace Orvane
