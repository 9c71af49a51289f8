#include "HintLine.h"

#include "widgets/LinkLabel.h"

#include <QEvent>
#include <QLabel>

namespace Orvane {

namespace {
const int kBlanks = 34;

QString blanks()
{
    return QString(kBlanks, QLatin1Char(' '));
}
} // namespace

QString HintLine::lineWithPlace()
{
    return tr("Click On%1To  Enter New Customer Details",
              "%1: a run of blanks, over which the words Add New Record lie");
}

QString HintLine::label1Text()
{
    return lineWithPlace().arg(blanks());
}

QString HintLine::label20Text()
{
    return tr("Add New Record");
}

HintLine::HintLine(QWidget *parent)
    : QWidget(parent)
{
    const QString line = lineWithPlace();
    m_wordsBefore = line.left(line.indexOf(QLatin1String("%1")));
    auto *link = new LinkLabel(label1Text(), this);
    m_label1 = link;
    m_label1->setObjectName(QStringLiteral("Label1"));
    m_label1->setWordWrap(false);
    m_label1->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // The link is the only road to its page: Tab reaches it, Enter or Space
    // opens it, and a screen reader reads the line as it is seen, with
    // Label20's words in place of the blanks.
    link->setFocusPolicy(Qt::TabFocus);
    link->setAccessibleName(
            line.arg(QLatin1Char(' ') + label20Text() + QLatin1Char(' ')).simplified());
    connect(link, &LinkLabel::clicked, this, &HintLine::label1Clicked);
    m_label1->installEventFilter(this);

    // A sibling over Label1, not a child of it: a click on it reaches
    // neither label.
    m_label20 = new QLabel(label20Text(), this);
    m_label20->setObjectName(QStringLiteral("Label20"));
    m_label20->setWordWrap(false);
    m_label20->setAlignment(Qt::AlignCenter);
    m_label20->setAttribute(Qt::WA_NoMousePropagation);
    m_label20->raise();
}

QSize HintLine::sizeHint() const
{
    m_label1->ensurePolished();
    return m_label1->sizeHint();
}

QSize HintLine::minimumSizeHint() const
{
    return sizeHint();
}

bool HintLine::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_label1
        && (event->type() == QEvent::FontChange || event->type() == QEvent::Polish))
        placeLabels();
    return QWidget::eventFilter(watched, event);
}

void HintLine::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    placeLabels();
}

void HintLine::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        placeLabels();
}

void HintLine::placeLabels()
{
    m_label1->ensurePolished();
    m_label20->ensurePolished();
    m_label1->setGeometry(rect());

    // Label20 is centred over the run of blanks that follows "Click On".
    const QFontMetrics metrics = m_label1->fontMetrics();
    const int blanksStart = m_label1->contentsRect().left()
            + metrics.horizontalAdvance(m_wordsBefore);
    const int blanksWidth = metrics.horizontalAdvance(blanks());
    const QSize size = m_label20->sizeHint();
    const int x = blanksStart + (blanksWidth - size.width()) / 2;
    const int y = (height() - size.height()) / 2;
    m_label20->setGeometry(x, y, size.width(), size.height());
}

} // namespace Orvane
