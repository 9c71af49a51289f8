#pragma once

#include <QWidget>

class QLabel;

namespace Orvane {

// The hint line of the entry window's left panel: Label1 reads "Click On",
// a run of blanks, "To  Enter New Customer Details", and Label20 ("Add New
// Record") lies over the blanks, so the line reads as an instruction.
// Label1 is a link, reached with Tab and opened with Enter or Space too;
// clicking or opening it is reported. Label20 takes no clicks of its own.
class HintLine : public QWidget
{
    Q_OBJECT

public:
    explicit HintLine(QWidget *parent = nullptr);

    static QString label1Text();
    static QString label20Text();

    QLabel *label1() const { return m_label1; }
    QLabel *label20() const { return m_label20; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void label1Clicked();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    // Label1's text with %1 where the blanks go.
    static QString lineWithPlace();
    void placeLabels();

    // The words of Label1 before the blanks.
    QString m_wordsBefore;
    QLabel *m_label1 = nullptr;
    QLabel *m_label20 = nullptr;
};

} // namespace Orvane
