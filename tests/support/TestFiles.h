#pragma once

#include <QByteArray>
#include <QString>

#include <sys/resource.h>

namespace Orvane::Testing {

// The bytes of a file, or "<unreadable>" when it cannot be read: a file
// that went missing never compares equal to an empty one.
QByteArray fileBytes(const QString &path);
// The SHA-256 digest of a file's bytes; empty when it cannot be read.
QByteArray digestOf(const QString &path);
// Writes the file anew with exactly these bytes.
bool writeFile(const QString &path, const QByteArray &bytes);

// While it lives, no file of this process may grow past the given size, and
// a write that tries fails instead of ending the process: a full disk that
// root is not exempt from.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(qint64 bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;
    bool isSet() const { return m_set; }

private:
    rlimit m_previous{};
    void (*m_handler)(int) = nullptr;
    bool m_set = false;
};

} // namespace Orvane::Testing
