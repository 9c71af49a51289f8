// The controls of the entry window: what it holds, where, and in which tab
// order (the tools page in EntryWindowToolsPage.cpp). The handlers are in
// EntryWindow.cpp.

#include "EntryWindow.h"

#include "EntryControls.h"
#include "EntryStyle.h"
#include "widgets/FilteredLineEdit.h"
#include "HintLine.h"
#include "OtherChooser.h"
#include "platform/AppInfo.h"

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

} // namespace

QString EntryWindow::nextCaption()
{
    return tr("&Next >>");
}

QString EntryWindow::backCaption()
{
    return tr("<< &Back");
}

void EntryWindow::buildControls()
{
    setWindowTitle(AppInfo::caption());
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);

    m_Frame1 = new QFrame(this);
    m_Frame1->setObjectName(QStringLiteral("Frame1"));
    m_Frame1->setFrameShape(QFrame::NoFrame);
    EntryStyle::apply(m_Frame1);
    outer->addWidget(m_Frame1);

    auto *row = new QHBoxLayout(m_Frame1);
    row->setContentsMargins(10, 10, 10, 10);
    row->setSpacing(12);
    row->addWidget(buildLeftPanel());

    m_pages = new QStackedWidget(m_Frame1);
    m_pages->setObjectName(QStringLiteral("pages"));
    m_fraCustomersDetails = buildCustomerPage();
    m_fraTools = buildToolsPage();
    m_fraNotes = buildNotesPage();
    m_pages->addWidget(m_fraCustomersDetails);
    m_pages->addWidget(m_fraTools);
    m_pages->addWidget(m_fraNotes);
    row->addWidget(m_pages, 1);
    m_pageFocus.setPages(m_pages);
    m_pageFocus.setFirstField(m_fraCustomersDetails, m_fields.txtName);
    m_pageFocus.setFirstField(m_fraTools, m_fields.tool->list());
    m_pageFocus.setFirstField(m_fraNotes, m_fields.txtNotes);

    // Left panel first, then each page top to bottom. The keyboard starts
    // on "Add New Record"; the hint line's link follows the panel's buttons.
    const EntryFields &f = m_fields;
    QWidget *order[] = {
        m_cmAddNewRecord, m_cmdViewAllrecords, m_cmdExit, m_hintLine->label1(),
        f.txtName, f.txtAddress, f.txtCity, f.txtState, f.txtPin, f.txtPhNo, f.txtEmail,
        f.txtLocationDowsingFor, m_cmdCustomersDetailsNext,
        f.tool->list(), f.tool->nameBox(), f.tool->okButton(), f.tool->cancelButton(),
        f.item->list(), f.item->nameBox(), f.item->okButton(), f.item->cancelButton(),
        f.cmbHour, f.cmbMinute, f.cmbAMPM, f.cmbMonth, f.cmbDate, f.cmbYear,
        m_cmdToolsBack, m_cmdToolsNext,
        f.txtNotes, m_cmdNotesBack, m_cmdadd,
    };
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    // As laid out: pages locked, pop-ups hidden.
    m_fraCustomersDetails->setEnabled(false);
    m_fraTools->setEnabled(false);
    m_fraNotes->setEnabled(false);

    for (QLineEdit *edit : m_Frame1->findChildren<QLineEdit *>()) {
        // A little room between the boxes' rims and their text.
        edit->setTextMargins(2, 0, 2, 0);
        // No length limit of their own: Qt's default would cut pasted text
        // at 32,767 characters without a word.
        edit->setMaxLength(std::numeric_limits<int>::max());
    }

    setFixedSize(sizeHint().expandedTo(kWindowSize));
}

QWidget *EntryWindow::buildLeftPanel()
{
    auto *panel = new QWidget(m_Frame1);
    panel->setObjectName(QStringLiteral("leftPanel"));
    auto *column = new QVBoxLayout(panel);
    column->setContentsMargins(0, 4, 0, 4);
    column->setSpacing(10);

    m_Label3 = EntryControls::label(tr(
            "Dowsing is one of the most ancient forms of divination and has been practised "
            "for around thousands of years, which detects things like underground water, "
            "hidden metal and treasures, oil, lost persons, etc. Orvane Dowsing is a "
            "divination software that allows you to keep a track of your different dowsing "
            "experiences in the form a dowsing diary. It helps you to know from a glance what "
            "customers you dowsed for, what were you trying to detect and other comments."),
                       QStringLiteral("Label3"), panel);
    m_Label10 = EntryControls::label(tr(
            "Just input your customer details  (his name, address, contact number and other "
            "additional notes) and enjoy your dowsing experience!"),
                        QStringLiteral("Label10"), panel);
    for (QLabel *label : {m_Label3, m_Label10}) {
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

    m_cmAddNewRecord = EntryControls::button(tr("Add New &Record"),
                                QStringLiteral("cmAddNewRecord"), panel);
    m_cmdViewAllrecords = EntryControls::button(tr("&View All Records"),
                                   QStringLiteral("cmdViewAllrecords"), panel);
    m_cmdExit = EntryControls::button(tr("&Exit"), QStringLiteral("cmdExit"), panel);
    for (QPushButton *button : {m_cmAddNewRecord, m_cmdViewAllrecords, m_cmdExit}) {
        button->setFixedWidth(kPanelButtonWidth);
        column->addWidget(button, 0, Qt::AlignHCenter);
    }
    column->addStretch(1);

    panel->setFixedWidth(qMax(kLeftPanelMinWidth, m_hintLine->sizeHint().width() + 10));
    return panel;
}

QGroupBox *EntryWindow::buildCustomerPage()
{
    QGroupBox *page = EntryControls::page(tr("Enter Customer's Details:-"),
                               QStringLiteral("fraCustomersDetails"), m_pages);
    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(9);

    m_fields.txtName = new FilteredLineEdit(FieldFilters::Rule::Alphabet, page);
    m_fields.txtAddress = makeMultiLine(QStringLiteral("txtAddress"), page);
    m_fields.txtCity = new FilteredLineEdit(FieldFilters::Rule::Alphabet, page);
    m_fields.txtState = new FilteredLineEdit(FieldFilters::Rule::Alphabet, page);
    m_fields.txtPin = new QLineEdit(page);
    m_fields.txtPhNo = new FilteredLineEdit(FieldFilters::Rule::Number, page);
    m_fields.txtEmail = new QLineEdit(page);
    m_fields.txtLocationDowsingFor = new FilteredLineEdit(FieldFilters::Rule::Alphabet, page);

    // Two lines high, with its scroll bar.
    const QFontMetrics metrics(EntryStyle::font());
    m_fields.txtAddress->setFixedHeight(2 * metrics.lineSpacing() + 14);

    struct Row
    {
        const char *caption;
        const char *labelName;
        QWidget *box;
        const char *boxName;
    };
    const Row rows[] = {
        {QT_TR_NOOP("Name:-"), "lblName", m_fields.txtName, "txtName"},
        {QT_TR_NOOP("Address:-"), "lblAddress", m_fields.txtAddress, "txtAddress"},
        {QT_TR_NOOP("City:-"), "lblCity", m_fields.txtCity, "txtCity"},
        {QT_TR_NOOP("State:-"), "lblState", m_fields.txtState, "txtState"},
        {QT_TR_NOOP("Pin Number:-"), "lblPin", m_fields.txtPin, "txtPin"},
        {QT_TR_NOOP("Phone Number:-"), "lblPhNo", m_fields.txtPhNo, "txtPhNo"},
        {QT_TR_NOOP("Email Address:-"), "lblEmail", m_fields.txtEmail, "txtEmail"},
        {QT_TR_NOOP("Location:-"), "lblLocation", m_fields.txtLocationDowsingFor, "txtLocationDowsingFor"},
    };
    int r = 0;
    for (const Row &row : rows) {
        QLabel *label = EntryControls::label(tr(row.caption),
                                             QString::fromLatin1(row.labelName), page);
        label->setBuddy(row.box);
        row.box->setObjectName(QString::fromLatin1(row.boxName));
        const bool multiLine = row.box == m_fields.txtAddress;
        grid->addWidget(label, r, 0,
                        Qt::AlignLeft | (multiLine ? Qt::AlignTop : Qt::AlignVCenter));
        grid->addWidget(row.box, r, 1);
        ++r;
    }
    grid->setColumnStretch(1, 1);

    m_cmdCustomersDetailsNext = EntryControls::button(nextCaption(),
                                         QStringLiteral("cmdCustomersDetailsNext"), page);

    auto *column = new QVBoxLayout(page);
    column->setContentsMargins(14, 16, 14, 12);
    column->addLayout(grid);
    column->addStretch(1);
    column->addLayout(EntryControls::buttonRow(m_cmdCustomersDetailsNext));
    return page;
}

QGroupBox *EntryWindow::buildNotesPage()
{
    QGroupBox *page = EntryControls::page(tr("Notes"), QStringLiteral("fraNotes"), m_pages);
    m_fields.txtNotes = makeMultiLine(QStringLiteral("txtNotes"), page);
    m_cmdNotesBack = EntryControls::button(backCaption(), QStringLiteral("cmdNotesBack"), page);
    m_cmdadd = EntryControls::button(addCaption(), QStringLiteral("cmdadd"), page);

    auto *column = new QVBoxLayout(page);
    column->setContentsMargins(14, 16, 14, 12);
    column->setSpacing(10);
    column->addWidget(m_fields.txtNotes, 1);
    column->addLayout(EntryControls::buttonRow(m_cmdNotesBack, m_cmdadd));
    return page;
}

void EntryWindow::buildMenus()
{
    m_menus = EntryMenus::build(this);
}

} // namespace Orvane
