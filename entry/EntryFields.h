#pragma once

#include "store/DowsingRecord.h"

#include <QList>
#include <QPair>
#include <QStringList>
#include <QVector>

class QComboBox;
class QLineEdit;
class QPlainTextEdit;

namespace Orvane {

class FilteredLineEdit;
class OtherChooser;

// The entry form's boxes and selectors, which the window's pages lay out,
// and what they hold as a record: read into one, filled from a stored one,
// cleared, and compared with what they held when last saved.
class EntryFields
{
public:
    // Customer page.
    FilteredLineEdit *txtName = nullptr;
    QPlainTextEdit *txtAddress = nullptr;
    FilteredLineEdit *txtCity = nullptr;
    FilteredLineEdit *txtState = nullptr;
    QLineEdit *txtPin = nullptr;
    FilteredLineEdit *txtPhNo = nullptr;
    QLineEdit *txtEmail = nullptr;
    FilteredLineEdit *txtLocationDowsingFor = nullptr;

    // Tools page.
    OtherChooser *tool = nullptr;
    OtherChooser *item = nullptr;
    QComboBox *cmbHour = nullptr;
    QComboBox *cmbMinute = nullptr;
    QComboBox *cmbAMPM = nullptr;
    QComboBox *cmbMonth = nullptr;
    QComboBox *cmbDate = nullptr;
    QComboBox *cmbYear = nullptr;

    // Notes page.
    QPlainTextEdit *txtNotes = nullptr;

    // Fills the date and time selectors with their entries.
    void fillSelectors();
    void selectFirstEntries();
    // Empties the boxes and puts the selectors back on their first entries.
    void clear();

    // The record the form holds.
    DowsingRecord record() const;
    // Fills the boxes and selectors from a stored record; what a selector
    // cannot show leaves it where it was.
    void show(const DowsingRecord &record, const QString &dateText, const QString &timeText);
    // The stored fields as the form shows them, the date by its parts (it
    // may not be a calendar date yet): what tells unsaved input.
    QStringList texts() const;
    QStringList dateSelection() const;
    QStringList timeSelection() const;
    // The selectors' date as the list writes one ("M/D/YYYY", whether or not
    // it is a calendar date) and their time ("HH:MM"): what show() takes.
    QString listedDate() const;
    QString listedTime() const;

    // Adds selector entries for a stored year, hour and minute the lists do
    // not offer, for the current edit only, until dropStoredValues().
    void offerStoredValues(const QString &dateText, const QString &timeText);
    void dropStoredValues();

private:
    // The boxes for the text fields (the time, tool and item have their
    // selectors): a line edit or, for text of several lines, a plain text
    // edit.
    struct TextBox
    {
        QString DowsingRecord::*member;
        QLineEdit *line;
        QPlainTextEdit *lines;
    };
    QVector<TextBox> textBoxes() const;
    void offerStoredValue(QComboBox *list, const QString &text);

    // Entries added to the selectors for the stored values of this edit.
    QList<QPair<QComboBox *, int>> m_storedValueEntries;
};

} // namespace Orvane
