// The controls of the entry window: what it holds, where, and in which tab
// order. The handlers are in frmMain.cpp.

#include "frmMain.h"

#include "EntryStyle.h"
#include "FilteredLineEdit.h"
#include "HintLine.h"
#include "PanelGroup.h"
#include "Selectors.h"
#include "platform/AppInfo.h"
#include "shell/CaptionLabel.h"

#include <QAction>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

#include <limits>

namespace Orvane {

namespace {

// The window's fixed size; the frame's client area holds it comfortably.
const QSize kWindowSize(880, 520);
const int kLeftPanelMinWidth = 330;
const int kPanelButtonWidth = 190;

QLabel *makeLabel(const QString &text, const QString &name, QWidget *parent)
{
    auto *label = new CaptionLabel(text, parent);
    label->setObjectName(name);
    EntryStyle::apply(label);
    return label;
}

QPushButton *makeButton(const QString &caption, const QString &name, QWidget *parent)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

QComboBox *makeList(const QString &name, QWidget *parent)
{
    auto *combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->setEditable(false);
    return combo;
}

// An editable drop-down box whose value is its shown text: what the user
// types is never added to its entries, nor completed from them.
QComboBox *makeEditableList(const QString &name, const QStringList &entries, QWidget *parent)
{
    auto *combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setCompleter(nullptr);
    combo->addItems(entries);
    combo->setCurrentIndex(-1);
    return combo;
}

QPlainTextEdit *makeMultiLine(const QString &name, QWidget *parent)
{
    auto *edit = new QPlainTextEdit(parent);
    edit->setObjectName(name);
    edit->setTabChangesFocus(true);
    edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    edit->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    return edit;
}

QGroupBox *makePage(const QString &caption, const QString &name, QWidget *parent)
{
    auto *page = new PanelGroup(caption, parent);
    page->setObjectName(name);
    return page;
}

// Bottom-right button row of a page.
QHBoxLayout *buttonRow(QPushButton *first, QPushButton *second = nullptr)
{
    auto *row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(first);
    if (second)
        row->addWidget(second);
    return row;
}

} // namespace

void frmMain::buildControls()
{
    setWindowTitle(AppInfo::caption());
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);

    Frame1 = new QFrame(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setFrameShape(QFrame::NoFrame);
    EntryStyle::apply(Frame1);
    outer->addWidget(Frame1);

    auto *row = new QHBoxLayout(Frame1);
    row->setContentsMargins(10, 10, 10, 10);
    row->setSpacing(12);
    row->addWidget(buildLeftPanel());

    m_pages = new QStackedWidget(Frame1);
    m_pages->setObjectName(QStringLiteral("pages"));
    fraCustomersDetails = buildCustomerPage();
    fraTools = buildToolsPage();
    fraNotes = buildNotesPage();
    m_pages->addWidget(fraCustomersDetails);
    m_pages->addWidget(fraTools);
    m_pages->addWidget(fraNotes);
    row->addWidget(m_pages, 1);

    // Left panel first, then each page top to bottom. The keyboard starts
    // on "Add New Record"; the hint line's link follows the panel's buttons.
    QWidget *order[] = {
        cmAddNewRecord, cmdViewAllrecords, cmdExit, m_hintLine->label1(),
        txtName, txtAddress, txtCity, txtState, txtPin, txtPhNo, txtEmail,
        txtLocationDowsingFor, cmdCustomersDetailsNext,
        cmbDowsingTool, txtDowsingTool, cmdOk, cmdCancel,
        cmbItemDowsingFor, txtItemDowsing, cmdOkItemDowsing, cmdCancelItemDowsing,
        cmbHour, cmbMinute, cmbAMPM, cmbMonth, cmbDate, cmbYear, cmdToolsBack, cmdToolsNext,
        txtNotes, cmdNotesBack, cmdadd,
    };
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    // As laid out: pages locked, pop-ups hidden.
    fraCustomersDetails->setEnabled(false);
    fraTools->setEnabled(false);
    fraNotes->setEnabled(false);
    fraDowsingTool->hide();
    fraItemDowsing->hide();

    for (QLineEdit *edit : Frame1->findChildren<QLineEdit *>()) {
        // A little room between the boxes' rims and their text.
        edit->setTextMargins(2, 0, 2, 0);
        // No length limit of their own: Qt's default would cut pasted text
        // at 32,767 characters without a word.
        edit->setMaxLength(std::numeric_limits<int>::max());
    }

    setFixedSize(sizeHint().expandedTo(kWindowSize));
}

QWidget *frmMain::buildLeftPanel()
{
    auto *panel = new QWidget(Frame1);
    panel->setObjectName(QStringLiteral("leftPanel"));
    auto *column = new QVBoxLayout(panel);
    column->setContentsMargins(0, 4, 0, 4);
    column->setSpacing(10);

    Label3 = makeLabel(QStringLiteral(
            "Dowsing is one of the most ancient forms of divination and has been practised "
            "for around thousands of years, which detects things like underground water, "
            "hidden metal and treasures, oil, lost persons, etc. Orvane Dowsing is a "
            "divination software that allows you to keep a track of your different dowsing "
            "experiences in the form a dowsing diary. It helps you to know from a glance what "
            "customers you dowsed for, what were you trying to detect and other comments."),
                       QStringLiteral("Label3"), panel);
    Label10 = makeLabel(QStringLiteral(
            "Just input your customer details  (his name, address, contact number and other "
            "additional notes) and enjoy your dowsing experience!"),
                        QStringLiteral("Label10"), panel);
    for (QLabel *label : {Label3, Label10}) {
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        column->addWidget(label);
    }

    column->addSpacing(6);
    m_hintLine = new HintLine(panel);
    m_hintLine->setObjectName(QStringLiteral("hintLine"));
    EntryStyle::apply(m_hintLine->label1());
    EntryStyle::apply(m_hintLine->label20());
    column->addWidget(m_hintLine, 0, Qt::AlignHCenter);
    column->addSpacing(10);

    cmAddNewRecord = makeButton(QStringLiteral("Add New &Record"),
                                QStringLiteral("cmAddNewRecord"), panel);
    cmdViewAllrecords = makeButton(QStringLiteral("&View All Records"),
                                   QStringLiteral("cmdViewAllrecords"), panel);
    cmdExit = makeButton(QStringLiteral("&Exit"), QStringLiteral("cmdExit"), panel);
    for (QPushButton *button : {cmAddNewRecord, cmdViewAllrecords, cmdExit}) {
        button->setFixedWidth(kPanelButtonWidth);
        column->addWidget(button, 0, Qt::AlignHCenter);
    }
    column->addStretch(1);

    panel->setFixedWidth(qMax(kLeftPanelMinWidth, m_hintLine->sizeHint().width() + 10));
    return panel;
}

QGroupBox *frmMain::buildCustomerPage()
{
    QGroupBox *page = makePage(QStringLiteral("Enter Customer's Details:-"),
                               QStringLiteral("fraCustomersDetails"), m_pages);
    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(9);

    txtName = new FilteredLineEdit(FieldFilters::Rule::Alphabet, page);
    txtAddress = makeMultiLine(QStringLiteral("txtAddress"), page);
    txtCity = new FilteredLineEdit(FieldFilters::Rule::Alphabet, page);
    txtState = new FilteredLineEdit(FieldFilters::Rule::Alphabet, page);
    txtPin = new QLineEdit(page);
    txtPhNo = new FilteredLineEdit(FieldFilters::Rule::Number, page);
    txtEmail = new QLineEdit(page);
    txtLocationDowsingFor = new FilteredLineEdit(FieldFilters::Rule::Alphabet, page);

    // Two lines high, with its scroll bar.
    const QFontMetrics metrics(EntryStyle::font());
    txtAddress->setFixedHeight(2 * metrics.lineSpacing() + 14);

    struct Row
    {
        const char *caption;
        const char *labelName;
        QWidget *box;
        const char *boxName;
    };
    const Row rows[] = {
        {"Name:-", "lblName", txtName, "txtName"},
        {"Address:-", "lblAddress", txtAddress, "txtAddress"},
        {"City:-", "lblCity", txtCity, "txtCity"},
        {"State:-", "lblState", txtState, "txtState"},
        {"Pin Number:-", "lblPin", txtPin, "txtPin"},
        {"Phone Number:-", "lblPhNo", txtPhNo, "txtPhNo"},
        {"Email Address:-", "lblEmail", txtEmail, "txtEmail"},
        {"Location:-", "lblLocation", txtLocationDowsingFor, "txtLocationDowsingFor"},
    };
    int r = 0;
    for (const Row &row : rows) {
        QLabel *label = makeLabel(QString::fromLatin1(row.caption),
                                  QString::fromLatin1(row.labelName), page);
        label->setBuddy(row.box);
        row.box->setObjectName(QString::fromLatin1(row.boxName));
        const bool multiLine = row.box == txtAddress;
        grid->addWidget(label, r, 0,
                        Qt::AlignLeft | (multiLine ? Qt::AlignTop : Qt::AlignVCenter));
        grid->addWidget(row.box, r, 1);
        ++r;
    }
    grid->setColumnStretch(1, 1);

    cmdCustomersDetailsNext = makeButton(QStringLiteral("&Next >>"),
                                         QStringLiteral("cmdCustomersDetailsNext"), page);

    auto *column = new QVBoxLayout(page);
    column->setContentsMargins(14, 16, 14, 12);
    column->addLayout(grid);
    column->addStretch(1);
    column->addLayout(buttonRow(cmdCustomersDetailsNext));
    return page;
}

QGroupBox *frmMain::buildToolsPage()
{
    QGroupBox *page = makePage(QStringLiteral("Tools And Item Used For Dowsing:-"),
                               QStringLiteral("fraTools"), m_pages);

    auto *Frame2 = new PanelGroup(QStringLiteral("Dowsing Tool:-"), page);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    // Read out by its own caption, not the page's.
    Frame2->setAccessibleName(Frame2->title());
    buildToolChooser(Frame2);

    auto *Frame4 = new PanelGroup(QStringLiteral("Dowsing Item:-"), page);
    Frame4->setObjectName(QStringLiteral("Frame4"));
    Frame4->setAccessibleName(Frame4->title());
    buildItemChooser(Frame4);

    cmdToolsBack = makeButton(QStringLiteral("<< &Back"), QStringLiteral("cmdToolsBack"), page);
    cmdToolsNext = makeButton(QStringLiteral("&Next >>"), QStringLiteral("cmdToolsNext"), page);

    auto *column = new QVBoxLayout(page);
    column->setContentsMargins(14, 16, 14, 12);
    column->setSpacing(10);
    column->addWidget(Frame2);
    column->addWidget(Frame4);
    column->addWidget(buildTimeAndDate(page));
    column->addStretch(1);
    column->addLayout(buttonRow(cmdToolsBack, cmdToolsNext));
    return page;
}

// The green instruction line, then the tool list with its naming pop-up
// lying over it. The list is a child of the group, so a screen reader names
// it after the group's caption.
void frmMain::buildToolChooser(QGroupBox *Frame2)
{
    auto *grid = new QGridLayout(Frame2);
    grid->setContentsMargins(10, 12, 10, 8);
    QLabel *hint = makeLabel(QStringLiteral("Enter The Name of The Dowsing Tool"),
                             QStringLiteral("lblToolHint"), Frame2);

    cmbDowsingTool = makeEditableList(QStringLiteral("cmbDowsingTool"), Selectors::tools(),
                                      Frame2);
    cmbDowsingTool->setMinimumWidth(230);
    cmbDowsingTool->lineEdit()->setAccessibleName(QStringLiteral("Dowsing Tool"));
    hint->setBuddy(cmbDowsingTool);

    fraDowsingTool = new QFrame(Frame2);
    fraDowsingTool->setObjectName(QStringLiteral("fraDowsingTool"));
    EntryStyle::apply(fraDowsingTool);
    auto *popupRow = new QHBoxLayout(fraDowsingTool);
    popupRow->setContentsMargins(3, 3, 3, 3);
    txtDowsingTool = new QLineEdit(fraDowsingTool);
    txtDowsingTool->setObjectName(QStringLiteral("txtDowsingTool"));
    txtDowsingTool->setAccessibleName(QStringLiteral("Name Of The Dowsing Tool"));
    cmdOk = makeButton(QStringLiteral("&Ok"), QStringLiteral("cmdOk"), fraDowsingTool);
    cmdCancel = makeButton(QStringLiteral("&Cancel"), QStringLiteral("cmdCancel"),
                           fraDowsingTool);
    popupRow->addWidget(txtDowsingTool, 1);
    popupRow->addWidget(cmdOk);
    popupRow->addWidget(cmdCancel);

    QSizePolicy keep = fraDowsingTool->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    fraDowsingTool->setSizePolicy(keep);

    grid->addWidget(hint, 0, 0);
    grid->addWidget(cmbDowsingTool, 1, 0, Qt::AlignLeft | Qt::AlignVCenter);
    grid->addWidget(fraDowsingTool, 1, 0);
    fraDowsingTool->raise();
}

// The same for the item list and its pop-up.
void frmMain::buildItemChooser(QGroupBox *Frame4)
{
    auto *grid = new QGridLayout(Frame4);
    grid->setContentsMargins(10, 12, 10, 8);
    QLabel *hint = makeLabel(QStringLiteral("Enter The Name of The Dowsing Item"),
                             QStringLiteral("lblItemHint"), Frame4);

    cmbItemDowsingFor = makeEditableList(QStringLiteral("cmbItemDowsingFor"),
                                         Selectors::items(), Frame4);
    cmbItemDowsingFor->setMinimumWidth(230);
    cmbItemDowsingFor->lineEdit()->setAccessibleName(QStringLiteral("Dowsing Item"));
    hint->setBuddy(cmbItemDowsingFor);

    fraItemDowsing = new QFrame(Frame4);
    fraItemDowsing->setObjectName(QStringLiteral("fraItemDowsing"));
    EntryStyle::apply(fraItemDowsing);
    auto *popupRow = new QHBoxLayout(fraItemDowsing);
    popupRow->setContentsMargins(3, 3, 3, 3);
    txtItemDowsing = new QLineEdit(fraItemDowsing);
    txtItemDowsing->setObjectName(QStringLiteral("txtItemDowsing"));
    txtItemDowsing->setAccessibleName(QStringLiteral("Name Of The Dowsing Item"));
    cmdOkItemDowsing = makeButton(QStringLiteral("&Ok"), QStringLiteral("cmdOkItemDowsing"),
                                  fraItemDowsing);
    cmdCancelItemDowsing = makeButton(QStringLiteral("&Cancel"),
                                      QStringLiteral("cmdCancelItemDowsing"), fraItemDowsing);
    popupRow->addWidget(txtItemDowsing, 1);
    popupRow->addWidget(cmdOkItemDowsing);
    popupRow->addWidget(cmdCancelItemDowsing);

    QSizePolicy keep = fraItemDowsing->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    fraItemDowsing->setSizePolicy(keep);

    grid->addWidget(hint, 0, 0);
    grid->addWidget(cmbItemDowsingFor, 1, 0, Qt::AlignLeft | Qt::AlignVCenter);
    grid->addWidget(fraItemDowsing, 1, 0);
    fraItemDowsing->raise();
}

QWidget *frmMain::buildTimeAndDate(QWidget *parent)
{
    auto *Frame5 = new PanelGroup(parent);
    Frame5->setObjectName(QStringLiteral("Frame5"));
    auto *grid = new QGridLayout(Frame5);
    grid->setContentsMargins(10, 8, 10, 10);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(10);

    cmbHour = makeList(QStringLiteral("cmbHour"), Frame5);
    cmbMinute = makeList(QStringLiteral("cmbMinute"), Frame5);
    cmbAMPM = makeList(QStringLiteral("cmbAMPM"), Frame5);
    cmbAMPM->addItems(Selectors::amPm());
    cmbMonth = makeList(QStringLiteral("cmbMonth"), Frame5);
    cmbDate = makeList(QStringLiteral("cmbDate"), Frame5);
    cmbYear = makeList(QStringLiteral("cmbYear"), Frame5);

    // The lists are filled at load and sized to their entries when first
    // measured; never narrower than their longest entry needs.
    cmbHour->setMinimumContentsLength(2);
    cmbMinute->setMinimumContentsLength(2);
    cmbAMPM->setMinimumContentsLength(2);
    cmbMonth->setMinimumContentsLength(9);
    cmbDate->setMinimumContentsLength(2);
    cmbYear->setMinimumContentsLength(4);

    // Each caption names the list after it for screen readers.
    auto caption = [Frame5](const char *text, const char *name, QComboBox *list) {
        QLabel *label = makeLabel(QString::fromLatin1(text), QString::fromLatin1(name), Frame5);
        label->setBuddy(list);
        return label;
    };
    // The AM/PM list has no caption on screen; this one is only read out.
    caption("AM/PM", "lblAMPM", cmbAMPM)->hide();

    auto *timeRow = new QHBoxLayout;
    timeRow->setSpacing(6);
    timeRow->addWidget(caption("Hour", "lblHour", cmbHour));
    timeRow->addWidget(cmbHour);
    timeRow->addSpacing(8);
    timeRow->addWidget(caption("Minute", "lblMinute", cmbMinute));
    timeRow->addWidget(cmbMinute);
    timeRow->addSpacing(8);
    timeRow->addWidget(cmbAMPM);
    timeRow->addStretch(1);

    auto *dateRow = new QHBoxLayout;
    dateRow->setSpacing(6);
    dateRow->addWidget(caption("Month", "lblMonth", cmbMonth));
    dateRow->addWidget(cmbMonth);
    dateRow->addSpacing(8);
    dateRow->addWidget(caption("Date", "lblDate", cmbDate));
    dateRow->addWidget(cmbDate);
    dateRow->addSpacing(8);
    dateRow->addWidget(caption("Year", "lblYear", cmbYear));
    dateRow->addWidget(cmbYear);
    dateRow->addStretch(1);

    grid->addWidget(caption("Dowsing Time:-", "lblDowsingTime", cmbHour), 0, 0);
    grid->addLayout(timeRow, 0, 1);
    grid->addWidget(caption("Dowsing Date:-", "lblDowsingDate", cmbMonth), 1, 0);
    grid->addLayout(dateRow, 1, 1);
    grid->setColumnStretch(1, 1);
    return Frame5;
}

QGroupBox *frmMain::buildNotesPage()
{
    QGroupBox *page = makePage(QStringLiteral("Notes"), QStringLiteral("fraNotes"), m_pages);
    txtNotes = makeMultiLine(QStringLiteral("txtNotes"), page);
    cmdNotesBack = makeButton(QStringLiteral("<< &Back"), QStringLiteral("cmdNotesBack"), page);
    cmdadd = makeButton(QStringLiteral("&Add"), QStringLiteral("cmdadd"), page);

    auto *column = new QVBoxLayout(page);
    column->setContentsMargins(14, 16, 14, 12);
    column->setSpacing(10);
    column->addWidget(txtNotes, 1);
    column->addLayout(buttonRow(cmdNotesBack, cmdadd));
    return page;
}

void frmMain::buildMenus()
{
    m_menus = EntryMenus::build(this);
}

} // namespace Orvane
