#pragma once

#include <QGroupBox>

namespace Orvane {

// A captioned frame of the entry window's grey panel: a light rim with
// rounded corners and a bold caption in the panel's text colour. It draws
// itself, so it looks the same in every widget style (some styles draw a
// group's rim too faint to see on the grey).
class PanelGroup : public QGroupBox
{
    Q_OBJECT

public:
    explicit PanelGroup(const QString &title, QWidget *parent = nullptr);
    explicit PanelGroup(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace Orvane
