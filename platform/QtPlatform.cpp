#include "QtPlatform.h"

#include "AppInfo.h"
#include "DataFolder.h"
#include "DialogFolder.h"
#include "MessageBoxes.h"
#include "PrintDialog.h"

#include <QAbstractPrintDialog>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QSaveFile>
#include <QSettings>
#include <QStorageInfo>

#include <algorithm>

namespace Orvane {

void DesktopBrowser::open(const QUrl &url)
{
    // The result only says whether a helper was started; nothing is reported.
    QDesktopServices::openUrl(url);
}

namespace {

// The translation context of the texts below.
struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(Orvane::QtPlatform)
};

QString settingsKey(const QString &section, const QString &key)
{
    return section + QLatin1Char('/') + key;
}
} // namespace

QString QSettingsStore::value(const QString &application, const QString &section,
                              const QString &key, const QString &defaultValue)
{
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, AppInfo::name(),
                       application);
    return settings.value(settingsKey(section, key), defaultValue).toString();
}

void QSettingsStore::setValue(const QString &application, const QString &section,
                              const QString &key, const QString &value)
{
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, AppInfo::name(),
                       application);
    settings.setValue(settingsKey(section, key), value);
    settings.sync();
}

QDate SystemClock::today() const
{
    return QDate::currentDate();
}

QDateTime SystemClock::now() const
{
    return QDateTime::currentDateTime();
}

namespace {

QString startFolder()
{
    return DialogFolder::start(*platform().settings, DialogFolder::documentsFolder());
}

// The file chosen, remembered for the next dialog; empty when cancelled.
QString chosenIn(QFileDialog &dialog)
{
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    const QString chosen = dialog.selectedFiles().constFirst();
    DialogFolder::remember(*platform().settings, chosen);
    return chosen;
}

} // namespace

QString QtFileDialogs::saveFileName(QWidget *parent, const QString &title, const QString &filter,
                                    const QString &defaultSuffix)
{
    QFileDialog dialog(parent, title, startFolder(), filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(defaultSuffix);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    return chosenIn(dialog);
}

QString QtFileDialogs::openFileName(QWidget *parent, const QString &title, const QString &filter)
{
    QFileDialog dialog(parent, title, startFolder(), filter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return chosenIn(dialog);
}

namespace {

class SaveFile final : public AtomicFile
{
public:
    explicit SaveFile(const QString &path) : m_file(path) {}
    ~SaveFile() override { cancel(); }
    // Unbuffered: the writer hands over large chunks itself, and a short
    // write then fails at write() rather than going unnoticed at commit.
    bool open() override { return m_file.open(QIODevice::WriteOnly | QIODevice::Unbuffered); }
    bool write(const char *data, qint64 size) override
    {
        if (m_file.write(data, size) == size)
            return true;
        // The reason, before cancelling replaces it. A short write that the
        // system gave no error for is a full disk (or a file size limit).
        m_error = m_file.error() == QFileDevice::NoError
                ? Texts::tr("The disk took only part of the file: it may be full.")
                : m_file.errorString();
        m_file.cancelWriting();
        return false;
    }
    bool commit() override { return m_file.commit(); }
    void cancel() override
    {
        if (m_file.isOpen())
            m_file.cancelWriting();
        if (m_file.isOpen())
            m_file.commit(); // a cancelled commit removes the temporary file
    }
    QString errorString() const override
    {
        return m_error.isEmpty() ? m_file.errorString() : m_error;
    }

private:
    QSaveFile m_file;
    QString m_error;
};

class DialogProgress final : public Progress
{
public:
    DialogProgress(QWidget *parent, const QString &label, qint64 maximum)
        : m_dialog(label, Texts::tr("Cancel"), 0, 1000, parent)
        , m_maximum(qMax<qint64>(1, maximum))
    {
        m_dialog.setWindowTitle(AppInfo::title());
        m_dialog.setWindowModality(Qt::WindowModal);
        m_dialog.setMinimumDuration(500);
        m_dialog.setAutoReset(false);
        m_dialog.setAutoClose(false);
        if (maximum == 0)
            m_dialog.setRange(0, 0);
        // Starts the clock after which the dialog shows, even while the
        // value stays where it is.
        m_dialog.setValue(0);
    }
    bool advance(qint64 done) override
    {
        const int value = m_dialog.maximum() == 0
                ? 0
                : int(std::clamp<qint64>(done * 1000 / m_maximum, 0, 1000));
        if (value != m_dialog.value())
            m_dialog.setValue(value);
        else
            QCoreApplication::processEvents();
        return !m_dialog.wasCanceled();
    }

private:
    QProgressDialog m_dialog;
    qint64 m_maximum;
};

} // namespace

std::unique_ptr<AtomicFile> SaveFiles::create(const QString &path)
{
    return std::make_unique<SaveFile>(path);
}

std::unique_ptr<Progress> QtProgressDialogs::start(QWidget *parent, const QString &label,
                                                   qint64 maximum)
{
    return std::make_unique<DialogProgress>(parent, label, maximum);
}

bool QtFileDialogs::choosePrinter(QWidget *parent, QPrinter &printer, bool selectionChosen)
{
    PrintDialog dialog(&printer, parent);
    QAbstractPrintDialog::PrintDialogOptions options = QAbstractPrintDialog::PrintToFile
            | QAbstractPrintDialog::PrintShowPageSize;
    if (selectionChosen)
        options |= QAbstractPrintDialog::PrintSelection;
    dialog.setOptions(options);
    printer.setPrintRange(selectionChosen ? QPrinter::Selection : QPrinter::AllPages);
    return dialog.exec() == QDialog::Accepted;
}

qint64 StorageDiskSpace::freeBytes(const QString &path) const
{
    const QStorageInfo storage(path);
    return storage.isValid() && storage.isReady() ? storage.bytesAvailable() : -1;
}

void ApplicationQuit::end()
{
    // Queued, so that it also ends a process whose event loop has not started.
    // exit(), not quit(): since Qt 6 quit() sends the application a Quit
    // event, which is what a session manager's quit sends too.
    QMetaObject::invokeMethod(
            QCoreApplication::instance(), [] { QCoreApplication::exit(0); },
            Qt::QueuedConnection);
}

namespace {
Platform &installed()
{
    static Platform p = realPlatform();
    return p;
}
} // namespace

Platform realPlatform()
{
    static QtMessageBoxes messages;
    static DesktopBrowser browser;
    static QSettingsStore settings;
    static SystemClock clock;
    static QtFileDialogs dialogs;
    static ApplicationQuit process;
    static SaveFiles files;
    static QtProgressDialogs progress;
    static StorageDiskSpace disks;
    Platform p;
    p.messages = &messages;
    p.browser = &browser;
    p.settings = &settings;
    p.clock = &clock;
    p.dialogs = &dialogs;
    p.process = &process;
    p.files = &files;
    p.progress = &progress;
    p.disks = &disks;
    const QString programFolder = AppInfo::programFolder();
    p.dataFolder = DataFolder::choose(programFolder, DataFolder::userDataFolder());
    p.shippedFolder = DataFolder::shippedFolder(programFolder);
    return p;
}

const Platform &platform()
{
    return installed();
}

void installPlatform(const Platform &p)
{
    installed() = p;
}

} // namespace Orvane
