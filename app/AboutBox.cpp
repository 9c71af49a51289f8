#include "AboutBox.h"

#include "widgets/AppIcon.h"
#include "widgets/LinkLabel.h"
#include "WebPages.h"
#include "platform/AppInfo.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace Orvane {

namespace {

QLabel *makeText(const QString &name, const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    return label;
}

LinkLabel *makeLink(const QString &name, const QString &text, QWidget *parent)
{
    auto *link = new LinkLabel(text, parent);
    link->setObjectName(name);
    // Tab reaches the links; Enter or Space opens them.
    link->setFocusPolicy(Qt::TabFocus);
    // The palette's link colour stays readable on light and dark themes.
    link->setStyleSheet(QStringLiteral("QLabel { color: palette(link); }"));
    QFont font = link->font();
    font.setUnderline(true);
    link->setFont(font);
    return link;
}

} // namespace

AboutBox::AboutBox(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(AppInfo::caption());
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setModal(true);

    auto *picIcon = new QLabel(this);
    picIcon->setObjectName(QStringLiteral("picIcon"));
    picIcon->setPixmap(appIconPixmap(64));
    picIcon->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    picIcon->setFixedWidth(72);

    QLabel *label2 = makeText(QStringLiteral("Label2"), AppInfo::caption(), this);
    QFont titleFont = label2->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.4);
    titleFont.setBold(true);
    label2->setFont(titleFont);

    QLabel *label1 = makeText(
            QStringLiteral("Label1"),
            tr("Orvane Dowsing is a divination software which is for anyone who does dowsing. The "
               "program allows you to keep a track of all your dowsing experience, along with the "
               "dowsing tool you used. Orvanelog has been so designed which anyone should have if "
               "they do dowsing for fun or profit."),
            this);

    auto *line2 = new QFrame(this);
    line2->setObjectName(QStringLiteral("Line2"));
    line2->setFrameShape(QFrame::HLine);
    line2->setFrameShadow(QFrame::Sunken);

    QLabel *label3 = makeText(QStringLiteral("Label3"), WebPages::fullyBrandedOffer(), this);
    LinkLabel *lblCobrand = makeLink(QStringLiteral("lblCobrand"),
                                     QLatin1Char(' ') + WebPages::moreDetails(), this);
    LinkLabel *lblHomePage = makeLink(
            QStringLiteral("lblHomePage"),
            tr("Click here to visit %1").arg(WebPages::makerSiteAddress()), this);
    connect(lblCobrand, &LinkLabel::clicked, this,
            [] { WebPages::open(QStringLiteral("fully-branded")); });
    connect(lblHomePage, &LinkLabel::clicked, this,
            [] { WebPages::open(QStringLiteral("home-page")); });

    m_cmdOk = new QPushButton(tr("&OK"), this);
    m_cmdOk->setObjectName(QStringLiteral("cmdOk"));
    m_cmdOk->setMinimumWidth(96);
    // Enter presses it as the default button; Esc closes the box as well.
    m_cmdOk->setDefault(true);
    m_cmdOk->setAutoDefault(true);
    connect(m_cmdOk, &QPushButton::clicked, this, &QDialog::accept);

    auto *text = new QVBoxLayout;
    text->setSpacing(8);
    text->addWidget(label2);
    text->addWidget(label1);
    auto *top = new QHBoxLayout;
    top->setSpacing(14);
    top->addWidget(picIcon);
    top->addLayout(text, 1);

    auto *offer = new QVBoxLayout;
    offer->setSpacing(4);
    offer->setContentsMargins(86, 0, 0, 0);
    offer->addWidget(label3);
    offer->addWidget(lblCobrand, 0, Qt::AlignLeft);
    offer->addSpacing(6);
    offer->addWidget(lblHomePage, 0, Qt::AlignLeft);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_cmdOk);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 14);
    layout->setSpacing(12);
    layout->addLayout(top);
    layout->addWidget(line2);
    layout->addLayout(offer);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    // Word-wrapped labels take their width from the box.
    label1->setFixedWidth(360);
    label3->setFixedWidth(360);
    m_cmdOk->setFocus();
}

} // namespace Orvane
