#include "FindBar.h"

#include "widgets/AnnouncedLabel.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

namespace Orvane {

FindBar::FindBar(const QFont &labelFont, const QFont &countFont, QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("findBar"));
    setAccessibleName(tr("Find records"));

    m_lblCaption = new QLabel(this);
    m_lblCaption->setObjectName(QStringLiteral("lblFindCaption"));
    m_lblCaption->setFont(labelFont);
    m_lblCaption->setTextFormat(Qt::PlainText);
    m_lblCaption->hide();

    m_lblFind = new QLabel(tr("F&ind:"), this);
    m_lblFind->setObjectName(QStringLiteral("lblFind"));
    // Read out by what the box is for.
    const QString findName = tr("Find");
    m_lblFind->setAccessibleName(findName);
    m_lblFind->setFont(labelFont);

    m_txtFind = new QLineEdit(this);
    m_txtFind->setObjectName(QStringLiteral("txtFind"));
    m_txtFind->setAccessibleName(findName);
    m_txtFind->setAccessibleDescription(
            tr("Shows only the records holding this text in any field"));
    m_lblFind->setBuddy(m_txtFind);
    m_txtFind->installEventFilter(this);
    connect(m_txtFind, &QLineEdit::textChanged, this, &FindBar::textChanged);
    connect(m_txtFind, &QLineEdit::returnPressed, this, &FindBar::enterPressed);

    m_lblCount = new AnnouncedLabel(this);
    m_lblCount->setObjectName(QStringLiteral("lblFindCount"));
    m_lblCount->setFont(countFont);
    const QString sevenDigits = QStringLiteral("0000000");
    m_lblCount->setMinimumWidth(m_lblCount->fontMetrics().horizontalAdvance(
            countText(sevenDigits, sevenDigits)));

    m_cmdCloseFind = new QPushButton(tr("&Close"), this);
    m_cmdCloseFind->setObjectName(QStringLiteral("cmdCloseFind"));
    m_cmdCloseFind->setAccessibleName(tr("Close find"));
    m_cmdCloseFind->setAccessibleDescription(tr("Shows every record again"));
    m_cmdCloseFind->installEventFilter(this);
    connect(m_cmdCloseFind, &QPushButton::clicked, this, &FindBar::closeRequested);

    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 6);
    row->addWidget(m_lblCaption);
    row->addWidget(m_lblFind);
    row->addWidget(m_txtFind, 1);
    row->addSpacing(8);
    row->addWidget(m_lblCount);
    row->addWidget(m_cmdCloseFind);
}

QString FindBar::countText(const QString &shown, const QString &total)
{
    return tr("%1 of %2 records").arg(shown, total);
}

void FindBar::setTextQuietly(const QString &text)
{
    const QSignalBlocker blocker(this);
    m_txtFind->setText(text);
}

void FindBar::setCount(const QString &text, bool spoken)
{
    if (spoken)
        m_lblCount->announce(text);
    else
        m_lblCount->setText(text);
}

void FindBar::focusBox()
{
    m_txtFind->selectAll();
    m_txtFind->setFocus(Qt::ShortcutFocusReason);
}

void FindBar::setCaption(const QString &caption)
{
    m_lblCaption->setText(caption);
    m_lblCaption->setVisible(!caption.isEmpty());
    // Screen readers hear whose records the box finds in.
    m_txtFind->setAccessibleDescription(
            caption.isEmpty() ? tr("Shows only the records holding this text in any field")
                              : tr("Shows only the records of %1 holding this text in any field")
                                        .arg(caption));
}

QString FindBar::caption() const
{
    return m_lblCaption->text();
}

bool FindBar::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
        emit closeRequested();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace Orvane
