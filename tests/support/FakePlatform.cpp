#include "FakePlatform.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
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

bool FakeDialogs::choosePrinter(QWidget *, QPrinter &printer, bool selectionChosen)
{
    ++printAsked;
    lastSelectionChosen = selectionChosen;
    return printerAnswer ? printerAnswer(printer, selectionChosen) : false;
}

Platform Fakes::over(const QString &programFolder)
{
    Platform p;
    p.messages = &messages;
    p.browser = &browser;
    p.settings = &settings;
    p.clock = &clock;
    p.dialogs = &dialogs;
    p.process = &process;
    p.programFolder = programFolder;
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
