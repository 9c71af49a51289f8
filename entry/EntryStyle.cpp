#include "EntryStyle.h"

#include <QFrame>
#include <QLabel>
#include <QPalette>

namespace Orvane::EntryStyle {

namespace {

// One colour while enabled (in an active or an inactive window), another
// while switched off.
struct Shade
{
    QColor enabled;
    QColor disabled;
};

const QColor kPanel(0x70, 0x70, 0x70);
const QColor kPopupPanel(0x5a, 0x5a, 0x5a);
const Shade kCaption{QColor(0xff, 0xff, 0xff), QColor(0xff, 0xff, 0xff)};
const Shade kFieldLabel{QColor(0xff, 0xff, 0xc0), QColor(0xe8, 0xe8, 0xb0)};
const Shade kHint{QColor(0x7c, 0xfc, 0x00), QColor(0x9a, 0xcd, 0x80)};
const Shade kHighlightHint{QColor(0xff, 0xff, 0x00), QColor(0xff, 0xff, 0x00)};
const Shade kPopupBorder{QColor(0xc0, 0xc0, 0xc0), QColor(0xc0, 0xc0, 0xc0)};

void setShade(QPalette &palette, QPalette::ColorRole role, const Shade &shade)
{
    palette.setColor(QPalette::Active, role, shade.enabled);
    palette.setColor(QPalette::Inactive, role, shade.enabled);
    palette.setColor(QPalette::Disabled, role, shade.disabled);
}

// Every role the styles draw the controls with is fixed, so nothing is left
// to the desktop's palette.
QPalette panelPalette()
{
    const QColor button(0xd8, 0xd8, 0xd8);
    QPalette p(button, kPanel); // derives the bevel shades from the two greys
    setShade(p, QPalette::Window, {kPanel, kPanel});
    setShade(p, QPalette::WindowText, kCaption);
    setShade(p, QPalette::Base, {QColor(0xff, 0xff, 0xe1), QColor(0xe6, 0xe6, 0xd2)});
    setShade(p, QPalette::AlternateBase, {QColor(0xff, 0xff, 0xe1), QColor(0xe6, 0xe6, 0xd2)});
    setShade(p, QPalette::Text, {QColor(0x40, 0x40, 0x40), QColor(0x70, 0x70, 0x70)});
    setShade(p, QPalette::PlaceholderText, {QColor(0x80, 0x80, 0x80), QColor(0x90, 0x90, 0x90)});
    setShade(p, QPalette::Button, {button, QColor(0xc4, 0xc4, 0xc4)});
    setShade(p, QPalette::ButtonText, {QColor(0x00, 0x00, 0x00), QColor(0x7a, 0x7a, 0x7a)});
    setShade(p, QPalette::BrightText, {QColor(0xff, 0xff, 0xff), QColor(0xff, 0xff, 0xff)});
    setShade(p, QPalette::Highlight, {QColor(0x2a, 0x55, 0x99), QColor(0x2a, 0x55, 0x99)});
    setShade(p, QPalette::HighlightedText, {QColor(0xff, 0xff, 0xff), QColor(0xff, 0xff, 0xff)});
    return p;
}

// A palette that fixes the text colour alone; the rest comes from the panel.
void setTextShade(QWidget *widget, const Shade &shade)
{
    QPalette p;
    setShade(p, widget->foregroundRole(), shade);
    widget->setPalette(p);
}

void setBold(QWidget *widget)
{
    widget->setFont(boldFont());
}

} // namespace

QFont font()
{
    QFont f(QStringLiteral("Verdana"));
    f.setStyleHint(QFont::SansSerif);
    f.setPointSize(8);
    return f;
}

QFont boldFont()
{
    QFont f = font();
    f.setBold(true);
    // Used for the program's own words only (the hint line): laid out
    // without OpenType shaping, as the captions are.
    f.setStyleStrategy(QFont::PreferNoShaping);
    return f;
}

QColor rimColour()
{
    return QColor(0xa8, 0xa8, 0xa8);
}

void apply(QWidget *widget)
{
    const QString name = widget->objectName();
    if (name == QLatin1String("Frame1")) {
        widget->setPalette(panelPalette());
        widget->setAutoFillBackground(true);
        widget->setFont(font());
    } else if (auto *popup = qobject_cast<QFrame *>(widget);
               popup && (name == QLatin1String("fraDowsingTool")
                         || name == QLatin1String("fraItemDowsing"))) {
        // The pop-ups for a new tool or item: a darker panel in a light rim.
        QPalette p;
        setShade(p, QPalette::Window, {kPopupPanel, kPopupPanel});
        setShade(p, QPalette::WindowText, kPopupBorder);
        popup->setPalette(p);
        popup->setAutoFillBackground(true);
        popup->setFrameStyle(QFrame::Box | QFrame::Plain);
    } else if (qobject_cast<QLabel *>(widget)) {
        // The introduction keeps the panel's white; field labels are light
        // yellow, the hint line and the pop-up hints green.
        if (name == QLatin1String("Label3") || name == QLatin1String("Label10"))
            return;
        if (name == QLatin1String("Label1")) {
            setTextShade(widget, kHint);
            setBold(widget);
        } else if (name == QLatin1String("Label20")) {
            setTextShade(widget, kHighlightHint);
            setBold(widget);
        } else if (name == QLatin1String("lblToolHint") || name == QLatin1String("lblItemHint")) {
            setTextShade(widget, kHint);
        } else {
            setTextShade(widget, kFieldLabel);
        }
    }
}

} // namespace Orvane::EntryStyle
