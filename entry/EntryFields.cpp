#include "EntryFields.h"

#include "OtherChooser.h"
#include "Selectors.h"
#include "widgets/FilteredLineEdit.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace Orvane {

namespace {

// Selects the entry whose text is exactly this; leaves the list as it was
// when there is none.
void selectText(QComboBox *combo, const QString &text)
{
    const int index = combo->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index >= 0)
        combo->setCurrentIndex(index);
}

// Selects entry number-1 when the text is a number from 1 to the list's
// length; otherwise leaves the list as it was.
void selectNumbered(QComboBox *combo, const QString &text)
{
    const auto number = Selectors::numberIn(text);
    if (number && *number >= 1 && *number <= combo->count())
        combo->setCurrentIndex(*number - 1);
}

} // namespace

void EntryFields::fillSelectors()
{
    for (QComboBox *list : {cmbHour, cmbMinute, cmbMonth, cmbDate, cmbYear})
        list->clear();
    cmbHour->addItems(Selectors::hours());
    cmbMinute->addItems(Selectors::minutes());
    cmbMonth->addItems(Selectors::months());
    cmbDate->addItems(Selectors::days());
    cmbYear->addItems(Selectors::years());
}

void EntryFields::selectFirstEntries()
{
    cmbMonth->setCurrentIndex(0);
    cmbDate->setCurrentIndex(0);
    cmbYear->setCurrentIndex(0);
    cmbHour->setCurrentIndex(0);
    cmbMinute->setCurrentIndex(0);
    tool->select(0);
    item->select(0);
    cmbAMPM->setCurrentIndex(0);
}

void EntryFields::clear()
{
    dropStoredValues();
    cmbDate->setCurrentIndex(0);
    cmbMonth->setCurrentIndex(0);
    cmbYear->setCurrentIndex(0);
    for (QLineEdit *box : {static_cast<QLineEdit *>(txtName), static_cast<QLineEdit *>(txtCity),
                           static_cast<QLineEdit *>(txtState), txtPin,
                           static_cast<QLineEdit *>(txtPhNo), txtEmail})
        box->clear();
    txtAddress->clear();
    cmbHour->setCurrentIndex(0);
    cmbMinute->setCurrentIndex(0);
    tool->select(0);
    item->select(0);
    txtLocationDowsingFor->clear();
    txtNotes->clear();
}

QVector<EntryFields::TextBox> EntryFields::textBoxes() const
{
    return {{&DowsingRecord::Name, txtName, nullptr},
            {&DowsingRecord::Address, nullptr, txtAddress},
            {&DowsingRecord::City, txtCity, nullptr},
            {&DowsingRecord::State, txtState, nullptr},
            {&DowsingRecord::Pin, txtPin, nullptr},
            {&DowsingRecord::Phone_No, txtPhNo, nullptr},
            {&DowsingRecord::Email, txtEmail, nullptr},
            {&DowsingRecord::Location_Dowsing_Occured, txtLocationDowsingFor, nullptr},
            {&DowsingRecord::Notes, nullptr, txtNotes}};
}

DowsingRecord EntryFields::record() const
{
    DowsingRecord r;
    r.Date = Selectors::composeDate(cmbMonth->currentIndex() + 1, cmbDate->currentText(),
                                    cmbYear->currentText());
    for (const TextBox &box : textBoxes())
        r.*box.member = box.line ? box.line->text() : box.lines->toPlainText();
    r.Time_Dowsing_Occured = Selectors::composeTime(cmbHour->currentText(),
                                                    cmbMinute->currentText());
    r.Dowsing_Tool = tool->list()->currentText();
    r.Item_Dowsing_For = item->list()->currentText();
    return r;
}

void EntryFields::show(const DowsingRecord &record, const QString &dateText,
                       const QString &timeText)
{
    const Selectors::DateParts date = Selectors::splitListedDate(dateText);
    selectNumbered(cmbMonth, date.month);
    const Selectors::TimeParts time = Selectors::splitListedTime(timeText);
    selectNumbered(cmbDate, date.day);
    selectText(cmbYear, date.year);
    selectText(cmbHour, time.hour);
    selectText(cmbMinute, time.minute);

    // Put in as stored: the typing filters do not apply.
    for (const TextBox &box : textBoxes()) {
        if (box.line)
            box.line->setText(record.*box.member);
        else
            box.lines->setPlainText(record.*box.member);
    }
    tool->list()->setEditText(record.Dowsing_Tool);
    item->list()->setEditText(record.Item_Dowsing_For);

    cmbAMPM->setCurrentIndex(cmbHour->currentIndex() >= Selectors::kFirstPmHourIndex ? 1 : 0);
}

QStringList EntryFields::texts() const
{
    const DowsingRecord r = record();
    QStringList texts = dateSelection();
    for (const DowsingRecord::Field &field : DowsingRecord::textFields())
        texts.append(r.*field.member);
    return texts;
}

QStringList EntryFields::dateSelection() const
{
    return {cmbMonth->currentText(), cmbDate->currentText(), cmbYear->currentText()};
}

QStringList EntryFields::timeSelection() const
{
    return {cmbHour->currentText(), cmbMinute->currentText()};
}

QString EntryFields::listedDate() const
{
    return QStringLiteral("%1/%2/%3")
            .arg(cmbMonth->currentIndex() + 1)
            .arg(cmbDate->currentText(), cmbYear->currentText());
}

QString EntryFields::listedTime() const
{
    return Selectors::composeTime(cmbHour->currentText(), cmbMinute->currentText());
}

void EntryFields::offerStoredValues(const QString &dateText, const QString &timeText)
{
    const Selectors::DateParts date = Selectors::splitListedDate(dateText);
    if (!date.year.isEmpty())
        offerStoredValue(cmbYear, date.year);
    const Selectors::TimeParts time = Selectors::splitListedTime(timeText);
    offerStoredValue(cmbHour, time.hour);
    offerStoredValue(cmbMinute, time.minute);
}

void EntryFields::offerStoredValue(QComboBox *list, const QString &text)
{
    if (list->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive) >= 0)
        return;
    // Years keep their order; an odd hour or minute goes last.
    int at = list->count();
    const auto number = Selectors::numberIn(text);
    const auto first = Selectors::numberIn(list->itemText(0));
    if (list == cmbYear && number && first && *number < *first)
        at = 0;
    list->insertItem(at, text);
    m_storedValueEntries.append({list, at});
}

void EntryFields::dropStoredValues()
{
    // Latest first, so that each recorded position is still right.
    while (!m_storedValueEntries.isEmpty()) {
        const auto [list, at] = m_storedValueEntries.takeLast();
        list->removeItem(at);
    }
}

} // namespace Orvane
