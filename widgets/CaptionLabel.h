#pragma once

#include <QLabel>

#include <optional>

namespace Orvane {

// A label for the program's own fixed texts: captions, notes and links.
//
// It remembers its measured sizes. QLabel lays its whole text out again for
// every size a layout asks about, and layouts ask many times while a window
// is built and shown: with a long text that wraps, that is most of the work
// of showing the window. This label keeps its answers for as long as nothing
// they depend on (text, font, wrapping, margins, style) changes.
//
// Its font asks for no OpenType shaping: the program's texts are English, and
// laying Latin text out without shaping (so without kerning or ligatures) is
// several times cheaper. A font set on the label later decides for itself.
// Never use it for what the user typed, which may be in any script.
class CaptionLabel : public QLabel
{
    Q_OBJECT

public:
    explicit CaptionLabel(const QString &text, QWidget *parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    int heightForWidth(int width) const override;

protected:
    bool event(QEvent *event) override;

private:
    // What the label's sizes are worked out from.
    struct Basis
    {
        QString text;
        QFont font;
        bool wordWrap = false;
        int alignment = 0;
        int indent = 0;
        int margin = 0;
        int frameWidth = 0;
        QMargins contentsMargins;
        Qt::TextFormat textFormat = Qt::AutoText;
        QSize minimumSize;
        QSize maximumSize;
        bool operator==(const Basis &other) const;
    };
    Basis currentBasis() const;
    // Drops the remembered sizes when their basis is not the current one.
    void checkBasis() const;
    void forgetSizes() const;

    // Pays: building the frame and entry window 3 times asks 86 heights, QLabel works out 37 (287 k instructions each): ~14 M of 163 M spared (valgrind --tool=callgrind --toggle-collect='*buildProgramWindows*' build/bench/orvane-caption-bench --program 3).
    mutable Basis m_basis;
    mutable std::optional<QSize> m_sizeHint;
    mutable std::optional<QSize> m_minimumSizeHint;
    mutable QHash<int, int> m_heights;
};

} // namespace Orvane
