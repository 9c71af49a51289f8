#pragma once

#include "Platform.h"

namespace Orvane {

class DesktopBrowser final : public WebBrowser
{
public:
    void open(const QUrl &url) override;
};

class QSettingsStore final : public SettingsStore
{
public:
    QString value(const QString &application, const QString &section, const QString &key,
                  const QString &defaultValue) override;
    void setValue(const QString &application, const QString &section, const QString &key,
                  const QString &value) override;
};

class SystemClock final : public Clock
{
public:
    QDate today() const override;
    QDateTime now() const override;
};

class QtFileDialogs final : public FileDialogs
{
public:
    QString saveFileName(QWidget *parent, const QString &title, const QString &filter,
                         const QString &defaultSuffix) override;
    QString openFileName(QWidget *parent, const QString &title, const QString &filter) override;
    bool choosePrinter(QWidget *parent, QPrinter &printer, bool selectionChosen) override;
};

// QSaveFile underneath.
class SaveFiles final : public AtomicFiles
{
public:
    std::unique_ptr<AtomicFile> create(const QString &path) override;
};

// A QProgressDialog that shows only after its minimum duration.
class QtProgressDialogs final : public ProgressDialogs
{
public:
    std::unique_ptr<Progress> start(QWidget *parent, const QString &label,
                                    qint64 maximum) override;
};

// QStorageInfo underneath.
class StorageDiskSpace final : public DiskSpace
{
public:
    qint64 freeBytes(const QString &path) const override;
};

class ApplicationQuit final : public ProcessControl
{
public:
    void end() override;
};

} // namespace Orvane
