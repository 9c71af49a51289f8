#include "FilteredLineEdit.h"

#include "platform/Platform.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QPointer>

namespace Orvane {

using FieldFilters::Verdict;

FilteredLineEdit::FilteredLineEdit(FieldFilters::Rule rule, QWidget *parent)
    : QLineEdit(parent)
    , m_rule(rule)
{
}

QString FilteredLineEdit::typedText(const QKeyEvent *event)
{
    QString text = event->text();
    const Qt::KeyboardModifiers mods = event->modifiers();
    const bool control = (mods & Qt::ControlModifier) && !(mods & Qt::AltModifier);
    if (!control)
        return text;
    if (text.size() == 1) {
        const ushort c = text.at(0).unicode();
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '[' && c <= '_'))
            return QString(QChar(ushort(c & 0x1f)));
        return text;
    }
    if (text.isEmpty() && event->key() >= Qt::Key_A && event->key() <= Qt::Key_Z)
        return QString(QChar(ushort(event->key() - Qt::Key_A + 1)));
    return text;
}

void FilteredLineEdit::keyPressEvent(QKeyEvent *event)
{
    if (m_rule == FieldFilters::Rule::None) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    const int key = event->key();
    // Moving between controls and deleting forward type no character.
    if (key == Qt::Key_Tab || key == Qt::Key_Backtab || key == Qt::Key_Delete) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    const Qt::KeyboardModifiers mods = event->modifiers();
    // Alt with a key is an access key, never a typed character; one that
    // matched no control ends here instead of being inserted.
    if ((mods & Qt::AltModifier) && !(mods & Qt::ControlModifier)) {
        event->ignore();
        return;
    }

    const QString typed = typedText(event);
    if (typed.isEmpty()) {
        if (event->matches(QKeySequence::Paste)) { // Shift+Insert
            pasteFiltered(QClipboard::Clipboard);
            event->accept();
            return;
        }
        QLineEdit::keyPressEvent(event); // cursor keys and the like
        return;
    }

    if (typed.size() > 1) {
        insertFiltered(typed);
        event->accept();
        return;
    }

    const Verdict verdict = FieldFilters::filterKey(m_rule, typed.at(0));
    event->accept();
    if (!verdict.accepted) {
        refuse(verdict);
        return;
    }
    if (verdict.text == event->text()) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    QKeyEvent replaced(event->type(), key, mods, event->nativeScanCode(),
                       event->nativeVirtualKey(), event->nativeModifiers(), verdict.text,
                       event->isAutoRepeat(), event->count());
    QLineEdit::keyPressEvent(&replaced);
    event->setAccepted(replaced.isAccepted());
}

void FilteredLineEdit::inputMethodEvent(QInputMethodEvent *event)
{
    if (m_rule == FieldFilters::Rule::None || event->commitString().isEmpty()) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    const Verdict verdict = FieldFilters::filterText(m_rule, event->commitString());
    QInputMethodEvent filtered(event->preeditString(), event->attributes());
    filtered.setCommitString(verdict.accepted ? verdict.text : QString(),
                             event->replacementStart(), event->replacementLength());
    QLineEdit::inputMethodEvent(&filtered);
    event->setAccepted(filtered.isAccepted());
    if (!verdict.accepted)
        refuse(verdict);
}

void FilteredLineEdit::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu *menu = createStandardContextMenu();
    if (!menu)
        return;
    menu->setAttribute(Qt::WA_DeleteOnClose);
    if (m_rule != FieldFilters::Rule::None) {
        const QString pasteText = QLineEdit::tr("&Paste");
        const QList<QAction *> actions = menu->actions();
        for (QAction *action : actions) {
            if (!action->text().startsWith(pasteText))
                continue;
            // The menu's own Paste would insert the clipboard unfiltered.
            QObject::disconnect(action, &QAction::triggered, nullptr, nullptr);
            connect(action, &QAction::triggered, this,
                    [this] { pasteFiltered(QClipboard::Clipboard); });
        }
    }
    menu->popup(event->globalPos());
}

void FilteredLineEdit::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_rule != FieldFilters::Rule::None && event->button() == Qt::MiddleButton
        && QGuiApplication::clipboard()->supportsSelection() && !isReadOnly()) {
        deselect();
        pasteFiltered(QClipboard::Selection);
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void FilteredLineEdit::dropEvent(QDropEvent *event)
{
    const QMimeData *data = event->mimeData();
    if (m_rule == FieldFilters::Rule::None || isReadOnly() || !data || !data->hasText()) {
        QLineEdit::dropEvent(event);
        return;
    }
    const Verdict verdict = FieldFilters::filterText(m_rule, data->text());
    if (!verdict.accepted) {
        event->ignore();
        update();
        // Not while the drag is still being finished.
        QPointer<FilteredLineEdit> self(this);
        QMetaObject::invokeMethod(
                this, [self, verdict] { if (self) self->refuse(verdict); },
                Qt::QueuedConnection);
        return;
    }
    if (verdict.text == data->text()) {
        QLineEdit::dropEvent(event);
        return;
    }
    QMimeData filteredData;
    filteredData.setText(verdict.text);
    QDropEvent filtered(event->position(), event->possibleActions(), &filteredData,
                        event->buttons(), event->modifiers(), event->type());
    filtered.setDropAction(event->proposedAction());
    QLineEdit::dropEvent(&filtered);
    event->setDropAction(filtered.dropAction());
    event->setAccepted(filtered.isAccepted());
}

void FilteredLineEdit::pasteFiltered(QClipboard::Mode mode)
{
    if (isReadOnly())
        return;
    const QString text = QGuiApplication::clipboard()->text(mode);
    if (text.isEmpty())
        return;
    insertFiltered(text);
}

bool FilteredLineEdit::insertFiltered(const QString &text)
{
    const Verdict verdict = FieldFilters::filterText(m_rule, text);
    if (!verdict.accepted) {
        refuse(verdict);
        return false;
    }
    insert(verdict.text);
    return true;
}

void FilteredLineEdit::refuse(const Verdict &verdict)
{
    // Owned by the top-level window, so that the box keeps the desktop's
    // looks rather than those of the form around this box.
    platform().messages->show(window(), verdict.message, verdict.icon);
}

} // namespace Orvane
