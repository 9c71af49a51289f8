#pragma once

#include <QColor>
#include <QGroupBox>

namespace Orvane {

// A captioned frame on a coloured panel: a rim of the given colour with
// rounded corners and a bold caption in the panel's text colour. It draws
// itself, so it looks the same in every widget style (some styles draw a
// group's rim too faint to see on the grey).
class PanelGroup : public QGroupBox
{
    Q_OBJECT

public:
    PanelGroup(const QString &title, const QColor &rim, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_rim;
};

} // namespace Orvane
