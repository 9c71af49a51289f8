#include "ExitScreen.h"

#include "widgets/AppIcon.h"
#include "widgets/LinkLabel.h"
#include "WebPages.h"
#include "ProgramEnd.h"
#include "platform/MessageBoxes.h"
#include "platform/Platform.h"

#include <QAccessibleWidget>
#include <QCloseEvent>
#include <QFormLayout>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QVBoxLayout>

namespace Orvane {

namespace {

constexpr int maxFieldLength = 100;
constexpr int maxMessageLength = 1000;

const char headerStyle[] =
        "QFrame#fraHeader { background-color: #1d3c5c; color: #ffffff; }"
        "QLabel#lblTitle, QLabel#lblSubtitle, QLabel#picLogo {"
        "  background-color: #1d3c5c; color: #ffffff; }"
        "QLabel#lblSubtitle { color: #cfe0f1; }";

const char noteStyle[] =
        "QFrame#fraNote { background-color: #fbf5df; color: #3b2f12;"
        "  border: 1px solid #d8c68a; border-radius: 4px; }"
        "QLabel#lblNote { background-color: #fbf5df; color: #3b2f12; border: none; }"
        "QLabel#lblBoard { background-color: #fbf5df; color: #1d4f8a; border: none;"
        "  font-weight: bold; text-decoration: underline; }"
        "QLabel#lblBoard:hover { color: #a33a00; }";

const char linkStyle[] =
        "QLabel { color: palette(link); text-decoration: underline; }";

// Something before and after one "@", and no blanks.
bool looksLikeEmail(const QString &text)
{
    const qsizetype at = text.indexOf(QLatin1Char('@'));
    return at > 0 && at == text.lastIndexOf(QLatin1Char('@')) && at < text.size() - 1
            && !text.contains(QLatin1Char(' '));
}

// A plain top-level widget reaches screen readers as a "filler"; the exit
// screen is a window of its own and is announced as one.
QAccessibleInterface *accessibleExitScreen(const QString &className, QObject *object)
{
    if (className == QLatin1String("Orvane::ExitScreen"))
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Window);
    return nullptr;
}

} // namespace

ExitScreen::ExitScreen(int noteIndex)
    : QWidget(nullptr)
{
    static const bool accessible = [] {
        QAccessible::installFactory(accessibleExitScreen);
        return true;
    }();
    Q_UNUSED(accessible);
    setObjectName(QStringLiteral("frmExit"));
    // Set before the first show: changing the flags of a shown window hides it.
    setWindowFlags(Qt::Window | Qt::WindowStaysOnTopHint);
    setWindowTitle(tr("Thank You For Using Orvane Dowsing"));
    setWindowIcon(appIcon());

    const int count = int(notes().size());
    m_noteIndex = noteIndex >= 0 && noteIndex < count
            ? noteIndex
            : int(QRandomGenerator::global()->bounded(count));

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 12);
    layout->setSpacing(10);
    layout->addWidget(makeHeader());

    auto *body = new QVBoxLayout;
    body->setContentsMargins(14, 0, 14, 0);
    body->setSpacing(10);
    body->addWidget(makeNote());
    body->addWidget(makeLinks());
    body->addWidget(makeReferForm(), 1);

    m_cmdExit = new QPushButton(tr("E&xit"), this);
    m_cmdExit->setObjectName(QStringLiteral("cmdExit"));
    m_cmdExit->setMinimumWidth(96);
    connect(m_cmdExit, &QPushButton::clicked, this, &ExitScreen::endProgram);
    auto *bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(m_cmdExit);
    body->addLayout(bottom);
    layout->addLayout(body, 1);

    resize(520, 480);
    setMinimumSize(480, 440);
    // The keyboard starts in the form, not on the links above it.
    m_txtYourName->setFocus();
}

ExitScreen::~ExitScreen() = default;

QStringList ExitScreen::notes()
{
    return {
        tr("Dowsers from all over the world meet on our discussion board to share what they "
           "find. Tell us what your rods or pendulum found today - we would love to hear about "
           "it!"),
        tr("Have a question about dowsing? Ask it on our discussion board, where experienced "
           "dowsers gladly help newcomers with rods, branches and pendulums."),
        tr("Found water, oil or something that was lost? Post your story on our discussion "
           "board and compare notes with other dowsers. Every experience helps someone learn."),
        tr("Our discussion board is free to join. Swap tips, read about tools and techniques, "
           "and tell us what you would like to see in the next version of Orvane Dowsing."),
    };
}

QWidget *ExitScreen::makeHeader()
{
    auto *header = new QFrame(this);
    header->setObjectName(QStringLiteral("fraHeader"));
    header->setStyleSheet(QString::fromLatin1(headerStyle));
    auto *row = new QHBoxLayout(header);
    row->setContentsMargins(14, 10, 14, 10);
    row->setSpacing(12);

    auto *logo = new QLabel(header);
    logo->setObjectName(QStringLiteral("picLogo"));
    logo->setPixmap(appIconPixmap(48));
    row->addWidget(logo);

    auto *titles = new QVBoxLayout;
    titles->setSpacing(2);
    auto *title = new QLabel(tr("Thank you for using Orvane Dowsing"), header);
    title->setObjectName(QStringLiteral("lblTitle"));
    QFont big = title->font();
    big.setPointSizeF(big.pointSizeF() * 1.45);
    big.setBold(true);
    title->setFont(big);
    auto *subtitle = new QLabel(tr("Happy dowsing - we hope to see you again soon."), header);
    subtitle->setObjectName(QStringLiteral("lblSubtitle"));
    titles->addWidget(title);
    titles->addWidget(subtitle);
    row->addLayout(titles, 1);
    return header;
}

QWidget *ExitScreen::makeNote()
{
    auto *frame = new QFrame(this);
    frame->setObjectName(QStringLiteral("fraNote"));
    frame->setStyleSheet(QString::fromLatin1(noteStyle));
    auto *column = new QVBoxLayout(frame);
    column->setContentsMargins(12, 10, 12, 10);
    column->setSpacing(6);

    m_lblNote = new QLabel(notes().at(m_noteIndex), frame);
    m_lblNote->setObjectName(QStringLiteral("lblNote"));
    m_lblNote->setTextFormat(Qt::PlainText);
    m_lblNote->setWordWrap(true);
    column->addWidget(m_lblNote);

    auto *board = new LinkLabel(
            tr("Join the discussion board at %1").arg(WebPages::discussionBoardAddress()), frame);
    board->setObjectName(QStringLiteral("lblBoard"));
    board->setFocusPolicy(Qt::TabFocus);
    connect(board, &LinkLabel::clicked, this,
            [] { WebPages::open(QStringLiteral("home-page")); });
    column->addWidget(board);
    return frame;
}

LinkLabel *ExitScreen::makeLink(const QString &name, const QString &text, const QString &pageKey)
{
    auto *link = new LinkLabel(text, this);
    link->setObjectName(name);
    // Tab reaches the links; Enter or Space opens them.
    link->setFocusPolicy(Qt::TabFocus);
    link->setStyleSheet(QString::fromLatin1(linkStyle));
    connect(link, &LinkLabel::clicked, this, [pageKey] { WebPages::open(pageKey); });
    return link;
}

QWidget *ExitScreen::makeLinks()
{
    auto *links = new QWidget(this);
    links->setObjectName(QStringLiteral("fraLinks"));
    auto *row = new QHBoxLayout(links);
    row->setContentsMargins(2, 0, 2, 0);
    row->setSpacing(18);
    row->addWidget(makeLink(QStringLiteral("lblHomePage"), tr("Visit Us Online"),
                            QStringLiteral("home-page")));
    row->addWidget(makeLink(QStringLiteral("lblHelp"), tr("Online Help"),
                            QStringLiteral("help-web-page")));
    row->addWidget(makeLink(QStringLiteral("lblUpdate"), tr("Check for Update"),
                            QStringLiteral("download-web-page")));
    row->addWidget(makeLink(QStringLiteral("lblDonate"), tr("Donate"),
                            QStringLiteral("donate")));
    row->addStretch(1);
    return links;
}

QWidget *ExitScreen::makeReferForm()
{
    auto *box = new QGroupBox(tr("Tell a friend about Orvane Dowsing"), this);
    box->setObjectName(QStringLiteral("fraRefer"));
    auto *column = new QVBoxLayout(box);
    column->setSpacing(6);
    auto *form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    form->setVerticalSpacing(5);

    const auto lineEdit = [box](const char *name) {
        auto *edit = new QLineEdit(box);
        edit->setObjectName(QString::fromLatin1(name));
        edit->setMaxLength(maxFieldLength);
        return edit;
    };
    m_txtYourName = lineEdit("txtYourName");
    m_txtYourEmail = lineEdit("txtYourEmail");
    m_txtFriendName = lineEdit("txtFriendName");
    m_txtFriendEmail = lineEdit("txtFriendEmail");
    m_txtMessage = new QPlainTextEdit(box);
    m_txtMessage->setObjectName(QStringLiteral("txtMessage"));
    m_txtMessage->setTabChangesFocus(true);
    m_txtMessage->setPlainText(
            tr("I keep my dowsing diary with Orvane Dowsing and thought you might like it too."));
    m_txtMessage->setFixedHeight(m_txtMessage->fontMetrics().lineSpacing() * 4 + 12);

    form->addRow(tr("Your &name:"), m_txtYourName);
    form->addRow(tr("Your &e-mail:"), m_txtYourEmail);
    form->addRow(tr("&Friend's name:"), m_txtFriendName);
    form->addRow(tr("Friend's e-&mail:"), m_txtFriendEmail);
    form->addRow(tr("Messa&ge:"), m_txtMessage);
    column->addLayout(form);

    m_lblSent = new QLabel(box);
    m_lblSent->setObjectName(QStringLiteral("lblSent"));
    m_lblSent->setWordWrap(true);
    m_cmdSend = new QPushButton(tr("&Send"), box);
    m_cmdSend->setObjectName(QStringLiteral("cmdSend"));
    m_cmdSend->setMinimumWidth(96);
    connect(m_cmdSend, &QPushButton::clicked, this, &ExitScreen::sendReferral);
    auto *row = new QHBoxLayout;
    row->addWidget(m_lblSent, 1);
    row->addWidget(m_cmdSend);
    column->addLayout(row);
    return box;
}

QString ExitScreen::referralPageKey()
{
    return QStringLiteral("refer-friend");
}

WebPages::QueryFields ExitScreen::referralFields() const
{
    return {{QStringLiteral("your_name"), m_txtYourName->text().trimmed()},
            {QStringLiteral("your_email"), m_txtYourEmail->text().trimmed()},
            {QStringLiteral("friend_name"), m_txtFriendName->text().trimmed()},
            {QStringLiteral("friend_email"), m_txtFriendEmail->text().trimmed()},
            {QStringLiteral("message"), m_txtMessage->toPlainText()}};
}

void ExitScreen::sendReferral()
{
    const auto refuse = [this](const QString &text, QWidget *field) {
        platform().messages->show(this, text, MessageBoxes::Icon::Information);
        field->setFocus();
    };
    const QString friendEmail = m_txtFriendEmail->text().trimmed();
    if (friendEmail.isEmpty()) {
        refuse(tr("Please enter your friend's e-mail address."), m_txtFriendEmail);
        return;
    }
    if (!looksLikeEmail(friendEmail)) {
        refuse(tr("Please enter a valid e-mail address for your friend."), m_txtFriendEmail);
        return;
    }
    const QString yourEmail = m_txtYourEmail->text().trimmed();
    if (!yourEmail.isEmpty() && !looksLikeEmail(yourEmail)) {
        refuse(tr("Please enter a valid e-mail address of your own, or leave it empty."),
               m_txtYourEmail);
        return;
    }
    if (m_txtMessage->toPlainText().size() > maxMessageLength) {
        refuse(tr("Please keep the message under %1 characters.").arg(maxMessageLength),
               m_txtMessage);
        return;
    }

    WebPages::open(referralPageKey(), referralFields());
    m_lblSent->setText(tr("Your browser was opened to send the invitation."));
}

void ExitScreen::endProgram()
{
    ProgramEnd::unloadAllAndEnd();
}

void ExitScreen::closeEvent(QCloseEvent *event)
{
    // Closing the screen in any way ends the program. While the program is
    // already being ended this close is part of it and the call returns at
    // once.
    event->accept();
    ProgramEnd::unloadAllAndEnd();
}

} // namespace Orvane
