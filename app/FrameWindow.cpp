#include "FrameWindow.h"

#include "ChildSubWindow.h"
#include "FramePlacement.h"
#include "WindowCoordinator.h"
#include "widgets/AccessKeys.h"
#include "widgets/LinkLabel.h"
#include "widgets/MdiChild.h"
#include "WebPages.h"

#include "platform/AppInfo.h"

#include <QApplication>
#include <QAbstractButton>
#include <QAction>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QFrame>
#include <QHBoxLayout>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QVBoxLayout>

namespace Orvane {

FrameWindow::FrameWindow(QWidget *parent)
    : QMainWindow(parent)
{
    setObjectName(QStringLiteral("MDIForm1"));
    setWindowTitle(AppInfo::caption());

    auto *central = new QWidget(this);
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    // The child windows' title bars show the program's own captions: laid
    // out without OpenType shaping, as the other captions are.
    QFont titleFont = QApplication::font("QMdiSubWindowTitleBar");
    titleFont.setStyleStrategy(QFont::PreferNoShaping);
    QApplication::setFont(titleFont, "QMdiSubWindowTitleBar");
    m_area = new QMdiArea(central);
    m_area->setObjectName(QStringLiteral("mdiArea"));
    m_area->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_area->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    layout->addWidget(makeTopBanner());
    layout->addWidget(m_area, 1);
    layout->addWidget(makeBottomBanner());
    setCentralWidget(central);
    m_accessKeys = new AccessKeys(menuBar());
    m_windows = new WindowCoordinator(*this);
    // F1 anywhere in the frame, whichever child is on show; the Help menu's
    // entries open the maker's pages as before.
    auto *guide = new QAction(this);
    guide->setShortcut(QKeySequence::HelpContents);
    guide->setShortcutContext(Qt::WindowShortcut);
    addAction(guide);
    connect(guide, &QAction::triggered, m_windows, &WindowCoordinator::showUserGuide);
}

FrameWindow::~FrameWindow() = default;

namespace {

// Each colour rule names the text colour together with the background, so
// the strips read the same under a light or a dark desktop theme. A link with
// the keyboard focus takes its hover colour: the thin focus frame alone is
// hard to see on the dark strip.
const char topBannerStyle[] =
        "QFrame#Picture1 { background-color: #1d3c5c; color: #ffffff; }"
        "QFrame#Frame3 { background-color: #27507a; color: #ffffff;"
        "  border: 1px solid #5d86b0; border-radius: 4px; }"
        "QLabel#Label61 { background-color: #27507a; color: #ffffff; border: none; }"
        "QLabel#Label61:hover, QLabel#Label61:focus {"
        "  background-color: #27507a; color: #ffd77a; }";

const char bottomBannerStyle[] =
        "QFrame#Picture2 { background-color: #efe4bf; color: #5b3a00;"
        "  border-top: 1px solid #cbb877; }"
        "QLabel#Label7 { background-color: #efe4bf; color: #5b3a00; border: none; }"
        "QLabel#Label7:hover, QLabel#Label7:focus {"
        "  background-color: #efe4bf; color: #9a2d00; }";

} // namespace

QWidget *FrameWindow::makeTopBanner()
{
    auto *strip = new QFrame(this);
    strip->setObjectName(QStringLiteral("Picture1"));
    strip->setStyleSheet(QString::fromLatin1(topBannerStyle));
    auto *stripLayout = new QHBoxLayout(strip);
    stripLayout->setContentsMargins(8, 6, 8, 6);

    auto *frame3 = new QFrame(strip);
    frame3->setObjectName(QStringLiteral("Frame3"));
    auto *frameLayout = new QHBoxLayout(frame3);
    frameLayout->setContentsMargins(10, 6, 10, 6);

    auto *label61 = new LinkLabel(
            tr("Join the Orvane Dowsing discussion board, the meeting place for dowsers "
               "everywhere. Share your finds, ask about rods, branches and pendulums, compare "
               "notes on searches for water, oil and lost things, and learn from experienced "
               "dowsers. Membership is free: %1")
                    .arg(WebPages::discussionBoardAddress()),
            frame3);
    label61->setObjectName(QStringLiteral("Label61"));
    label61->setWordWrap(true);
    // The banners' pages have no other road: Tab reaches the links (from the
    // first show, see showEvent()), Enter or Space opens them.
    m_topLink = label61;
    label61->installEventFilter(this);
    connect(label61, &LinkLabel::clicked, this, &FrameWindow::openHomePage);
    frameLayout->addWidget(label61);
    stripLayout->addWidget(frame3);
    return strip;
}

QWidget *FrameWindow::makeBottomBanner()
{
    auto *strip = new QFrame(this);
    strip->setObjectName(QStringLiteral("Picture2"));
    strip->setStyleSheet(QString::fromLatin1(bottomBannerStyle));
    auto *stripLayout = new QHBoxLayout(strip);
    stripLayout->setContentsMargins(12, 7, 12, 7);

    auto *label7 = new LinkLabel(
            tr("%1 %2", "the offer, then the words that lead to its page")
                    .arg(WebPages::fullyBrandedOffer(), WebPages::moreDetails()),
            strip);
    label7->setObjectName(QStringLiteral("Label7"));
    label7->setWordWrap(true);
    label7->setAlignment(Qt::AlignCenter);
    m_bottomLink = label7;
    label7->installEventFilter(this);
    QFont bold = label7->font();
    bold.setBold(true);
    label7->setFont(bold);
    connect(label7, &LinkLabel::clicked, this, &FrameWindow::openFullyBrandedPage);
    stripLayout->addWidget(label7);
    return strip;
}

void FrameWindow::openHomePage()
{
    WebPages::open(QStringLiteral("home-page"));
}

void FrameWindow::openFullyBrandedPage()
{
    WebPages::open(QStringLiteral("fully-branded"));
}

void FrameWindow::showNotice(const QString &text)
{
    // The status bar is made with the first notice: without one the frame
    // keeps its whole height for the child windows.
    if (!m_notice) {
        m_notice = new QLabel(this);
        m_notice->setObjectName(QStringLiteral("notice"));
        m_notice->setTextInteractionFlags(Qt::TextSelectableByMouse);
        // A screen reader reads its text as its name (QLabel says when the
        // text changes) and this as what it is.
        m_notice->setAccessibleDescription(tr("Notice"));
        // A long line is cut at the frame's edge (the tip holds it whole)
        // rather than widening the frame.
        m_notice->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        m_notice->setContentsMargins(8, 2, 8, 2);
        statusBar()->setSizeGripEnabled(false);
        // Permanent: a menu entry's tip does not hide it.
        statusBar()->addPermanentWidget(m_notice, 1);
    }
    m_notice->setText(text);
    m_notice->setToolTip(text);
}

QSize FrameWindow::sizeOn(const QSize &available)
{
    return QSize(1024, 768).boundedTo(available * 0.95);
}

bool FrameWindow::loadEntryWindow()
{
    return m_windows->loadEntryWindow();
}

void FrameWindow::addChild(QWidget *child)
{
    // Children have a caption but no system buttons of their own: the frame's
    // close box and the Exit command are the ways out.
    auto *sub = new ChildSubWindow(
            child, Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint,
            [this](bool next) {
                (next ? m_bottomLink : m_topLink)
                        ->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            });
    m_area->addSubWindow(sub);
    sub->setWindowTitle(AppInfo::caption());
    sub->hide();
    m_accessKeys->watchButtons(child);
}

QMdiSubWindow *FrameWindow::subWindowOf(QWidget *child) const
{
    return child ? qobject_cast<QMdiSubWindow *>(child->parentWidget()) : nullptr;
}

void FrameWindow::unloadChild(QWidget *child)
{
    if (!child)
        return;
    QMdiSubWindow *sub = subWindowOf(child);
    // The child's own unload handler runs in its close event.
    child->close();
    if (sub) {
        m_area->removeSubWindow(sub);
        sub->hide();
        // A child may be unloaded from inside one of its own handlers.
        sub->deleteLater();
    } else {
        child->deleteLater();
    }
}

void FrameWindow::showChild(QWidget *child)
{
    QMdiSubWindow *sub = subWindowOf(child);
    if (!sub)
        return;
    child->show();
    sub->adjustSize();
    // On a small screen a child gives way, so that all of it shows without
    // the area's scroll bars: they would hide its last buttons. (Before the
    // frame first shows, the area has no size of its own yet.)
    const QSize room = m_area->contentsRect().size();
    if (m_area->isVisible() && !room.isEmpty())
        sub->resize(sub->size().boundedTo(room).expandedTo(sub->minimumSizeHint()));
    sub->move(0, 0);
    sub->show();
    sub->raise();
    m_area->setActiveSubWindow(sub);
    setMenusOf(child);
}

void FrameWindow::hideChild(QWidget *child)
{
    if (QMdiSubWindow *sub = subWindowOf(child))
        sub->hide();
}

bool FrameWindow::isChildVisible(QWidget *child) const
{
    QMdiSubWindow *sub = subWindowOf(child);
    return sub && sub->isVisible();
}

void FrameWindow::setMenusOf(QWidget *child)
{
    menuBar()->clear();
    if (auto *form = qobject_cast<MdiChild *>(child)) {
        const QList<QMenu *> menus = form->menus();
        for (QMenu *menu : menus) {
            menuBar()->addMenu(menu);
            m_accessKeys->watchMenu(menu);
        }
    }
}

ChildSubWindow *FrameWindow::shownSubWindow() const
{
    const QList<QMdiSubWindow *> subs = m_area->subWindowList();
    for (QMdiSubWindow *sub : subs) {
        if (sub->isVisible())
            return dynamic_cast<ChildSubWindow *>(sub);
    }
    return nullptr;
}

void FrameWindow::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    // Links that took the keyboard before the first show made that show dearer
    // by 8.5 M instructions of 126 M to idle, with nothing gained: no key can
    // reach a hidden frame (valgrind --tool=callgrind on build/bin/Orvanelog).
    m_topLink->setFocusPolicy(Qt::TabFocus);
    m_bottomLink->setFocusPolicy(Qt::TabFocus);
}

bool FrameWindow::eventFilter(QObject *watched, QEvent *event)
{
    // Qt counts the child as inactive while a banner link has the focus, so
    // the child's access keys would do nothing until Tab went back into it.
    if ((watched == m_topLink || watched == m_bottomLink) && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const Qt::KeyboardModifiers others = key->modifiers() & ~Qt::AltModifier;
        if ((key->modifiers() & Qt::AltModifier) && !(others & ~Qt::KeypadModifier)
            && pressInShownChild(QKeySequence(Qt::ALT | key->key())))
            return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

bool FrameWindow::pressInShownChild(const QKeySequence &key)
{
    // Only the child on show has visible controls; the menu bar keeps its
    // own keys, and a switched-off title's key goes nowhere.
    if (AccessKeys::heldBySwitchedOffTitle(key, menuBar()))
        return true;
    const QList<QObject *> takers = AccessKeys::takersOf(key, this, nullptr);
    if (takers.size() != 1)
        return false;
    if (auto *button = qobject_cast<QAbstractButton *>(takers.constFirst())) {
        button->setFocus(Qt::ShortcutFocusReason);
        button->animateClick();
    } else if (auto *label = qobject_cast<QLabel *>(takers.constFirst())) {
        label->buddy()->setFocus(Qt::ShortcutFocusReason);
    }
    return true;
}

bool FrameWindow::focusNextPrevChild(bool next)
{
    QWidget *focus = focusWidget();
    if (focus != m_topLink && focus != m_bottomLink)
        return QMainWindow::focusNextPrevChild(next);
    // Into the child below the top link or above the bottom one; from one
    // link to the other around the outside, or when no child takes the focus.
    ChildSubWindow *sub = shownSubWindow();
    if ((focus == m_topLink) == next && sub && sub->focusEnd(next))
        return true;
    (focus == m_topLink ? m_bottomLink : m_topLink)
            ->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

void FrameWindow::closeEvent(QCloseEvent *event)
{
    // What the user typed into the entry window is not thrown away unasked.
    if (!m_unloading && !m_windows->confirmLeaving()) {
        event->ignore();
        return;
    }
    if (!m_unloading) {
        m_unloading = true;
        // Only a frame the user saw has a place worth keeping.
        if (isVisible())
            FramePlacement::keep(*this);
        unloadChildren();
    }
    event->accept();
}

void FrameWindow::unloadChildren()
{
    m_windows->unloadEntryWindow();
    m_windows->unloadListWindow();
}

} // namespace Orvane
