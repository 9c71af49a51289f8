#include "CaptionLabel.h"

#include <QEvent>

namespace Orvane {

CaptionLabel::CaptionLabel(const QString &text, QWidget *parent)
    : QLabel(text, parent)
{
    // Only the strategy is set; everything else still comes from the parent.
    QFont unshaped;
    unshaped.setStyleStrategy(QFont::PreferNoShaping);
    setFont(unshaped);
}

bool CaptionLabel::Basis::operator==(const Basis &other) const
{
    return text == other.text && font == other.font && wordWrap == other.wordWrap
            && alignment == other.alignment && indent == other.indent && margin == other.margin
            && frameWidth == other.frameWidth && contentsMargins == other.contentsMargins
            && textFormat == other.textFormat && minimumSize == other.minimumSize
            && maximumSize == other.maximumSize;
}

CaptionLabel::Basis CaptionLabel::currentBasis() const
{
    return Basis{text(),         font(),      wordWrap(),    int(alignment()),
                 indent(),       margin(),    frameWidth(),  contentsMargins(),
                 textFormat(),   minimumSize(), maximumSize()};
}

void CaptionLabel::checkBasis() const
{
    Basis now = currentBasis();
    if (now == m_basis)
        return;
    forgetSizes();
    m_basis = std::move(now);
}

void CaptionLabel::forgetSizes() const
{
    m_sizeHint.reset();
    m_minimumSizeHint.reset();
    m_heights.clear();
}

QSize CaptionLabel::sizeHint() const
{
    checkBasis();
    if (!m_sizeHint)
        m_sizeHint = QLabel::sizeHint();
    return *m_sizeHint;
}

QSize CaptionLabel::minimumSizeHint() const
{
    checkBasis();
    if (!m_minimumSizeHint)
        m_minimumSizeHint = QLabel::minimumSizeHint();
    return *m_minimumSizeHint;
}

int CaptionLabel::heightForWidth(int width) const
{
    checkBasis();
    const auto known = m_heights.constFind(width);
    if (known != m_heights.cend())
        return *known;
    const int height = QLabel::heightForWidth(width);
    m_heights.insert(width, height);
    return height;
}

bool CaptionLabel::event(QEvent *event)
{
    switch (event->type()) {
    case QEvent::StyleChange:
    case QEvent::Polish:
    case QEvent::LayoutDirectionChange:
        // The style's metrics may differ now; changes of font, text or
        // margins show in the basis instead.
        forgetSizes();
        break;
    default:
        break;
    }
    return QLabel::event(event);
}

} // namespace Orvane
