#include "MeasuredLabel.h"

#include <QEvent>

namespace Orvane {

MeasuredLabel::MeasuredLabel(const QString &text, QWidget *parent)
    : QLabel(text, parent)
{
}

bool MeasuredLabel::Basis::operator==(const Basis &other) const
{
    return text == other.text && font == other.font && wordWrap == other.wordWrap
            && alignment == other.alignment && indent == other.indent && margin == other.margin
            && frameWidth == other.frameWidth && contentsMargins == other.contentsMargins
            && textFormat == other.textFormat && minimumSize == other.minimumSize
            && maximumSize == other.maximumSize;
}

MeasuredLabel::Basis MeasuredLabel::currentBasis() const
{
    return Basis{text(),         font(),      wordWrap(),    int(alignment()),
                 indent(),       margin(),    frameWidth(),  contentsMargins(),
                 textFormat(),   minimumSize(), maximumSize()};
}

void MeasuredLabel::checkBasis() const
{
    Basis now = currentBasis();
    if (now == m_basis)
        return;
    forgetSizes();
    m_basis = std::move(now);
}

void MeasuredLabel::forgetSizes() const
{
    m_sizeHint.reset();
    m_minimumSizeHint.reset();
    m_heights.clear();
}

QSize MeasuredLabel::sizeHint() const
{
    checkBasis();
    if (!m_sizeHint)
        m_sizeHint = QLabel::sizeHint();
    return *m_sizeHint;
}

QSize MeasuredLabel::minimumSizeHint() const
{
    checkBasis();
    if (!m_minimumSizeHint)
        m_minimumSizeHint = QLabel::minimumSizeHint();
    return *m_minimumSizeHint;
}

int MeasuredLabel::heightForWidth(int width) const
{
    checkBasis();
    const auto known = m_heights.constFind(width);
    if (known != m_heights.cend())
        return *known;
    const int height = QLabel::heightForWidth(width);
    m_heights.insert(width, height);
    return height;
}

bool MeasuredLabel::event(QEvent *event)
{
    switch (event->type()) {
    case QEvent::StyleChange:
    case QEvent::Polish:
    case QEvent::FontChange:
    case QEvent::ContentsRectChange:
    case QEvent::LayoutDirectionChange:
        // The style and its metrics may differ now.
        forgetSizes();
        break;
    default:
        break;
    }
    return QLabel::event(event);
}

} // namespace Orvane
