// The entry window's tools page: the tool and the item, each with its pop-up
// for naming one the list lacks, and the time and date of the dowsing.

#include "EntryWindow.h"

#include "EntryControls.h"
#include "EntryStyle.h"
#include "OtherChooser.h"
#include "Selectors.h"
#include "widgets/PanelGroup.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace Orvane {

QGroupBox *EntryWindow::buildToolsPage()
{
    QGroupBox *page = EntryControls::page(tr("Tools And Item Used For Dowsing:-"),
                                          QStringLiteral("fraTools"), m_pages);
    // The lists are called by the fields they fill.
    using F = DowsingRecord::FieldId;
    const auto fieldName = [](F id) {
        return DowsingRecord::shownHeading(DowsingRecord::field(id));
    };

    auto *Frame2 = new PanelGroup(tr("Dowsing Tool:-"), EntryStyle::rimColour(), page);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    // Read out by its own caption, not the page's.
    Frame2->setAccessibleName(Frame2->title());
    m_fields.tool = new OtherChooser(
            Frame2, Selectors::tools(), Selectors::kOtherToolIndex,
            {QStringLiteral("lblToolHint"), QStringLiteral("cmbDowsingTool"),
             QStringLiteral("fraDowsingTool"), QStringLiteral("txtDowsingTool"),
             QStringLiteral("cmdOk"), QStringLiteral("cmdCancel"),
             tr("Enter The Name of The Dowsing Tool"), fieldName(F::Dowsing_Tool),
             tr("Name Of The Dowsing Tool"), tr("Please Enter Dowsing Tool !")},
            this);

    auto *Frame4 = new PanelGroup(tr("Dowsing Item:-"), EntryStyle::rimColour(), page);
    Frame4->setObjectName(QStringLiteral("Frame4"));
    Frame4->setAccessibleName(Frame4->title());
    m_fields.item = new OtherChooser(
            Frame4, Selectors::items(), Selectors::kOtherItemIndex,
            {QStringLiteral("lblItemHint"), QStringLiteral("cmbItemDowsingFor"),
             QStringLiteral("fraItemDowsing"), QStringLiteral("txtItemDowsing"),
             QStringLiteral("cmdOkItemDowsing"), QStringLiteral("cmdCancelItemDowsing"),
             tr("Enter The Name of The Dowsing Item"), fieldName(F::Item_Dowsing_For),
             tr("Name Of The Dowsing Item"), tr("Please Enter Dowsing Item !")},
            this);

    m_cmdToolsBack = EntryControls::button(backCaption(), QStringLiteral("cmdToolsBack"), page);
    m_cmdToolsNext = EntryControls::button(nextCaption(), QStringLiteral("cmdToolsNext"), page);

    auto *column = new QVBoxLayout(page);
    column->setContentsMargins(14, 16, 14, 12);
    column->setSpacing(10);
    column->addWidget(Frame2);
    column->addWidget(Frame4);
    column->addWidget(buildTimeAndDate(page));
    column->addStretch(1);
    column->addLayout(EntryControls::buttonRow(m_cmdToolsBack, m_cmdToolsNext));
    return page;
}

// The time and the date of the dowsing, each list after the caption that
// leads to it.
QWidget *EntryWindow::buildTimeAndDate(QWidget *parent)
{
    auto *Frame5 = new PanelGroup(QString(), EntryStyle::rimColour(), parent);
    Frame5->setObjectName(QStringLiteral("Frame5"));
    auto *grid = new QGridLayout(Frame5);
    grid->setContentsMargins(10, 8, 10, 10);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(10);

    m_fields.cmbHour = EntryControls::list(QStringLiteral("cmbHour"), Frame5);
    m_fields.cmbMinute = EntryControls::list(QStringLiteral("cmbMinute"), Frame5);
    m_fields.cmbAMPM = EntryControls::list(QStringLiteral("cmbAMPM"), Frame5);
    m_fields.cmbAMPM->addItems(Selectors::amPm());
    m_fields.cmbMonth = EntryControls::list(QStringLiteral("cmbMonth"), Frame5);
    m_fields.cmbDate = EntryControls::list(QStringLiteral("cmbDate"), Frame5);
    m_fields.cmbYear = EntryControls::list(QStringLiteral("cmbYear"), Frame5);

    // The lists are filled at load and sized to their entries when first
    // measured; never narrower than their longest entry needs.
    m_fields.cmbHour->setMinimumContentsLength(2);
    m_fields.cmbMinute->setMinimumContentsLength(2);
    m_fields.cmbAMPM->setMinimumContentsLength(2);
    m_fields.cmbMonth->setMinimumContentsLength(9);
    m_fields.cmbDate->setMinimumContentsLength(2);
    m_fields.cmbYear->setMinimumContentsLength(4);

    // Each caption leads to its list: its access key gives the list the
    // keyboard, and a screen reader calls the list by the caption's words
    // (the list's own name, so that "Hour" and "Minute" are never both
    // heard as "00").
    auto caption = [Frame5](const char *text, const char *name, QComboBox *list) {
        const QString shown = tr(text);
        QLabel *label = EntryControls::label(shown, QString::fromLatin1(name), Frame5);
        label->setBuddy(list);
        if (list->accessibleName().isEmpty())
            list->setAccessibleName(QString(shown).remove(QLatin1Char('&')));
        return label;
    };
    // The AM/PM list has no caption on screen; this one is only read out.
    caption(QT_TR_NOOP("AM or PM"), "lblAMPM", m_fields.cmbAMPM)->hide();

    auto *timeRow = new QHBoxLayout;
    timeRow->setSpacing(6);
    timeRow->addWidget(caption(QT_TR_NOOP("Ho&ur"), "lblHour", m_fields.cmbHour));
    timeRow->addWidget(m_fields.cmbHour);
    timeRow->addSpacing(8);
    timeRow->addWidget(caption(QT_TR_NOOP("M&inute"), "lblMinute", m_fields.cmbMinute));
    timeRow->addWidget(m_fields.cmbMinute);
    timeRow->addSpacing(8);
    timeRow->addWidget(m_fields.cmbAMPM);
    timeRow->addStretch(1);

    auto *dateRow = new QHBoxLayout;
    dateRow->setSpacing(6);
    dateRow->addWidget(caption(QT_TR_NOOP("&Month"), "lblMonth", m_fields.cmbMonth));
    dateRow->addWidget(m_fields.cmbMonth);
    dateRow->addSpacing(8);
    dateRow->addWidget(caption(QT_TR_NOOP("&Date"), "lblDate", m_fields.cmbDate));
    dateRow->addWidget(m_fields.cmbDate);
    dateRow->addSpacing(8);
    dateRow->addWidget(caption(QT_TR_NOOP("&Year"), "lblYear", m_fields.cmbYear));
    dateRow->addWidget(m_fields.cmbYear);
    dateRow->addStretch(1);

    grid->addWidget(caption(QT_TR_NOOP("Dowsing Time:-"), "lblDowsingTime", m_fields.cmbHour), 0, 0);
    grid->addLayout(timeRow, 0, 1);
    grid->addWidget(caption(QT_TR_NOOP("Dowsing Date:-"), "lblDowsingDate", m_fields.cmbMonth), 1, 0);
    grid->addLayout(dateRow, 1, 1);
    grid->setColumnStretch(1, 1);
    return Frame5;
}

} // namespace Orvane
