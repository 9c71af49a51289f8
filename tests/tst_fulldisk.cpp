// A disk that fills up during a save, through the real windows. For the
// database a file size limit on this process stands in for the full disk (it
// makes the engine's writes fail part-way, as a full disk does, and root is
// not exempt from it): the save is refused with its reason, the form keeps
// everything typed, the file stays whole with every earlier record, and the
// same press saves once there is room again. A report saved as Rich Text
// goes to a really full file system (a tiny one mounted for the test, so
// root only): the failure is told naming the file, an existing file keeps
// its bytes, and the same save works once there is room.

#include "support/ProgramWindows.h"
#include "support/TestDatabase.h"
#include "support/TestFiles.h"
#include "support/WindowDriver.h"

#include "view/RtfWriter.h"
#include "view/RecordViewWindow.h"

#include <QTemporaryDir>
#include <QTextEdit>
#include <QtTest>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <sys/mount.h>
#include <unistd.h>

using namespace Orvane;
using namespace Orvane::Testing;

namespace {

// The largest of the database's files, the size up to which writes may go.
qint64 largestFile(const QString &databasePath)
{
    qint64 largest = QFileInfo(databasePath).size();
    for (const char *suffix : {"-wal", "-journal"})
        largest = std::max(largest, QFileInfo(databasePath + QLatin1String(suffix)).size());
    return largest;
}

// A file system of 64 KB of its own, mounted while it lives. Filled, it
// refuses every further block as a full disk does.
class TinyFileSystem
{
public:
    TinyFileSystem()
    {
        if (geteuid() != 0) {
            m_refusal = QStringLiteral("only root may mount the tiny file system");
            return;
        }
        if (::mount("tmpfs", QFile::encodeName(m_dir.path()).constData(), "tmpfs",
                    MS_NOSUID | MS_NODEV, "size=64k")
            != 0) {
            m_refusal = QStringLiteral("the tiny file system could not be mounted: ")
                    + QString::fromLocal8Bit(std::strerror(errno));
            return;
        }
        m_mounted = true;
    }
    ~TinyFileSystem()
    {
        if (m_mounted)
            ::umount2(QFile::encodeName(m_dir.path()).constData(), MNT_DETACH);
    }
    TinyFileSystem(const TinyFileSystem &) = delete;
    TinyFileSystem &operator=(const TinyFileSystem &) = delete;

    bool isMounted() const { return m_mounted; }
    QString refusal() const { return m_refusal; }
    QString filePath(const QString &name) const { return m_dir.filePath(name); }

    // Writes a filler until the file system refuses more.
    bool fill()
    {
        QFile filler(filePath(QStringLiteral("filler")));
        if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            return false;
        const QByteArray block(512, 'x');
        while (filler.write(block) == block.size()) {
        }
        return filler.error() != QFileDevice::NoError;
    }
    bool makeRoom() { return QFile::remove(filePath(QStringLiteral("filler"))); }

private:
    QTemporaryDir m_dir;
    bool m_mounted = false;
    QString m_refusal;
};

} // namespace

class TestFullDisk : public QObject
{
    Q_OBJECT

private slots:
    void saveOnAFullDiskLosesNothing_data();
    void saveOnAFullDiskLosesNothing();
    void reportSavedOnAFullDiskIsToldAndKeepsTheFile_data();
    void reportSavedOnAFullDiskIsToldAndKeepsTheFile();
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

    // The shipped file has a rollback journal; a file that kept a
    // write-ahead log is turned to one when the program opens it.
    EntryDriver w(true, true, [&journalMode](const QString &path) {
        if (!setJournalMode(path, journalMode))
            qWarning("the journal mode could not be set");
    });
    QVERIFY(w.loaded);
    QVERIFY(!QFileInfo::exists(w.env.databasePath() + QStringLiteral("-wal")));
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
        w.editRecord(earlier.at(1), earlier.at(1).listedDateText(),
                     earlier.at(1).Time_Dowsing_Occured);
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

void TestFullDisk::reportSavedOnAFullDiskIsToldAndKeepsTheFile_data()
{
    QTest::addColumn<bool>("replacing");
    QTest::newRow("replacing an earlier report") << true;
    QTest::newRow("a new file") << false;
}

void TestFullDisk::reportSavedOnAFullDiskIsToldAndKeepsTheFile()
{
    QFETCH(bool, replacing);
    TinyFileSystem disk;
    if (!disk.isMounted())
        QSKIP(qPrintable(disk.refusal()));

    ProgramWindows program;
    QVERIFY(program.enter(QStringLiteral("record view")));
    RecordViewWindow *view = program.frame().windows().recordView();
    // A real report is far smaller than a write buffer: a fault that only
    // shows when the bytes wait in one is seen here.
    QVERIFY(RtfWriter::toRtf(*view->reportBox()->document()).size() < 4096);

    const QString target = disk.filePath(QStringLiteral("report.rtf"));
    const QByteArray earlier = "{\\rtf1 the report saved last week\\par}";
    if (replacing)
        QVERIFY(writeFile(target, earlier));
    QVERIFY(disk.fill());
    const QStringList files = QDir(disk.filePath(QString())).entryList(QDir::Files);

    program.env.messages.clear();
    program.env.dialogs.nextSaveName = target;
    press(view, "cmdSave");

    QCOMPARE(program.env.messages.shown.size(), 1);
    const auto &box = program.env.messages.shown.constFirst();
    QCOMPARE(box.icon, MessageBoxes::Icon::Critical);
    QVERIFY2(box.text.startsWith(QStringLiteral("The report could not be saved to \"%1\".\r\r")
                                         .arg(QDir::toNativeSeparators(target))),
             qPrintable(box.text));
    // The old file byte for byte, or none, and no temporary file left over.
    QCOMPARE(fileBytes(target), replacing ? earlier : QByteArray("<unreadable>"));
    QCOMPARE(QDir(disk.filePath(QString())).entryList(QDir::Files), files);

    // With room again the same save writes the report.
    QVERIFY(disk.makeRoom());
    program.env.messages.clear();
    press(view, "cmdSave");
    QVERIFY2(program.env.messages.shown.isEmpty(),
             qPrintable(program.env.messages.texts().join('|')));
    QCOMPARE(fileBytes(target), RtfWriter::toRtf(*view->reportBox()->document()));
}

QTEST_MAIN(TestFullDisk)

#include "tst_fulldisk.moc"
