#include "ShippedCopy.h"

#include "StoreFile.h"
#include "StoreTexts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cerrno>
#include <cstring>

#ifdef Q_OS_WIN
#include <io.h>
#else
#include <unistd.h>
#endif

namespace Orvane::ShippedCopy {

namespace {

// In the name of the copy until it is whole.
const char kPartMark[] = "-first-copy-";

QString nativePath(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

bool syncToDisk(QFile &file)
{
    if (!file.flush())
        return false;
#ifdef Q_OS_WIN
    return _commit(file.handle()) == 0;
#else
    return ::fsync(file.handle()) == 0;
#endif
}

} // namespace

Result provide(const QString &shippedFolder, const QString &dataFolder, QString &error)
{
    const QString target = StoreFile::databasePath(dataFolder);
    const QFileInfo there(target);
    // Whatever stands under the name (a file, a folder, a dangling link) is
    // the user's: the store judges it, nothing here replaces it.
    if (there.exists() || there.isSymLink())
        return Result::Present;
    if (shippedFolder.isEmpty())
        return Result::NoneShipped;
    QFile shipped(StoreFile::databasePath(shippedFolder));
    if (!QFileInfo(shipped.fileName()).isFile())
        return Result::NoneShipped;

    // What a records file leaves beside itself: its back-ups, its notes
    // (not what a copy killed here left).
    QStringList traces = QDir(dataFolder).entryList(
            {QStringLiteral("Dowsing*")}, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    traces.removeIf([](const QString &name) { return name.contains(kPartMark); });
    if (!traces.isEmpty()) {
        error = StoreTexts::tr("Your records file %1 is missing, though its folder still holds "
                               "what it left there (%2).\rA new, empty file is not made in its "
                               "place: put your records file, or a back-up from \"Dowsing "
                               "backups\", there under the name Dowsing.dll, then start the "
                               "program again.")
                        .arg(nativePath(target), traces.join(QStringLiteral(", ")));
        return Result::Gone;
    }

    const auto fail = [&error, &target](const QString &reason) {
        error = StoreTexts::tr("The empty record file the program ships could not be copied to "
                               "%1: %2")
                        .arg(nativePath(target), reason);
        return Result::Failed;
    };
    // A data folder made here holds one user's records: theirs alone to
    // read, as the base directory rules ask.
    if (!QFileInfo::exists(dataFolder)) {
        if (!QDir().mkpath(dataFolder))
            return fail(StoreTexts::tr("the folder %1 could not be made.")
                                .arg(nativePath(dataFolder)));
        QFile::setPermissions(dataFolder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    if (!shipped.open(QIODevice::ReadOnly))
        return fail(shipped.errorString());

    QTemporaryFile part(target + QLatin1String(kPartMark) + QStringLiteral("XXXXXX"));
    if (!part.open())
        return fail(part.errorString());
    for (;;) {
        const QByteArray chunk = shipped.read(1 << 16);
        if (chunk.isEmpty()) {
            if (!shipped.atEnd())
                return fail(shipped.errorString());
            break;
        }
        if (part.write(chunk) != chunk.size())
            return fail(part.error() == QFileDevice::NoError
                                ? StoreTexts::tr("the disk took only part of it: it may be full.")
                                : part.errorString());
    }
    if (!syncToDisk(part))
        return fail(QString::fromLocal8Bit(std::strerror(errno)));
    part.close();
    // QFile::rename never replaces an existing file; the temporary one goes
    // with part when the name could not be taken.
    if (!QFile::rename(part.fileName(), target))
        return fail(StoreTexts::tr("it could not be named %1.").arg(nativePath(target)));
    part.setAutoRemove(false);
    return Result::Copied;
}

} // namespace Orvane::ShippedCopy
