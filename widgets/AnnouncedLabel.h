#pragma once

#include <QLabel>

namespace Orvane {

// A line of news that screen readers speak when it changes, such as the
// find bar's "N of M records".
//
// A screen reader speaks a label's new text only while the label has the
// keyboard, which a count never has: a changed name alone goes unheard. This
// label shows itself to assistive tools as a notification, and each
// announce() tells them it is showing anew, the event on which Orca reads a
// notification out (as it does a status bar's).
class AnnouncedLabel : public QLabel
{
    Q_OBJECT

public:
    explicit AnnouncedLabel(QWidget *parent = nullptr);

    // Shows the text; while the label is on screen, screen readers speak
    // it. The text spoken last says nothing again, even after a text shown
    // quietly (setText(), such as "Searching...") stood between: a count
    // that a key left as it was is not read out at every key.
    void announce(const QString &text);

signals:
    // The text was told to assistive tools to be spoken.
    void announced(const QString &text);

private:
    QString m_spoken;
};

} // namespace Orvane
