#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;

namespace Orvane {

class AnnouncedLabel;

// The list's find bar: "Find:", the box, the count of records shown and
// "Close". It tells what the user does; the list runs the search. Esc in
// the bar asks to close it.
class FindBar : public QWidget
{
    Q_OBJECT

public:
    FindBar(const QFont &labelFont, const QFont &countFont, QWidget *parent = nullptr);

    QLineEdit *box() const { return m_txtFind; }
    // Puts text in the box without a textChanged().
    void setTextQuietly(const QString &text);
    // The count ("N of M records"), also the name screen readers hear;
    // spoken, they speak it as it changes (not "Searching...", which would
    // only interrupt them at every key).
    void setCount(const QString &text, bool spoken = true);
    // The count's text: "250,000 of 1,000,000 records".
    static QString countText(const QString &shown, const QString &total);
    // Selects the box's text and gives the box the keyboard.
    void focusBox();
    // What the records found in are, before "Find:" ("Customer: JOHN
    // SMITH, 0123.456"), when they are a given set rather than every
    // record; empty for every record.
    void setCaption(const QString &caption);
    QString caption() const;

signals:
    void textChanged(const QString &text);
    void enterPressed();
    void closeRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLabel *m_lblCaption = nullptr;
    QLabel *m_lblFind = nullptr;
    QLineEdit *m_txtFind = nullptr;
    AnnouncedLabel *m_lblCount = nullptr;
    QPushButton *m_cmdCloseFind = nullptr;
};

} // namespace Orvane
