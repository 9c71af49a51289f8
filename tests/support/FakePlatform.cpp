#include "FakePlatform.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QUrlQuery>

namespace Orvane::Testing {

namespace {
// Qt wants the per-user runtime folder to exist and to be private.
void prepareRuntimeFolder()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (runtime.isEmpty())
        return;
    QDir().mkpath(runtime);
    QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}
} // namespace

MessageBoxes::Answer FakeMessageBoxes::show(QWidget *, const QString &text, Icon icon,
                                            Buttons buttons, Answer defaultAnswer)
{
    const Shown box{text, icon, buttons, defaultAnswer};
    shown.append(box);
    if (whileOpen)
        whileOpen(box);
    if (!answers.isEmpty())
        return answers.dequeue();
    return buttons == Buttons::YesNo ? Answer::Yes : Answer::Ok;
}

QStringList FakeMessageBoxes::texts() const
{
    QStringList result;
    for (const Shown &box : shown)
        result.append(box.text);
    return result;
}

QStringList FakeBrowser::pageKeys() const
{
    QStringList keys;
    for (const QUrl &url : opened)
        keys.append(QUrlQuery(url).queryItemValue(QStringLiteral("page"), QUrl::FullyDecoded));
    return keys;
}

QString FakeSettings::value(const QString &application, const QString &section,
                            const QString &key, const QString &defaultValue)
{
    return values.value(application + QLatin1Char('/') + section + QLatin1Char('/') + key,
                        defaultValue);
}

void FakeSettings::setValue(const QString &application, const QString &section,
                            const QString &key, const QString &value)
{
    ++writes;
    values.insert(application + QLatin1Char('/') + section + QLatin1Char('/') + key, value);
}

QString FakeDialogs::saveFileName(QWidget *, const QString &title, const QString &filter,
                                  const QString &defaultSuffix)
{
    ++saveAsked;
    lastTitle = title;
    lastFilter = filter;
    lastSuffix = defaultSuffix;
    return nextSaveName;
}

QString FakeDialogs::openFileName(QWidget *, const QString &title, const QString &filter)
{
    ++openAsked;
    lastTitle = title;
    lastFilter = filter;
    return nextOpenName;
}

namespace {

class FakeAtomicFile final : public AtomicFile
{
public:
    FakeAtomicFile(const QString &path, const FakeAtomicFiles &how) : m_file(path), m_how(how) {}
    ~FakeAtomicFile() override { cancel(); }
    // Unbuffered: the writer hands over large chunks itself, and a short
    // write then fails at write() rather than going unnoticed at commit.
    bool open() override { return m_file.open(QIODevice::WriteOnly | QIODevice::Unbuffered); }
    bool write(const char *data, qint64 size) override
    {
        if (m_how.failAfterBytes >= 0 && m_written + size > m_how.failAfterBytes) {
            m_error = QStringLiteral("No space left on device (a test's failure)");
            m_file.cancelWriting();
            return false;
        }
        m_written += size;
        return m_file.write(data, size) == size;
    }
    bool commit() override
    {
        if (m_how.failAtCommit) {
            m_error = QStringLiteral("The file could not be committed (a test's failure)");
            cancel();
            return false;
        }
        return m_file.commit();
    }
    void cancel() override
    {
        if (m_file.isOpen()) {
            m_file.cancelWriting();
            m_file.commit();
        }
    }
    QString errorString() const override
    {
        return m_error.isEmpty() ? m_file.errorString() : m_error;
    }

private:
    QSaveFile m_file;
    const FakeAtomicFiles &m_how;
    qint64 m_written = 0;
    QString m_error;
};

class FakeProgress final : public Progress
{
public:
    explicit FakeProgress(FakeProgressDialogs &owner) : m_owner(owner) {}
    bool advance(qint64) override
    {
        ++m_owner.steps;
        m_cancelled = m_cancelled
                || (m_owner.cancelAtStep > 0 && m_owner.steps >= m_owner.cancelAtStep);
        return !m_cancelled;
    }

private:
    FakeProgressDialogs &m_owner;
    bool m_cancelled = false;
};

} // namespace

std::unique_ptr<AtomicFile> FakeAtomicFiles::create(const QString &path)
{
    ++created;
    return std::make_unique<FakeAtomicFile>(path, *this);
}

std::unique_ptr<Progress> FakeProgressDialogs::start(QWidget *, const QString &label,
                                                     qint64 maximum)
{
    ++started;
    lastLabel = label;
    lastMaximum = maximum;
    if (onStart)
        onStart(label);
    return std::make_unique<FakeProgress>(*this);
}

bool FakeDialogs::choosePrinter(QWidget *, QPrinter &printer, bool selectionChosen)
{
    ++printAsked;
    lastSelectionChosen = selectionChosen;
    return printerAnswer ? printerAnswer(printer, selectionChosen) : false;
}

Platform Fakes::over(const QString &dataFolder, const QString &shippedFolder)
{
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
    p.dataFolder = dataFolder;
    p.shippedFolder = shippedFolder;
    return p;
}

PlatformScope::PlatformScope(const Platform &installed)
    : m_previous(platform())
{
    installPlatform(installed);
}

PlatformScope::~PlatformScope()
{
    installPlatform(m_previous);
}

TestEnvironment::TestEnvironment(bool withDatabase)
    : m_installed(over(m_dir.path()))
{
    if (withDatabase)
        copyShippedDatabase(databasePath());
}

QString TestEnvironment::databasePath() const
{
    return m_dir.filePath(QStringLiteral("Dowsing.dll"));
}

QString TestEnvironment::shippedDatabase()
{
    return QStringLiteral(ORVANE_SHIPPED_DATABASE);
}

bool TestEnvironment::copyShippedDatabase(const QString &path)
{
    return QFile::copy(shippedDatabase(), path)
            && QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
}

Q_COREAPP_STARTUP_FUNCTION(prepareRuntimeFolder)

} // namespace Orvane::Testing
