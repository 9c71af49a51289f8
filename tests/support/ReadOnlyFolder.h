#pragma once

#include <QFile>
#include <QString>

namespace Orvane::Testing {

// Makes a folder read-only while it lives, also for root, who writes into
// any folder whatever its permissions: for root the folder is bind-mounted
// read-only over itself, as a read-only share or medium would be.
class ReadOnlyFolder
{
public:
    explicit ReadOnlyFolder(const QString &folder);
    ~ReadOnlyFolder();
    ReadOnlyFolder(const ReadOnlyFolder &) = delete;
    ReadOnlyFolder &operator=(const ReadOnlyFolder &) = delete;

    // True once not even this process can make a file in it; otherwise
    // failure() says why.
    bool isReadOnly() const { return m_failure.isEmpty(); }
    QString failure() const { return m_failure; }

private:
    QString m_folder;
    QFile::Permissions m_permissions;
    bool m_mounted = false;
    QString m_failure;
};

} // namespace Orvane::Testing
