#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class QComboBox;
class QFrame;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QWidget;

namespace Orvane {

// An editable list of the tools page (the tool or the item) with its
// pop-up: choosing the list's "other" entry opens a box in which the user
// names an unlisted value. "Ok" shows the name in the list (without adding
// it to the entries) once it is not empty; "Cancel" goes back to the first
// entry. The name box keeps the last name.
class OtherChooser : public QObject
{
    Q_OBJECT

public:
    // The controls' objectNames, what a screen reader calls them, and the
    // words shown above the list and when the name is empty.
    struct Names
    {
        QString hint, list, popup, nameBox, ok, cancel;
        QString hintText, listSpoken, nameBoxSpoken, emptyNameMessage;
    };

    // Builds the hint, the list and its pop-up into the group; owner is
    // the window whose message boxes it shows.
    OtherChooser(QGroupBox *group, const QStringList &entries, int otherIndex,
                 const Names &names, QWidget *owner);

    QComboBox *list() const { return m_list; }
    QLineEdit *nameBox() const { return m_nameBox; }
    QPushButton *okButton() const { return m_ok; }
    QPushButton *cancelButton() const { return m_cancel; }
    QFrame *popup() const { return m_popup; }

    // Selects an entry and shows its text; the selection handling runs
    // even when the entry was already selected.
    void select(int index);
    void hidePopup();

signals:
    // Each selection in the list, by the user or the program, before this
    // chooser's pop-up opens.
    void selectionMade();

private:
    void handleSelection();
    void acceptName();
    void cancelName();

    QWidget *m_owner;
    int m_otherIndex;
    QString m_emptyNameMessage;
    QComboBox *m_list = nullptr;
    QFrame *m_popup = nullptr;
    QLineEdit *m_nameBox = nullptr;
    QPushButton *m_ok = nullptr;
    QPushButton *m_cancel = nullptr;
};

} // namespace Orvane
