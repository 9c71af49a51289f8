// A disk that fills up during a save, through the real entry window. A file
// size limit on this process stands in for the full disk (it makes the
// engine's writes fail part-way, as a full disk does, and root is not exempt
// from it). The save is refused with its reason, the form keeps everything
// typed, the file stays whole with every earlier record, and the same press
// saves once there is room again.

#include "support/FakePlatform.h"

#include "entry/frmMain.h"
#include "shell/MDIForm1.h"
#include "shell/modHelp.h"
#include "store/RecordStore.h"

#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStackedWidget>
#include <QtTest>

#include <algorithm>
#include <csignal>
#include <functional>
#include <memory>
#include <sys/resource.h>

using namespace Orvane;
using Orvane::Testing::TestEnvironment;

namespace {

// Statements and checks on a connection of the test's own.
QString integrityOf(const QString &path)
{
    const QString name = QStringLiteral("tst-fulldisk-check");
    QString result;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        if (db.open()) {
            QSqlQuery q(db);
            result = q.exec(QStringLiteral("PRAGMA integrity_check")) && q.next()
                    ? q.value(0).toString()
                    : QStringLiteral("the check did not run");
            q.finish();
            db.close();
        } else {
            result = QStringLiteral("the file does not open");
        }
    }
    QSqlDatabase::removeDatabase(name);
    return result;
}

bool setJournalMode(const QString &path, const QString &mode)
{
    const QString name = QStringLiteral("tst-fulldisk-mode");
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        QSqlQuery q(db);
        ok = db.open() && q.exec(QStringLiteral("PRAGMA journal_mode = %1").arg(mode)) && q.next()
                && q.value(0).toString() == mode.toLower();
        q.finish();
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return ok;
}

QList<DowsingRecord> storedRecords(const QString &path)
{
    RecordStore store;
    if (store.open(path) != RecordStore::OpenResult::Opened)
        return {};
    QList<DowsingRecord> records;
    const QVector<qint64> ids = store.idNumbers();
    for (qint64 id : ids)
        records.append(*store.find(id));
    return records;
}

// The largest of the database's files, the size up to which writes may go.
qint64 largestFile(const QString &databasePath)
{
    qint64 largest = QFileInfo(databasePath).size();
    for (const char *suffix : {"-wal", "-journal"})
        largest = std::max(largest, QFileInfo(databasePath + QLatin1String(suffix)).size());
    return largest;
}

// While it lives, no file of this process may grow past the given size, and
// a write that tries fails instead of ending the process.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(qint64 bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_previous);
        m_handler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limited = m_previous;
        limited.rlim_cur = static_cast<rlim_t>(bytes);
        m_set = setrlimit(RLIMIT_FSIZE, &limited) == 0;
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_previous);
        std::signal(SIGXFSZ, m_handler);
    }
    bool isSet() const { return m_set; }

private:
    rlimit m_previous{};
    void (*m_handler)(int) = nullptr;
    bool m_set = false;
};

// The frame with its entry window loaded over a program folder of its own.
class Entry
{
public:
    explicit Entry(const std::function<void(const QString &)> &prepareFile)
    {
        prepareFile(env.databasePath());
        // The reminder is due on a fresh settings store; let it ask now.
        modHelp::UpdateReminder();
        env.messages.clear();
        frame = std::make_unique<MDIForm1>();
        loaded = frame->MDIForm_Load();
        form = frame->entryForm();
        if (loaded)
            frame->show();
    }
    ~Entry()
    {
        frame.reset();
        const QList<QWidget *> windows = QApplication::topLevelWidgets();
        for (QWidget *w : windows)
            if (w->inherits("Orvane::frmExit"))
                delete w;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    template<class T>
    T *get(const char *name) const
    {
        T *w = form->findChild<T *>(QLatin1String(name));
        if (!w)
            qFatal("no control %s", name);
        return w;
    }
    QLineEdit *line(const char *name) const { return get<QLineEdit>(name); }
    QPlainTextEdit *box(const char *name) const { return get<QPlainTextEdit>(name); }
    QComboBox *list(const char *name) const { return get<QComboBox>(name); }
    QPushButton *button(const char *name) const { return get<QPushButton>(name); }
    void click(const char *name) const { QTest::mouseClick(button(name), Qt::LeftButton); }
    QWidget *frontPage() const { return get<QStackedWidget>("pages")->currentWidget(); }
    bool pagesEnabled() const
    {
        return get<QGroupBox>("fraCustomersDetails")->isEnabled()
                && get<QGroupBox>("fraTools")->isEnabled()
                && get<QGroupBox>("fraNotes")->isEnabled();
    }

    // Types a record from "Add New Record" to the notes page.
    void typeRecord(const QString &name, const QString &city, const QString &notes) const
    {
        click("cmAddNewRecord");
        QTest::keyClicks(line("txtName"), name);
        QTest::keyClicks(line("txtCity"), city);
        click("cmdCustomersDetailsNext");
        list("cmbHour")->setCurrentIndex(9);
        click("cmdToolsNext");
        box("txtNotes")->setPlainText(notes);
    }

    TestEnvironment env;
    std::unique_ptr<MDIForm1> frame;
    frmMain *form = nullptr;
    bool loaded = false;
};

} // namespace

class TestFullDisk : public QObject
{
    Q_OBJECT

private slots:
    void saveOnAFullDiskLosesNothing_data();
    void saveOnAFullDiskLosesNothing();
};

void TestFullDisk::saveOnAFullDiskLosesNothing_data()
{
    QTest::addColumn<bool>("update");
    QTest::addColumn<QString>("journalMode");
    QTest::newRow("add, write-ahead log") << false << "WAL";
    QTest::newRow("update, write-ahead log") << true << "WAL";
    QTest::newRow("add, rollback journal") << false << "DELETE";
    QTest::newRow("update, rollback journal") << true << "DELETE";
}

void TestFullDisk::saveOnAFullDiskLosesNothing()
{
    QFETCH(bool, update);
    QFETCH(QString, journalMode);

    // The shipped file keeps a write-ahead log; a file in the older journal
    // mode fails at another point of the commit.
    Entry w([&journalMode](const QString &path) {
        if (journalMode != QLatin1String("WAL") && !setJournalMode(path, journalMode))
            qWarning("the journal mode could not be set");
    });
    QVERIFY(w.loaded);
    QVERIFY(QFileInfo::exists(w.env.databasePath() + QStringLiteral("-wal"))
            == (journalMode == QLatin1String("WAL")));
    const QString db = w.env.databasePath();

    // Earlier records, saved through the window.
    for (int i = 0; i < 3; ++i) {
        w.typeRecord(QStringLiteral("customer ") + QChar(u'a' + i), QStringLiteral("bath"),
                     QStringLiteral("dry at %1 m").arg(i + 2));
        w.click("cmdadd");
    }
    QCOMPARE(w.env.messages.texts(), QStringList(3, QStringLiteral("Record Saved Succesfully !")));

    const QList<DowsingRecord> earlier = storedRecords(db);
    QCOMPARE(earlier.size(), 3);
    w.env.messages.clear();

    if (update) {
        // The record view's edit command, in its order.
        w.form->setPagesEnabled(true);
        w.form->setAddNewRecordVisible(false);
        w.form->showRecord(earlier.at(1), earlier.at(1).listedDateText(),
                           earlier.at(1).Time_Dowsing_Occured);
        w.form->setUpdateMode(*earlier.at(1).IdNumber);
        w.line("txtName")->clear();
        QTest::keyClicks(w.line("txtName"), QStringLiteral("changed name"));
        w.click("cmdCustomersDetailsNext");
        w.click("cmdToolsNext");
    } else {
        w.typeRecord(QStringLiteral("last one"), QStringLiteral("wells"), QString());
    }
    // Far more than the room left.
    QString notes;
    for (int i = 0; notes.size() < 400000; ++i)
        notes += QStringLiteral("Line %1 of the long survey notes, rods crossed.\n").arg(i);
    w.box("txtNotes")->setPlainText(notes);
    const QString nameTyped = w.line("txtName")->text();
    const QString cityTyped = w.line("txtCity")->text();
    const QString hourChosen = w.list("cmbHour")->currentText();
    const QString caption = update ? QStringLiteral("&Update") : QStringLiteral("&Add");
    QCOMPARE(w.button("cmdadd")->text(), caption);

    {
        FileSizeLimit full(largestFile(db) + 1024);
        QVERIFY(full.isSet());
        w.click("cmdadd");
    }

    // Refused, with the reason.
    QCOMPARE(w.env.messages.shown.size(), 1);
    const QString message = w.env.messages.shown.constFirst().text;
    QVERIFY2(message.startsWith(QStringLiteral("Record Not Saved !\r")), qPrintable(message));
    QVERIFY2(message.size() > QStringLiteral("Record Not Saved !\r").size(), qPrintable(message));
    QCOMPARE(w.env.messages.shown.constFirst().icon, MessageBoxes::Icon::Critical);

    // The form keeps its page, its mode and everything typed.
    QCOMPARE(w.frontPage(), w.form->findChild<QWidget *>(QStringLiteral("fraNotes")));
    QVERIFY(w.pagesEnabled());
    QCOMPARE(w.button("cmdadd")->text(), caption);
    QCOMPARE(w.form->isUpdateMode(), update);
    QCOMPARE(w.line("txtName")->text(), nameTyped);
    QCOMPARE(w.line("txtCity")->text(), cityTyped);
    QCOMPARE(w.list("cmbHour")->currentText(), hourChosen);
    QCOMPARE(w.box("txtNotes")->toPlainText(), notes);
    QVERIFY(w.frame->isChildVisible(w.form));

    // The file is whole and holds exactly the earlier records.
    QCOMPARE(integrityOf(db), QStringLiteral("ok"));
    QCOMPARE(storedRecords(db), earlier);

    // With room again, the same press saves what the form still holds.
    w.env.messages.clear();
    w.click("cmdadd");
    QCOMPARE(w.env.messages.texts(),
             QStringList{update ? QStringLiteral("Record Edited Succesfully !")
                                : QStringLiteral("Record Saved Succesfully !")});

    // Closed and opened again from scratch: whole, with every record.
    w.frame.reset();
    QCOMPARE(integrityOf(db), QStringLiteral("ok"));
    const QList<DowsingRecord> after = storedRecords(db);
    QCOMPARE(after.size(), update ? 3 : 4);
    const DowsingRecord &saved = update ? after.at(1) : after.at(3);
    QCOMPARE(saved.Name, nameTyped);
    QCOMPARE(saved.Notes, notes);
    if (update) {
        QCOMPARE(*saved.IdNumber, *earlier.at(1).IdNumber);
        QCOMPARE(after.at(0), earlier.at(0));
        QCOMPARE(after.at(2), earlier.at(2));
    } else {
        QCOMPARE(after.mid(0, 3), earlier);
    }
}

QTEST_MAIN(TestFullDisk)

#include "tst_fulldisk.moc"
