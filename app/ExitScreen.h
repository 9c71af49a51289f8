#pragma once

#include "WebPages.h"

#include <QStringList>
#include <QWidget>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace Orvane {

class LinkLabel;

// The exit screen, shown when the entry window goes: a thank-you note that
// invites the user to the maker's discussion board (one of four, picked at
// random), links to the maker's pages and a tell-a-friend form. It is a
// window of its own, kept above the others. Closing it, with "E&xit" or the
// close box, ends the program.
class ExitScreen : public QWidget
{
    Q_OBJECT

public:
    // noteIndex picks the note (0..3); any other value picks one at random.
    explicit ExitScreen(int noteIndex = -1);
    ~ExitScreen() override;

    static QStringList notes();
    int noteIndex() const { return m_noteIndex; }

    // The maker's referral page and what the form sends to it, in order:
    // your_name, your_email, friend_name, friend_email, message.
    static QString referralPageKey();
    WebPages::QueryFields referralFields() const;

    void sendReferral();
    void endProgram();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    QWidget *makeHeader();
    QWidget *makeNote();
    QWidget *makeLinks();
    QWidget *makeReferForm();
    LinkLabel *makeLink(const QString &name, const QString &text, const QString &pageKey);

    int m_noteIndex = 0;
    QLabel *m_lblNote = nullptr;
    QLineEdit *m_txtYourName = nullptr;
    QLineEdit *m_txtYourEmail = nullptr;
    QLineEdit *m_txtFriendName = nullptr;
    QLineEdit *m_txtFriendEmail = nullptr;
    QPlainTextEdit *m_txtMessage = nullptr;
    QPushButton *m_cmdSend = nullptr;
    QLabel *m_lblSent = nullptr;
    QPushButton *m_cmdExit = nullptr;
};

} // namespace Orvane
