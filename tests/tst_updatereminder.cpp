// The fourteen-day update reminder: when it asks, what it stores, that a Yes
// opens the download page only once the date is stored, and that damaged
// settings and two-digit-year date formats do not break it.

#include "support/FakePlatform.h"

#include "platform/AppInfo.h"
#include "platform/QtPlatform.h"
#include "app/WebPages.h"
#include "app/UpdateReminder.h"

#include <QLocale>
#include <QSettings>
#include <QtTest>

using namespace Orvane;
using Orvane::Testing::TestEnvironment;

namespace {

const QString reminderText = QStringLiteral(
        "There maybe an update to this software available\rDo you want to check for an update?");

QString storageKey()
{
    return AppInfo::executableBaseName() + QStringLiteral("/Settings/")
            + UpdateReminder::encodeSetting(QStringLiteral("Duration"));
}

// Stores a reminder date as the program itself would.
void storeDate(TestEnvironment &env, const QDate &date)
{
    env.settings.values.insert(storageKey(),
                               UpdateReminder::encodeSetting(UpdateReminder::dateText(date)));
}

QDate storedDate(const TestEnvironment &env)
{
    return UpdateReminder::dateFromText(
            UpdateReminder::decodeSetting(env.settings.values.value(storageKey())));
}

// Records, at the moment a page opens, what the settings hold.
class OrderCheckingBrowser final : public WebBrowser
{
public:
    explicit OrderCheckingBrowser(TestEnvironment &env) : m_env(env) {}
    void open(const QUrl &url) override
    {
        opened.append(url);
        dateWhenOpened = storedDate(m_env);
    }
    QList<QUrl> opened;
    QDate dateWhenOpened;

private:
    TestEnvironment &m_env;
};

class LocaleScope
{
public:
    explicit LocaleScope(const QLocale &locale) : m_previous(QLocale()) { QLocale::setDefault(locale); }
    ~LocaleScope() { QLocale::setDefault(m_previous); }

private:
    QLocale m_previous;
};

} // namespace

class TestUpdateReminder : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void codecIsReversibleAndGivesUsableKeys_data();
    void codecIsReversibleAndGivesUsableKeys();
    void codecRefusesForeignText();
    void firstRunStoresTodayWithoutAsking();
    void asksOnlyBeyondFourteenDays_data();
    void asksOnlyBeyondFourteenDays();
    void yesOpensTheDownloadPageAfterTheDateIsStored();
    void dueReminderAsksOnceAcrossTwoRuns();
    void unreadableSettingCountsAsDue_data();
    void unreadableSettingCountsAsDue();
    void twoDigitYearFormatsReadBackTheSameDate_data();
    void twoDigitYearFormatsReadBackTheSameDate();
    void realSettingsStoreKeepsTheDate();
};

void TestUpdateReminder::init()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
}

void TestUpdateReminder::codecIsReversibleAndGivesUsableKeys_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << QString();
    QTest::newRow("key name") << QStringLiteral("Duration");
    QTest::newRow("date") << QStringLiteral("12/7/2026");
    QTest::newRow("one character") << QStringLiteral("a");
    QTest::newRow("two characters") << QStringLiteral("ab");
    QTest::newRow("separators") << QStringLiteral("a/b\\c=d&e+f g#%");
    QTest::newRow("beyond ASCII") << QStringLiteral("7. Dezember 2026 \u00e9\u20ac\u6f22 \U0001F4A7");
    QTest::newRow("line breaks") << QStringLiteral("one\r\ntwo\n");
}

void TestUpdateReminder::codecIsReversibleAndGivesUsableKeys()
{
    QFETCH(QString, text);
    const QString encoded = UpdateReminder::encodeSetting(text);
    QCOMPARE(UpdateReminder::decodeSetting(encoded), text);
    QCOMPARE(UpdateReminder::tryDecodeSetting(encoded), std::optional<QString>(text));
    QCOMPARE(encoded.isEmpty(), text.isEmpty());
    QVERIFY(!encoded.contains(QLatin1Char('/')));
    QVERIFY(!encoded.contains(QLatin1Char('\\')));
    for (const QChar c : encoded)
        QVERIFY2(c.unicode() < 128 && (c.isLetterOrNumber() || c == QLatin1Char('-')
                                       || c == QLatin1Char('_')),
                 qPrintable(encoded));
    if (!text.isEmpty())
        QVERIFY(encoded != text);
}

void TestUpdateReminder::codecRefusesForeignText()
{
    // Text that the codec never writes is told apart from empty text.
    for (const QString &foreign : {QStringLiteral("12/7/2026"), QStringLiteral("RHVyYXRpb24="),
                                   QStringLiteral("a"), QStringLiteral("RHVyYXRpb25"),
                                   QStringLiteral("_w"), QStringLiteral(" ")}) {
        QVERIFY2(!UpdateReminder::tryDecodeSetting(foreign).has_value(), qPrintable(foreign));
        QCOMPARE(UpdateReminder::decodeSetting(foreign), QString());
    }
}

void TestUpdateReminder::firstRunStoresTodayWithoutAsking()
{
    TestEnvironment env;
    UpdateReminder::run();
    QVERIFY(env.messages.shown.isEmpty());
    QVERIFY(env.browser.opened.isEmpty());
    QCOMPARE(env.settings.writes, 1);
    QCOMPARE(env.settings.values.size(), 1);
    QCOMPARE(storedDate(env), env.clock.date);
    QCOMPARE(UpdateReminder::decodeSetting(env.settings.values.value(storageKey())),
             QStringLiteral("07/12/2026"));
}

void TestUpdateReminder::asksOnlyBeyondFourteenDays_data()
{
    QTest::addColumn<QDate>("today");
    QTest::addColumn<int>("offset"); // stored date minus today, in days
    QTest::addColumn<bool>("asks");
    const QDate day(2026, 12, 7);
    QTest::newRow("today") << day << 0 << false;
    QTest::newRow("14 days ago") << day << -14 << false;
    QTest::newRow("15 days ago") << day << -15 << true;
    QTest::newRow("a year ago") << day << -365 << true;
    QTest::newRow("14 days ahead") << day << 14 << false;
    QTest::newRow("15 days ahead") << day << 15 << true;
    QTest::newRow("14 days ago, across the new year") << QDate(2027, 1, 5) << -14 << false;
    QTest::newRow("15 days ago, across the new year") << QDate(2027, 1, 5) << -15 << true;
    QTest::newRow("14 days ago, across 29 February") << QDate(2028, 3, 10) << -14 << false;
}

void TestUpdateReminder::asksOnlyBeyondFourteenDays()
{
    QFETCH(QDate, today);
    QFETCH(int, offset);
    QFETCH(bool, asks);
    TestEnvironment env;
    env.clock.date = today;
    const QDate stored = env.clock.date.addDays(offset);
    storeDate(env, stored);
    env.messages.answers.enqueue(MessageBoxes::Answer::No);

    UpdateReminder::run();

    QVERIFY(env.browser.opened.isEmpty());
    if (!asks) {
        QVERIFY(env.messages.shown.isEmpty());
        QCOMPARE(env.settings.writes, 0);
        QCOMPARE(storedDate(env), stored);
        return;
    }
    QCOMPARE(env.messages.shown.size(), 1);
    const auto &box = env.messages.shown.constFirst();
    QCOMPARE(box.text, reminderText);
    QCOMPARE(box.icon, MessageBoxes::Icon::Information);
    QCOMPARE(box.buttons, MessageBoxes::Buttons::YesNo);
    // A No still starts a new fourteen days from today.
    QCOMPARE(env.settings.writes, 1);
    QCOMPARE(storedDate(env), env.clock.date);
}

void TestUpdateReminder::yesOpensTheDownloadPageAfterTheDateIsStored()
{
    TestEnvironment env;
    OrderCheckingBrowser browser(env);
    Platform p = platform();
    p.browser = &browser;
    installPlatform(p);

    const QDate old = env.clock.date.addDays(-40);
    storeDate(env, old);
    bool pageOpenWhileAsking = true;
    env.messages.whileOpen = [&](const auto &) { pageOpenWhileAsking = !browser.opened.isEmpty(); };
    env.messages.answers.enqueue(MessageBoxes::Answer::Yes);

    UpdateReminder::run();

    QVERIFY(!pageOpenWhileAsking);
    QCOMPARE(browser.opened.size(), 1);
    QCOMPARE(browser.opened.constFirst(),
             WebPages::url(QStringLiteral("download-web-page")));
    QCOMPARE(browser.dateWhenOpened, env.clock.date);
    QCOMPARE(env.settings.writes, 1);
}

void TestUpdateReminder::dueReminderAsksOnceAcrossTwoRuns()
{
    // Start-up and the entry window's load both run the reminder.
    TestEnvironment env;
    storeDate(env, env.clock.date.addDays(-30));
    UpdateReminder::run();
    UpdateReminder::run();
    QCOMPARE(env.messages.shown.size(), 1);
    QCOMPARE(env.browser.pageKeys(), QStringList{QStringLiteral("download-web-page")});
    QCOMPARE(env.settings.writes, 1);

    // The next start, fourteen days on, is quiet; the one after that asks.
    env.clock.date = env.clock.date.addDays(14);
    UpdateReminder::run();
    QCOMPARE(env.messages.shown.size(), 1);
    env.clock.date = env.clock.date.addDays(1);
    UpdateReminder::run();
    QCOMPARE(env.messages.shown.size(), 2);
}

void TestUpdateReminder::unreadableSettingCountsAsDue_data()
{
    QTest::addColumn<QString>("stored");
    QTest::newRow("not encoded") << QStringLiteral("07/12/2026");
    QTest::newRow("damaged encoding") << QStringLiteral("MDcvMTIvMjAyNg==!");
    QTest::newRow("encoded, not a date") << UpdateReminder::encodeSetting(QStringLiteral("soon"));
    QTest::newRow("encoded, impossible date") << UpdateReminder::encodeSetting(QStringLiteral("31/02/2026"));
    QTest::newRow("encoded, other format") << UpdateReminder::encodeSetting(QStringLiteral("2026-12-07"));
    QTest::newRow("encoded, blanks") << UpdateReminder::encodeSetting(QStringLiteral("   "));
    QTest::newRow("not UTF-8") << QString::fromLatin1(QByteArray("\xff\xfe\xfd").toBase64(
            QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals));
}

void TestUpdateReminder::unreadableSettingCountsAsDue()
{
    QFETCH(QString, stored);
    TestEnvironment env;
    env.settings.values.insert(storageKey(), stored);
    env.messages.answers.enqueue(MessageBoxes::Answer::No);

    UpdateReminder::run();

    QCOMPARE(env.messages.texts(), QStringList{reminderText});
    QCOMPARE(storedDate(env), env.clock.date);
    // Mended: the next run is quiet.
    UpdateReminder::run();
    QCOMPARE(env.messages.shown.size(), 1);
}

void TestUpdateReminder::twoDigitYearFormatsReadBackTheSameDate_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QDate>("today");
    QTest::newRow("en_US") << QLocale(QLocale::English, QLocale::UnitedStates) << QDate(2026, 12, 7);
    QTest::newRow("de_DE") << QLocale(QLocale::German, QLocale::Germany) << QDate(2026, 12, 7);
    QTest::newRow("en_US, 2069") << QLocale(QLocale::English, QLocale::UnitedStates) << QDate(2069, 1, 2);
    QTest::newRow("C") << QLocale::c() << QDate(2026, 12, 7);
    QTest::newRow("ja_JP") << QLocale(QLocale::Japanese, QLocale::Japan) << QDate(2026, 12, 7);
}

void TestUpdateReminder::twoDigitYearFormatsReadBackTheSameDate()
{
    QFETCH(QLocale, locale);
    QFETCH(QDate, today);
    LocaleScope scope(locale);
    TestEnvironment env;
    env.clock.date = today;

    UpdateReminder::run();
    const QString text = UpdateReminder::decodeSetting(env.settings.values.value(storageKey()));
    QVERIFY2(text.contains(QString::number(today.year())), qPrintable(text));
    QCOMPARE(UpdateReminder::dateFromText(text), today);

    // Same day and fourteen days on: quiet. A century off would ask.
    UpdateReminder::run();
    env.clock.date = today.addDays(14);
    UpdateReminder::run();
    QVERIFY(env.messages.shown.isEmpty());
    env.clock.date = today.addDays(15);
    UpdateReminder::run();
    QCOMPARE(env.messages.shown.size(), 1);
}

void TestUpdateReminder::realSettingsStoreKeepsTheDate()
{
    // The encoded key works as a key of the real per-user store.
    TestEnvironment env;
    QSettingsStore real;
    Platform p = platform();
    p.settings = &real;
    installPlatform(p);
    const QString app = QStringLiteral("tst_updatereminder-real");
    const QString key = UpdateReminder::encodeSetting(QStringLiteral("Duration"));
    const QString value = UpdateReminder::encodeSetting(UpdateReminder::dateText(env.clock.date));
    real.setValue(app, QStringLiteral("Settings"), key, value);
    QCOMPARE(QSettingsStore().value(app, QStringLiteral("Settings"), key, QString()), value);

    UpdateReminder::run();
    UpdateReminder::run();
    QVERIFY(env.messages.shown.isEmpty());
    QCOMPARE(UpdateReminder::dateFromText(UpdateReminder::decodeSetting(real.value(
                     AppInfo::executableBaseName(), QStringLiteral("Settings"), key, QString()))),
             env.clock.date);
}

QTEST_GUILESS_MAIN(TestUpdateReminder)
#include "tst_updatereminder.moc"
