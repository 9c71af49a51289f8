#include "RecordViewWindow.h"

#include "RecordReport.h"
#include "ReportExport.h"

#include "platform/MessageBoxes.h"
#include "platform/Platform.h"
#include "store/RecordDifference.h"
#include "store/RecordStore.h"
#include "store/ShownText.h"
#include "widgets/Refusals.h"
#include "widgets/SharedTexts.h"

#include <QClipboard>
#include <QEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLocale>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

namespace Orvane {

namespace {

// The least room the report keeps on a small screen.
const QSize kSmallestReport(320, 200);

MessageBoxes::Answer say(QWidget *parent, const QString &text, MessageBoxes::Icon icon,
                         MessageBoxes::Buttons buttons = MessageBoxes::Buttons::Ok)
{
    return platform().messages->show(parent, text, icon, buttons);
}

} // namespace

RecordViewWindow::RecordViewWindow(QWidget *parent)
    : MdiChild(parent)
{
    setObjectName(QStringLiteral("frmSave"));

    m_RTB = new QTextEdit(this);
    m_RTB->setObjectName(QStringLiteral("RTB"));
    // What is typed here would reach neither the database nor the record
    // the buttons act on, so the report is for reading only.
    m_RTB->setReadOnly(true);
    // Read-only, but the keyboard still moves through the report and
    // selects part of it (for printing the selection), and a screen reader
    // follows the caret.
    m_RTB->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_RTB->setAccessibleName(tr("Dowsing Record Report"));
    m_RTB->setUndoRedoEnabled(false);
    m_RTB->setAcceptRichText(false);
    QFont font(QStringLiteral("Verdana"));
    font.setPointSizeF(9.75);
    m_RTB->setFont(font);
    m_RTB->document()->setDefaultFont(font);
    // The report's size where the screen has room; see below for less.
    m_RTB->setMinimumSize(720, 400);
    m_RTB->viewport()->setMouseTracking(true);
    m_RTB->viewport()->installEventFilter(this);
    connect(m_RTB, &QTextEdit::textChanged, this, &RecordViewWindow::emptyClipboard);

    auto makeButton = [this](const char *name, const QString &caption) {
        auto *button = new QPushButton(caption, this);
        button->setObjectName(QLatin1String(name));
        return button;
    };
    m_cmddelete = makeButton("cmddelete", tr("&Delete This Dowsing Record"));
    m_cmdedit = makeButton("cmdedit", tr("&Edit This Dowsing Record"));
    m_cmdSave = makeButton("cmdSave", tr("&Save"));
    m_cmdPrint = makeButton("cmdPrint", tr("&Print"));
    m_cmdBack = makeButton("cmdBack", SharedTexts::back());
    connect(m_cmddelete, &QPushButton::clicked, this, [this] { deleteRecord(); });
    connect(m_cmdedit, &QPushButton::clicked, this, [this] { editRecord(); });
    connect(m_cmdSave, &QPushButton::clicked, this, [this] { saveReport(); });
    connect(m_cmdPrint, &QPushButton::clicked, this, [this] { printReport(); });
    connect(m_cmdBack, &QPushButton::clicked, this, [this] { goBack(); });

    // Five buttons of one size in a row under the report.
    const QList<QPushButton *> buttons = {m_cmddelete, m_cmdedit, m_cmdSave, m_cmdPrint,
                                          m_cmdBack};
    int width = 0;
    for (QPushButton *button : buttons)
        width = std::max(width, button->sizeHint().width());
    // Room on both sides of the longest caption.
    width += 16;
    auto *row = new QHBoxLayout;
    for (QPushButton *button : buttons) {
        button->setFixedWidth(width);
        row->addWidget(button);
    }

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(m_RTB, 1);
    layout->addSpacing(4);
    layout->addLayout(row);

    // Where the frame has room, the window comes up at this size. On a
    // smaller screen (1024 x 768 leaves the frame's area narrower than it)
    // the report and the buttons give way, each button down to its own
    // caption, so that every control shows without scrolling.
    m_fullSize = QWidget::sizeHint();
    m_RTB->setMinimumSize(kSmallestReport);
    for (QPushButton *button : buttons) {
        button->setMinimumWidth(button->sizeHint().width());
        button->setMaximumWidth(width);
    }
}

QSize RecordViewWindow::sizeHint() const
{
    return m_fullSize.expandedTo(minimumSizeHint());
}

RecordViewWindow::~RecordViewWindow() = default;

void RecordViewWindow::showReport(const DowsingRecord &record, const SelectedRecord &chosen)
{
    m_chosen = chosen;
    m_shown = record;
    m_shown.IdNumber = chosen.idNumber;
    RecordReport::write(m_RTB, record);
}

void RecordViewWindow::showChangedRecord(const DowsingRecord &now, const QString &consequence)
{
    say(this,
        tr("%1, %2.\r\r%3\rIt Is Shown Again As It Is Stored Now.",
           "%1: that another program changed the record, %2: what follows, %3: the changes")
                .arg(RecordDifference::changedHeading(), consequence,
                     RecordDifference::describe(m_shown, now)),
        MessageBoxes::Icon::Information);
    SelectedRecord chosen = m_chosen;
    chosen.choose(now.listedDateText(), now.Time_Dowsing_Occured,
                  m_chosen.idNumber);
    showReport(now, chosen);
    emit changedElsewhere();
}

void RecordViewWindow::goBack()
{
    emit backRequested();
}

bool RecordViewWindow::openViewRecords()
{
    m_viewRecords = std::make_unique<RecordStore>();
    if (m_viewRecords->open(RecordStore::databasePath(platform().dataFolder))
        == RecordStore::OpenResult::Opened)
        return true;
    Refusals::show(this, Refusals::recordsNotOpened(m_viewRecords->errorText()));
    return false;
}

void RecordViewWindow::editRecord()
{
    if (!openViewRecords())
        return;
    QString problem;
    MessageBoxes::Icon icon = MessageBoxes::Icon::None;
    const auto record = readChosenRecord(&problem, &icon);
    if (!record)
        emit editRefused(problem, icon);
    else if (!record->sameFields(m_shown))
        // What the user would edit is not what the report showed.
        showChangedRecord(*record, tr("So It Is Not Put Up For Editing"));
    else if (const QString tooLong = textTooLongForTheForm(*record); !tooLong.isEmpty())
        say(this, tooLong, MessageBoxes::Icon::Information);
    else
        emit editRequested(*record, m_chosen.dateText, m_chosen.timeText);
}

QString RecordViewWindow::textTooLongForTheForm(const DowsingRecord &record)
{
    // The form's boxes lay out their text as the report does: what the
    // report cannot show whole, the form could only hold cut, and an
    // update would write the cut text back.
    for (const DowsingRecord::TextField &field : DowsingRecord::textFields()) {
        const QString &text = record.*field.member;
        if (ShownText::shownLength(text) == text.size())
            continue;
        const QLocale locale;
        const QString what = text.size() > ShownText::kMostShown
                ? tr("The %1 of this record hold %2 characters, more than the entry form can "
                     "show (%3).",
                     "%1: the field's heading")
                          .arg(DowsingRecord::shownHeading(field), locale.toString(text.size()),
                               locale.toString(ShownText::kMostShown))
                : tr("The %1 of this record hold a line of more than %2 characters without a "
                     "space or other place to break it, more than the entry form can show.",
                     "%1: the field's heading")
                          .arg(DowsingRecord::shownHeading(field),
                               locale.toString(ShownText::kLongestRun));
        return what
                + tr("\rSo the record is not put up for editing, which would cut them. The report "
                     "shows their start; Save and Print give them whole.");
    }
    return {};
}

// The chosen record, read afresh; nullopt with the message that says why
// when there is none to edit.
std::optional<DowsingRecord> RecordViewWindow::readChosenRecord(QString *problem,
                                                       MessageBoxes::Icon *icon)
{
    *icon = MessageBoxes::Icon::Critical;
    const qint64 count = m_viewRecords->count();
    if (count < 0) {
        *problem = Refusals::recordsNotRead(m_viewRecords->errorText());
        return std::nullopt;
    }
    if (count == 0) {
        *problem = tr("There Is No Record to Edit");
        *icon = MessageBoxes::Icon::None;
        return std::nullopt;
    }
    auto record = m_viewRecords->find(m_chosen.idNumber);
    if (record)
        return record;
    if (!m_viewRecords->errorText().isEmpty()) {
        *problem = Refusals::recordNotRead(m_viewRecords->errorText());
    } else {
        *problem = tr("Sorry The Given Record Is Not Found");
        *icon = MessageBoxes::Icon::None;
    }
    return std::nullopt;
}

void RecordViewWindow::deleteRecord()
{
    if (!openViewRecords())
        return;

    const qint64 count = m_viewRecords->count();
    if (count < 0) {
        Refusals::show(this, Refusals::recordsNotRead(m_viewRecords->errorText()));
        return;
    }
    if (count == 0) {
        say(this, tr("There Is No Record to Delete"), MessageBoxes::Icon::None);
    } else {
        if (say(this, tr("Do You Really Want To Delete This Record ?"),
                MessageBoxes::Icon::None, MessageBoxes::Buttons::YesNo)
            != MessageBoxes::Answer::Yes)
            return;
        // The record is found by its key, and removed only while it holds
        // what the report shows: a key alone could name another record once
        // another program changed the file. A copy stays in the file, for
        // File > Undo Delete in the list and the Deleted Records window.
        switch (m_viewRecords->remove(m_shown, platform().clock->now())) {
        case RecordStore::ChangeResult::Done:
            say(this, m_viewRecords->withNotice(tr("Record Deleted Succesfully !")),
                MessageBoxes::Icon::Information);
            if (const std::optional<DeletedRecord> &kept = m_viewRecords->lastKept())
                emit recordDeleted(*kept);
            break;
        case RecordStore::ChangeResult::ChangedElsewhere:
            showChangedRecord(*m_viewRecords->storedNow(), tr("So It Was Not Deleted"));
            return;
        case RecordStore::ChangeResult::Gone:
            say(this, tr("This Record Is No Longer In The File: Another Program Removed It."),
                MessageBoxes::Icon::Information);
            break;
        case RecordStore::ChangeResult::Failed:
            Refusals::show(this, Refusals::recordNotDeleted(m_viewRecords->errorText()));
            break;
        }
    }

    emit deleteDone();
}

void RecordViewWindow::printReport()
{
    ReportExport::printReport(this, *m_RTB, RecordReport::entries(m_shown));
}

void RecordViewWindow::saveReport()
{
    ReportExport::saveReport(this, *m_RTB, RecordReport::entries(m_shown));
}

bool RecordViewWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_RTB->viewport()) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::MouseButtonRelease:
            emptyClipboard();
            break;
        default:
            break;
        }
    }
    return MdiChild::eventFilter(watched, event);
}

void RecordViewWindow::emptyClipboard()
{
    if (QClipboard *clipboard = QGuiApplication::clipboard())
        clipboard->clear();
}

} // namespace Orvane
