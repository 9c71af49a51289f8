// Every text the windows show is ready for translation: under a
// pseudo-translation made from the build's template (translations/, made by
// lupdate), which wraps each text it holds in ⟦ ⟧, no word in any window,
// page, pop-up, menu, header, tip, spoken name or message box stands outside
// the marks. A text that never went through tr() stays bare; one that went
// through it in a context or with words lupdate did not find is not wrapped
// either, and is named as well.
//
// The user's data is exempt, and only that: what the boxes hold (typed or
// filled from a record), the cells of the lists and of the charts' tables
// (the records, their counts; the months as the system's locale names them),
// the report's values (its labels are checked), and selector entries that
// are numbers (hours, minutes, days, years).

#include "support/ProgramWindows.h"
#include "support/WindowDriver.h"

#include "app/ExitScreen.h"
#include "app/FrameWindow.h"
#include "app/UpdateReminder.h"
#include "app/WindowCoordinator.h"
#include "entry/EntryWindow.h"
#include "list/CustomersWindow.h"
#include "list/RecordListWindow.h"
#include "list/StatisticsWindow.h"
#include "platform/MessageBoxes.h"
#include "view/RecordReport.h"
#include "view/RecordViewWindow.h"
#include "widgets/FieldFilters.h"
#include "widgets/Refusals.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAccessible>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QRegularExpression>
#include <QSet>
#include <QTableView>
#include <QTextDocumentFragment>
#include <QTimer>
#include <QTranslator>
#include <QTreeWidget>
#include <QXmlStreamReader>
#include <QtTest>

using namespace Orvane;
using namespace Orvane::Testing;

namespace {

const QString kOpen = QStringLiteral("\u27E6");
const QString kClose = QStringLiteral("\u27E7");

// Wraps every text of the template in the marks. Texts of the program's
// own contexts (Orvane::...) that the template lacks stay as they are, and
// are remembered; Qt's own texts (its buttons, its window menus) are
// wrapped too, as Qt's own catalogue translates them.
class PseudoTranslator final : public QTranslator
{
public:
    bool load(const QString &templatePath)
    {
        QFile file(templatePath);
        if (!file.open(QIODevice::ReadOnly))
            return false;
        QXmlStreamReader xml(&file);
        QString context, source, comment;
        while (!xml.atEnd()) {
            xml.readNext();
            if (!xml.isStartElement())
                continue;
            if (xml.name() == QLatin1String("name"))
                context = xml.readElementText();
            else if (xml.name() == QLatin1String("message"))
                source.clear(), comment.clear();
            else if (xml.name() == QLatin1String("source"))
                source = text(xml);
            else if (xml.name() == QLatin1String("comment"))
                comment = text(xml);
            else if (xml.name() == QLatin1String("translation"))
                m_texts.insert(key(context, source, comment));
        }
        return !xml.hasError() && !m_texts.isEmpty();
    }

    QString translate(const char *context, const char *sourceText, const char *disambiguation,
                      int) const override
    {
        const QString ctx = QString::fromUtf8(context);
        const QString source = QString::fromUtf8(sourceText);
        // Qt asks which way the language writes: left to right, as ever.
        if (source == QLatin1String("QT_LAYOUT_DIRECTION"))
            return {};
        if (ctx.startsWith(QLatin1String("Orvane::"))
            && !m_texts.contains(key(ctx, source, QString::fromUtf8(disambiguation)))) {
            m_unknown.insert(QStringLiteral("%1: \"%2\"").arg(ctx, source));
            return {};
        }
        return kOpen + source + kClose;
    }

    bool isEmpty() const override { return false; }

    // The program's texts asked for that the template does not hold.
    QStringList unknown() const
    {
        QStringList list(m_unknown.cbegin(), m_unknown.cend());
        list.sort();
        return list;
    }

private:
    // An element's text; lupdate writes a control character, such as the
    // carriage returns of the messages, as <byte value="xd"/>.
    static QString text(QXmlStreamReader &xml)
    {
        QString result;
        while (xml.readNext() != QXmlStreamReader::EndElement || xml.name() == QLatin1String("byte")) {
            if (xml.isCharacters()) {
                result += xml.text();
            } else if (xml.isStartElement() && xml.name() == QLatin1String("byte")) {
                const QStringView value = xml.attributes().value(QLatin1String("value"));
                bool ok = false;
                const uint code = value.startsWith(u'x') ? value.mid(1).toUInt(&ok, 16)
                                                         : value.toUInt(&ok, 10);
                if (ok)
                    result += QChar(char16_t(code));
            } else if (xml.atEnd()) {
                break;
            }
        }
        return result;
    }

    static QString key(const QString &context, const QString &source, const QString &comment)
    {
        return context + QChar(0) + source + QChar(0) + comment;
    }

    QSet<QString> m_texts;
    mutable QSet<QString> m_unknown;
};

PseudoTranslator *translator = nullptr;

// Whether every letter of the text stands inside the marks. Pieces joined
// around translated texts (punctuation, line breaks, a number) may stand
// outside them; a word may not.
bool wrapped(const QString &text)
{
    int depth = 0;
    for (const QChar c : text) {
        if (c == kOpen.at(0))
            ++depth;
        else if (c == kClose.at(0))
            depth = qMax(0, depth - 1);
        else if (depth == 0 && c.isLetter())
            return false;
    }
    return true;
}

// Data, not a text of the program: a number (an hour, a minute, a day, a
// year).
bool isNumber(const QString &text)
{
    static const QRegularExpression number(QStringLiteral("^\\d+$"));
    return number.match(text).hasMatch();
}

QString plain(const QString &text, Qt::TextFormat format)
{
    if (format == Qt::RichText || (format == Qt::AutoText && Qt::mightBeRichText(text)))
        return QTextDocumentFragment::fromHtml(text).toPlainText();
    return text;
}

// Gathers the texts that are not wrapped, each with where it was.
class Walk
{
public:
    explicit Walk(const QString &where) : m_where(where) {}

    void check(const QString &text, const QObject *owner, const char *what)
    {
        if (text.trimmed().isEmpty() || wrapped(text))
            return;
        m_problems.append(QStringLiteral("%1: %2 (%3) %4: \"%5\"")
                                  .arg(m_where, nameOf(owner),
                                       QString::fromLatin1(owner->metaObject()->className()),
                                       QString::fromLatin1(what), text));
    }

    void checkAction(QAction *action)
    {
        if (action->isSeparator())
            return;
        check(action->text(), action, "text");
        // Qt makes the tip from the text when none was set.
        check(action->toolTip(), action, "tool tip");
        check(action->statusTip(), action, "status tip");
        check(action->whatsThis(), action, "what's this");
        if (QMenu *menu = action->menu())
            checkMenu(menu);
    }

    void checkMenu(QMenu *menu)
    {
        check(menu->title(), menu, "title");
        const QList<QAction *> actions = menu->actions();
        for (QAction *action : actions)
            checkAction(action);
    }

    void checkWidget(QWidget *w)
    {
        if (w->isWindow() || qobject_cast<QMdiSubWindow *>(w))
            check(w->windowTitle(), w, "window title");
        check(w->toolTip(), w, "tool tip");
        check(w->statusTip(), w, "status tip");
        check(w->whatsThis(), w, "what's this");
        check(w->accessibleName(), w, "accessible name");
        check(w->accessibleDescription(), w, "accessible description");
        // What a screen reader hears, also where Qt makes it (from a
        // button's caption, a box's label). A box's value is the user's.
        if (QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(w)) {
            if (!qobject_cast<QComboBox *>(w) && !qobject_cast<QLineEdit *>(w->focusProxy()))
                check(iface->text(QAccessible::Name), w, "spoken name");
            check(iface->text(QAccessible::Description), w, "spoken description");
        }
        const QList<QAction *> actions = w->actions();
        for (QAction *action : actions)
            checkAction(action);

        if (auto *label = qobject_cast<QLabel *>(w))
            check(plain(label->text(), label->textFormat()), w, "text");
        if (auto *button = qobject_cast<QAbstractButton *>(w))
            check(button->text(), w, "text");
        if (auto *group = qobject_cast<QGroupBox *>(w))
            check(group->title(), w, "title");
        // What a box holds is the user's; its hint is not.
        if (auto *edit = qobject_cast<QLineEdit *>(w))
            check(edit->placeholderText(), w, "placeholder");
        if (auto *edit = qobject_cast<QPlainTextEdit *>(w))
            check(edit->placeholderText(), w, "placeholder");
        // The entries a list offers; numbers are data. An editable list's
        // text is the user's (or the stored record's).
        if (auto *combo = qobject_cast<QComboBox *>(w)) {
            for (int i = 0; i < combo->count(); ++i) {
                if (!isNumber(combo->itemText(i)))
                    check(combo->itemText(i), w, "entry");
            }
        }
        if (auto *menuBar = qobject_cast<QMenuBar *>(w)) {
            const QList<QAction *> titles = menuBar->actions();
            for (QAction *title : titles)
                checkAction(title);
        }
        if (auto *menu = qobject_cast<QMenu *>(w))
            checkMenu(menu);
        if (auto *tabs = qobject_cast<QTabBar *>(w)) {
            for (int i = 0; i < tabs->count(); ++i) {
                check(tabs->tabText(i), w, "tab");
                check(tabs->tabToolTip(i), w, "tab tip");
            }
        }
        // The headers of the columns on show; the cells are the records.
        if (auto *view = qobject_cast<QAbstractItemView *>(w); view && view->model()) {
            const QHeaderView *header = nullptr;
            if (auto *table = qobject_cast<QTableView *>(view))
                header = table->horizontalHeader();
            else if (auto *tree = qobject_cast<QTreeView *>(view))
                header = tree->header();
            for (int section = 0; header && section < view->model()->columnCount(); ++section) {
                if (!header->isSectionHidden(section))
                    check(view->model()->headerData(section, Qt::Horizontal).toString(), w,
                          "column caption");
            }
        }
    }

    // The window and everything in it.
    void checkWindow(QWidget *window)
    {
        checkWidget(window);
        const QList<QWidget *> widgets = window->findChildren<QWidget *>();
        for (QWidget *w : widgets)
            checkWidget(w);
    }

    void checkMessages(const QStringList &texts)
    {
        for (const QString &text : texts) {
            if (!wrapped(text))
                m_problems.append(QStringLiteral("%1: message box: \"%2\"").arg(m_where, text));
        }
    }

    QStringList problems() const { return m_problems; }

private:
    QString m_where;
    QStringList m_problems;
};

// Names each text that is not wrapped, one warning each (a failure's
// message is cut short), and says how many there are.
QString listed(const QStringList &problems)
{
    for (const QString &problem : problems)
        qWarning().noquote() << problem;
    return QStringLiteral("%1 text(s) not put through translation, named above")
            .arg(problems.size());
}

} // namespace

class TestTranslatable : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void everyWindowShowsOnlyTranslatedTexts_data();
    void everyWindowShowsOnlyTranslatedTexts();
    void customersAndStatisticsShowOnlyTranslatedTexts();
    void theReportsLabelsAreTranslated();
    void messagesAreTranslated();
    void aMessageBoxIsTranslated();
    void everyTextAskedForIsInTheTemplate();
};

void TestTranslatable::initTestCase()
{
    translator = new PseudoTranslator;
    QVERIFY2(translator->load(QStringLiteral(ORVANE_TS_TEMPLATE)),
             "the translation template " ORVANE_TS_TEMPLATE " could not be read");
    QVERIFY(QCoreApplication::installTranslator(translator));
}

void TestTranslatable::cleanupTestCase()
{
    QCoreApplication::removeTranslator(translator);
    delete translator;
    translator = nullptr;
}

void TestTranslatable::everyWindowShowsOnlyTranslatedTexts_data()
{
    ProgramWindows::addStateRows();
}

void TestTranslatable::everyWindowShowsOnlyTranslatedTexts()
{
    QFETCH(QString, state);
    ProgramWindows program;
    QWidget *window = program.enter(state);
    QVERIFY(window);
    Walk walk(state);
    walk.checkWindow(window);
    // The frame's menus and child windows stay behind the About box.
    if (window != &program.frame())
        walk.checkWindow(&program.frame());
    // The message's words, which the box holds as the user may change them.
    if (auto *exit = qobject_cast<ExitScreen *>(window))
        walk.check(control<QPlainTextEdit>(exit, "txtMessage")->toPlainText(), exit,
                   "message to a friend");
    QVERIFY2(walk.problems().isEmpty(), qPrintable(listed(walk.problems())));
}

void TestTranslatable::customersAndStatisticsShowOnlyTranslatedTexts()
{
    ProgramWindows program;
    WindowCoordinator &windows = program.frame().windows();
    Walk walk(QStringLiteral("customers and statistics"));

    // File > Customers in the entry window, once counted.
    control<QAction>(program.entry(), "mnuCustomers")->trigger();
    CustomersWindow *customers = windows.customersWindow();
    QVERIFY(customers);
    QTRY_VERIFY_WITH_TIMEOUT(!customers->isBusy(), 20000);
    walk.checkWindow(&program.frame());

    // File > Statistics in the list, of the records a find shows: every
    // chart and its table.
    program.entry()->showAllRecords();
    RecordListWindow *list = windows.listWindow();
    list->showFindBar();
    QTest::keyClicks(control<QLineEdit>(list, "txtFind"), QStringLiteral("customer"));
    QTRY_VERIFY_WITH_TIMEOUT(!list->isSearching(), 20000);
    control<QAction>(list, "mnuStatistics")->trigger();
    StatisticsWindow *statistics = windows.statisticsWindow();
    QVERIFY(statistics);
    QTRY_VERIFY_WITH_TIMEOUT(!statistics->isBusy(), 20000);
    walk.checkWindow(&program.frame());
    QVERIFY2(walk.problems().isEmpty(), qPrintable(listed(walk.problems())));
}

void TestTranslatable::theReportsLabelsAreTranslated()
{
    DowsingRecord filled;
    filled.Date = QDate(2011, 6, 1);
    filled.Name = QStringLiteral("CUSTOMER");
    filled.Item_Dowsing_For = QStringLiteral("water");
    Walk walk(QStringLiteral("report"));
    QObject owner;
    owner.setObjectName(QStringLiteral("RecordReport"));
    // Both labels of the item, and the words of an empty field.
    for (const DowsingRecord &record : {filled, DowsingRecord()}) {
        const QList<RecordReport::Entry> entries = RecordReport::entries(record);
        for (const RecordReport::Entry &entry : entries) {
            walk.check(entry.label, &owner, "label");
            if (entry.content == RecordReport::notEnteredText())
                walk.check(entry.content, &owner, "empty field");
        }
    }
    QVERIFY2(walk.problems().isEmpty(), qPrintable(listed(walk.problems())));
}

void TestTranslatable::messagesAreTranslated()
{
    ProgramWindows program;
    TestEnvironment &env = program.env;
    EntryWindow *form = program.entry();

    // The update reminder, due when its setting does not read as a date.
    for (QString &value : env.settings.values)
        value = QStringLiteral("damaged!");
    UpdateReminder::run();

    // The entry window: a key its box refuses, an e-mail address Next
    // refuses, an unnamed tool, a record saved.
    press(form, "cmAddNewRecord");
    QTest::keyClick(control<QLineEdit>(form, "txtName"), Qt::Key_5);
    control<QLineEdit>(form, "txtEmail")->setText(QStringLiteral("not an address"));
    press(form, "cmdCustomersDetailsNext");
    control<QLineEdit>(form, "txtEmail")->clear();
    press(form, "cmdCustomersDetailsNext");
    auto *tools = control<QComboBox>(form, "cmbDowsingTool");
    tools->setCurrentIndex(tools->count() - 1);
    press(form, "cmdOk");
    press(form, "cmdCancel");
    control<QLineEdit>(form, "txtName")->setText(QStringLiteral("NEW"));
    press(form, "cmdToolsNext");
    press(form, "cmdadd");

    // The list and a record: its deletion asked and told, put back, an
    // edit asked over unsaved input, the list exported.
    WindowCoordinator &windows = program.frame().windows();
    const auto openFirstRecord = [&] {
        form->showAllRecords();
        QTableView *grid = gridOf(windows.listWindow());
        grid->setCurrentIndex(grid->model()->index(0, 0));
        windows.listWindow()->openCurrentRecord();
    };
    openFirstRecord();
    press(windows.recordView(), "cmddelete");
    control<QAction>(windows.listWindow(), "mnuUndoDelete")->trigger();
    openFirstRecord();
    press(windows.recordView(), "cmdedit");
    control<QLineEdit>(form, "txtName")->setText(QStringLiteral("CHANGED"));
    control<QAction>(form, "mnuAddNewRecor")->trigger();
    env.dialogs.nextSaveName = QDir(env.folder()).filePath(QStringLiteral("export.csv"));
    form->showAllRecords();
    control<QAction>(windows.listWindow(), "mnuExportShown")->trigger();

    // What the store and the refusals say.
    const QStringList refusals = {
        Refusals::fileMissing(),
        Refusals::fileUnusable(QStringLiteral("reason")),
        Refusals::recordNotSaved(QStringLiteral("reason")),
        Refusals::recordNotDeleted(QStringLiteral("reason")),
        Refusals::recordNotRestored(QStringLiteral("reason")),
        Refusals::recordNotDeletedForGood(QStringLiteral("reason")),
        Refusals::recordsNotOpened(QStringLiteral("reason")),
        Refusals::recordsNotRead(QStringLiteral("reason")),
        Refusals::recordNotRead(QStringLiteral("reason")),
        Refusals::listedRecordNotRead(QString()),
        FieldFilters::alphabetMessage(),
        FieldFilters::numberMessage(),
        FieldFilters::emailMessage(),
    };

    Walk walk(QStringLiteral("messages"));
    // The reminder, four in the entry window, three in the list and the
    // view, the question over unsaved input, the export's.
    QCOMPARE(env.messages.shown.size(), 10);
    walk.checkMessages(env.messages.texts());
    walk.checkMessages(refusals);
    // The export's dialog and progress.
    walk.checkMessages({env.dialogs.lastTitle, env.dialogs.lastFilter, env.progress.lastLabel});
    QVERIFY2(walk.problems().isEmpty(), qPrintable(listed(walk.problems())));
}

void TestTranslatable::aMessageBoxIsTranslated()
{
    // The box itself: its title and Qt's own buttons.
    QtMessageBoxes boxes;
    Walk walk(QStringLiteral("message box"));
    bool seen = false;
    QTimer::singleShot(0, this, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        seen = true;
        walk.checkWindow(box);
        box->done(QMessageBox::No);
    });
    boxes.show(nullptr, Refusals::fileMissing(), MessageBoxes::Icon::Information,
               MessageBoxes::Buttons::YesNo, MessageBoxes::Answer::No);
    QVERIFY(seen);
    QVERIFY2(walk.problems().isEmpty(), qPrintable(listed(walk.problems())));
}

void TestTranslatable::everyTextAskedForIsInTheTemplate()
{
    // Asked for by the tests above in a context or with words lupdate did
    // not gather into the template.
    const QStringList unknown = translator->unknown();
    QVERIFY2(unknown.isEmpty(),
             qPrintable(QStringLiteral("not in the template (run the build again, or use tr() "
                                       "where lupdate finds it):\n  ")
                        + unknown.join(QStringLiteral("\n  "))));
}

QTEST_MAIN(TestTranslatable)
#include "tst_translatable.moc"
