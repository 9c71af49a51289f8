#include "UserGuide.h"

#include "platform/AppInfo.h"
#include "platform/Platform.h"

#include <QFile>
#include <QImage>
#include <QKeySequence>
#include <QShortcut>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextImageFormat>
#include <QVBoxLayout>

// Outside any namespace, as Qt's resource macro asks.
static void initGuideResource()
{
    Q_INIT_RESOURCE(guide);
}

namespace Orvane {

namespace {

// A heading's anchor as the README's own links name it: lower case, blanks
// as hyphens, other punctuation dropped ("Installing for one user" ->
// "installing-for-one-user").
QString anchorOf(const QString &heading)
{
    QString anchor;
    for (const QChar c : heading.toLower()) {
        if (c.isLetterOrNumber() || c == QLatin1Char('-') || c == QLatin1Char('_'))
            anchor.append(c);
        else if (c == QLatin1Char(' '))
            anchor.append(QLatin1Char('-'));
    }
    return anchor;
}

// The Markdown reader gives headings no anchors: each gets its README name.
void nameHeadings(QTextDocument &document)
{
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().headingLevel() == 0)
            continue;
        QTextCursor cursor(block);
        cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        QTextCharFormat anchor;
        anchor.setAnchor(true);
        anchor.setAnchorNames({anchorOf(block.text())});
        cursor.mergeCharFormat(anchor);
    }
}

// The screenshots are drawn at most this wide (a third of it in the tables
// of three), so that the guide reads without scrolling sideways.
const int kPictureWidth = 640;
const int kPictureInTableWidth = 220;

void fitPictures(QTextDocument &document)
{
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.charFormat().isImageFormat())
                continue;
            QTextImageFormat picture = fragment.charFormat().toImageFormat();
            const QImage image(QStringLiteral(":/guide/") + picture.name());
            QTextCursor cursor(&document);
            cursor.setPosition(fragment.position());
            const int width = cursor.currentTable() ? kPictureInTableWidth : kPictureWidth;
            if (image.isNull() || image.width() <= width)
                continue;
            picture.setWidth(width);
            picture.setHeight(double(image.height()) * width / image.width());
            cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
            cursor.setCharFormat(picture);
        }
    }
}

} // namespace

UserGuide::UserGuide(QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    initGuideResource();
    setObjectName(QStringLiteral("userGuide"));
    setWindowTitle(tr("%1 - User Guide", "the program's caption").arg(AppInfo::caption()));
    m_browser = new QTextBrowser(this);
    m_browser->setObjectName(QStringLiteral("guideText"));
    m_browser->setAccessibleName(tr("User Guide"));
    m_browser->setOpenLinks(false);
    m_browser->setSearchPaths({QStringLiteral(":/guide")});
    m_browser->document()->setMarkdown(markdown());
    nameHeadings(*m_browser->document());
    fitPictures(*m_browser->document());
    connect(m_browser, &QTextBrowser::anchorClicked, this, &UserGuide::follow);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_browser);
    auto *close = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(close, &QShortcut::activated, this, &QWidget::close);
    // From its first line, the keyboard in the text to scroll it.
    m_browser->moveCursor(QTextCursor::Start);
    setFocusProxy(m_browser);
    resize(760, 640);
}

QString UserGuide::markdown()
{
    initGuideResource();
    QFile guide(QStringLiteral(":/guide/guide.md"));
    if (!guide.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(guide.readAll());
}

void UserGuide::follow(const QUrl &link)
{
    if (link.scheme().startsWith(QLatin1String("http")))
        platform().browser->open(link);
    else if (link.hasFragment())
        m_browser->scrollToAnchor(link.fragment());
}

} // namespace Orvane
