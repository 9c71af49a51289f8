#pragma once

#include <QString>

#include <optional>

namespace Orvane {

// Which file stands at a path: its device and inode where the system has
// them. Synced folders replace a file by renaming a new copy over it, and
// SQLite keeps writing the old file through its open handle while it finds
// the journal by name; comparing identities tells the two apart.
//
// On systems without inodes every file there compares equal: Windows
// refuses to rename over or remove a file SQLite holds open, so the fault
// cannot arise there.
struct FileIdentity
{
    quint64 device = 0;
    quint64 inode = 0;

    bool operator==(const FileIdentity &other) const
    {
        return device == other.device && inode == other.inode;
    }
    bool operator!=(const FileIdentity &other) const { return !(*this == other); }
    // A text for keying tables by file.
    QString key() const;
};

// The identity of the regular file at path; nullopt when there is none.
std::optional<FileIdentity> identityOf(const QString &path);

} // namespace Orvane
