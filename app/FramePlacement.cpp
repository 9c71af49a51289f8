#include "FramePlacement.h"

#include "FrameWindow.h"
#include "platform/AppInfo.h"
#include "platform/Platform.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStringList>

namespace Orvane::FramePlacement {

namespace {

const char kSection[] = "Frame";
const char kKey[] = "Place";

} // namespace

QString toText(const Place &place)
{
    const QRect &r = place.normal;
    return QStringLiteral("%1,%2,%3,%4,%5")
            .arg(r.x())
            .arg(r.y())
            .arg(r.width())
            .arg(r.height())
            .arg(place.maximized ? 1 : 0);
}

std::optional<Place> fromText(const QString &text)
{
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 5)
        return std::nullopt;
    int numbers[5];
    for (int i = 0; i < 5; ++i) {
        bool ok = false;
        numbers[i] = parts[i].toInt(&ok);
        if (!ok)
            return std::nullopt;
    }
    if (numbers[2] <= 0 || numbers[3] <= 0)
        return std::nullopt;
    return Place{QRect(numbers[0], numbers[1], numbers[2], numbers[3]), numbers[4] != 0};
}

Place placeOn(const std::optional<Place> &kept, const QList<QRect> &screens,
              const QSize &defaultSize)
{
    if (kept) {
        const QRect &r = kept->normal;
        const QPoint topMiddle(r.x() + r.width() / 2, r.y());
        for (const QRect &screen : screens) {
            if (!screen.contains(topMiddle))
                continue;
            QRect placed(r.topLeft(), r.size().boundedTo(screen.size()));
            // Shrunk or not, all of it onto the screen that holds it.
            placed.moveLeft(qBound(screen.left(), placed.left(), screen.right() - placed.width() + 1));
            placed.moveTop(qBound(screen.top(), placed.top(), screen.bottom() - placed.height() + 1));
            return {placed, kept->maximized};
        }
    }
    const QRect primary = screens.isEmpty() ? QRect(QPoint(0, 0), defaultSize) : screens.first();
    QRect centred(QPoint(0, 0), defaultSize.boundedTo(primary.size()));
    centred.moveCenter(primary.center());
    return {centred, false};
}

bool restore(FrameWindow &frame)
{
    QList<QRect> screens;
    if (QScreen *primary = QGuiApplication::primaryScreen())
        screens.append(primary->availableGeometry());
    const QList<QScreen *> all = QGuiApplication::screens();
    for (QScreen *screen : all) {
        if (screen != QGuiApplication::primaryScreen())
            screens.append(screen->availableGeometry());
    }
    const QSize defaultSize = FrameWindow::sizeOn(screens.isEmpty() ? QSize(1024, 768)
                                                                    : screens.first().size());
    const QString kept = platform().settings->value(AppInfo::executableBaseName(),
                                                    QLatin1String(kSection),
                                                    QLatin1String(kKey), QString());
    const Place place = placeOn(fromText(kept), screens, defaultSize);
    frame.setGeometry(place.normal);
    return place.maximized;
}

void keep(const FrameWindow &frame)
{
    const Place place{frame.normalGeometry().isValid() ? frame.normalGeometry() : frame.geometry(),
                      frame.isMaximized()};
    platform().settings->setValue(AppInfo::executableBaseName(), QLatin1String(kSection),
                                  QLatin1String(kKey), toText(place));
}

} // namespace Orvane::FramePlacement
