// The start of the program: the command line, the per-user data folder, and Qt's own Russian
// texts in the editor's entry box and in message boxes.
#include "app/qt_translation.h"
#include "app/start_options.h"
#include "app/user_folder.h"
#include "support/build_info.h"
#include "tests/common/program_fixture.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QMessageBox>
#include <QProcess>
#include <QRegularExpression>
#include <QTranslator>
#include <QtTest>

class TestStart : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase();
    void parse_data();
    void parse();
    void programEndsWithoutWindow_data();
    void programEndsWithoutWindow();
    void userFolder_data();
    void userFolder();
    void userFolderBlocked();
    void entryBoxMenuIsRussian();
    void messageBoxButtonsAreRussian();

  private:
    QTranslator qtRussian_;
};

namespace {

// A text of Qt's own that a user reads: Russian letters, no Latin word. The mnemonic mark and
// the shortcut after a tab are not part of it.
bool readsRussian(QString text) {
    text = text.section(u'\t', 0, 0).remove(u'&');
    static const QRegularExpression latin(QStringLiteral("[A-Za-z]{2,}"));
    static const QRegularExpression cyrillic(QStringLiteral("[А-Яа-яЁё]"));
    return text.contains(cyrillic) && !text.contains(latin);
}

} // namespace

void TestStart::initTestCase() {
    QVERIFY(installQtRussian(qtRussian_));
}

void TestStart::parse_data() {
    using Action = StartOptions::Action;
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<Action>("action");
    QTest::addColumn<bool>("userFolder");
    QTest::addColumn<QString>("textHas");
    QTest::newRow("none") << QStringList{} << Action::Run << false << QString();
    QTest::newRow("user folder") << QStringList{"--user-folder"} << Action::Run << true
                                 << QString();
    QTest::newRow("help") << QStringList{"--help"} << Action::ShowHelp << false << "--user-folder";
    QTest::newRow("-h") << QStringList{"-h"} << Action::ShowHelp << false << "--version";
    QTest::newRow("help wins over version")
        << QStringList{"--version", "--help"} << Action::ShowHelp << false << "--user-folder";
    QTest::newRow("version") << QStringList{"--version"} << Action::ShowVersion << false
                             << "slau " SLAU_VERSION "\n";
    QTest::newRow("unknown option") << QStringList{"--bogus"} << Action::Refuse << false << "bogus";
    QTest::newRow("unknown short") << QStringList{"-q"} << Action::Refuse << false << "«-q»";
    QTest::newRow("unknown, quoted as typed")
        << QStringList{"--frobnicate"} << Action::Refuse << false << "«--frobnicate»";
    QTest::newRow("folder name") << QStringList{"files"} << Action::Refuse << false << "«files»";
    QTest::newRow("option with a value")
        << QStringList{"--user-folder=/tmp"} << Action::Refuse << false << "user-folder";
    QTest::newRow("Qt's own option")
        << QStringList{"-platform", "xcb"} << Action::Run << false << QString();
    QTest::newRow("Qt's options around ours")
        << QStringList{"--style",           "fusion",      "--user-folder",
                       "-qwindowgeometry",  "100x100+0+0", "-reverse",
                       "-stylesheet=a.qss", "-display",    ":1"}
        << Action::Run << true << QString();
    QTest::newRow("Qt's option takes the next word")
        << QStringList{"-qwindowtitle", "--help"} << Action::Run << false << QString();
    QTest::newRow("Qt's option without its value")
        << QStringList{"--user-folder", "-platform"} << Action::Refuse << false << "«-platform»";
}

void TestStart::parse() {
    QFETCH(QStringList, arguments);
    QFETCH(StartOptions::Action, action);
    QFETCH(bool, userFolder);
    QFETCH(QString, textHas);
    const StartOptions options = parseStartOptions(QStringList{"/usr/bin/slau"} + arguments);
    QCOMPARE(options.action, action);
    QCOMPARE(options.userFolder, userFolder);
    QVERIFY2(options.text.contains(textHas), qPrintable(options.text));
    QCOMPARE(options.exitCode(), action == StartOptions::Action::Refuse ? 2 : 0);
    if (action == StartOptions::Action::Refuse)
        QVERIFY2(options.text.startsWith("slau: ") && options.text.contains("slau --help"),
                 qPrintable(options.text));
    if (action == StartOptions::Action::Run)
        QVERIFY(options.text.isEmpty());
}

void TestStart::programEndsWithoutWindow_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("err");
    QTest::newRow("help") << QStringList{"--help"} << 0 << "Параметры:" << QString();
    QTest::newRow("version") << QStringList{"--version"} << 0 << "slau " SLAU_VERSION "\n"
                             << QString();
    QTest::newRow("unknown") << QStringList{"--bogus"} << 2 << QString()
                             << "slau: неизвестный параметр «--bogus».";
    QTest::newRow("no display") << QStringList{} << 1 << QString() << "нужен графический сеанс";
    QTest::newRow("help names the real data folder")
        << QStringList{"--help"} << 0 << "/nonexistent-data-home/ru.slau.slau" << QString();
    QTest::newRow("stray") << QStringList{"x"} << 2 << QString() << "лишний аргумент «x»";
}

// The program runs with no display at all: the options that end the run need none, and a run
// that needs a window says so in Russian and ends with code 1 instead of Qt's abort.
void TestStart::programEndsWithoutWindow() {
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, out);
    QFETCH(QString, err);
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QStringLiteral("XDG_DATA_HOME"), QStringLiteral("/nonexistent-data-home"));
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(SLAU_PROGRAM), arguments);
    QVERIFY(process.waitForFinished(20000));
    const QString stdOut = QString::fromLocal8Bit(process.readAllStandardOutput());
    const QString stdErr = QString::fromLocal8Bit(process.readAllStandardError());
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), exitCode);
    if (out.isEmpty())
        QVERIFY2(stdOut.isEmpty(), qPrintable(stdOut));
    else
        QVERIFY2(stdOut.contains(out), qPrintable(stdOut));
    if (err.isEmpty())
        QVERIFY2(stdErr.isEmpty(), qPrintable(stdErr));
    else
        QVERIFY2(stdErr.contains(err), qPrintable(stdErr));
}

void TestStart::userFolder_data() {
    QTest::addColumn<QString>("before"); // what files/help.htm is before: none, own, dangling
    QTest::addColumn<bool>("withSource");
    QTest::addColumn<QByteArray>("pageAfter");
    QTest::addColumn<bool>("problem");
    QTest::newRow("first use") << "none" << true << QByteArray("installed page") << false;
    QTest::newRow("user's own page kept") << "own" << true << QByteArray("my notes") << false;
    QTest::newRow("link to a removed page kept")
        << "dangling" << true << QByteArray("<missing>") << false;
    QTest::newRow("no installed page") << "none" << false << QByteArray("<missing>") << true;
}

void TestStart::userFolder() {
    QFETCH(QString, before);
    QFETCH(bool, withSource);
    QFETCH(QByteArray, pageAfter);
    QFETCH(bool, problem);
    QTemporaryDir root;
    const QString source = root.filePath("share/slau/help.htm");
    if (withSource) {
        QVERIFY(QDir(root.path()).mkpath("share/slau"));
        QVERIFY(writeBytes(source, "installed page"));
    }
    const QString data = root.filePath("data/ru.slau.slau");
    if (before != "none") {
        QVERIFY(QDir(data).mkpath("files"));
        if (before == "own")
            QVERIFY(writeBytes(data + "/files/help.htm", "my notes"));
        else
            QVERIFY(QFile::link(root.filePath("gone.htm"), data + "/files/help.htm"));
    }
    const UserFolderResult result = prepareUserFolder(data, source);
    QCOMPARE(result.folder, QDir(data).absolutePath());
    QVERIFY(QFileInfo(data + "/files").isDir());
    QCOMPARE(readBytes(data + "/files/help.htm"), pageAfter);
    QCOMPARE(!result.problem.isEmpty(), problem);
    // A second start finds everything in place and changes nothing.
    const UserFolderResult again = prepareUserFolder(data, source);
    QCOMPARE(readBytes(data + "/files/help.htm"), pageAfter);
    QCOMPARE(again.folder, result.folder);
}

// A file where the data folder should be: no working folder is offered, and the message names
// the folder that could not be made.
void TestStart::userFolderBlocked() {
    QTemporaryDir root;
    const QString data = root.filePath("ru.slau.slau");
    QVERIFY(writeBytes(data, "not a folder"));
    const UserFolderResult result = prepareUserFolder(data, root.filePath("help.htm"));
    QVERIFY(result.folder.isEmpty());
    QVERIFY2(result.problem.contains(QDir::toNativeSeparators(data + "/files")),
             qPrintable(result.problem));
    QCOMPARE(readBytes(data), QByteArray("not a folder"));
}

void TestStart::entryBoxMenuIsRussian() {
    ProgramFixture fixture;
    fixture.click(button(fixture.main(), "Command1"));
    QLineEdit* entry = named<QLineEdit>(fixture.editor(), "Text1");
    entry->setText(QStringLiteral("1 2 3"));
    entry->selectAll();
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5),
                            entry->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(entry, &event);
    QMenu* menu = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* candidate = qobject_cast<QMenu*>(widget); candidate && candidate->isVisible())
            menu = candidate;
    }
    QVERIFY(menu);
    int texts = 0;
    for (const QAction* action : menu->actions()) {
        if (action->isSeparator())
            continue;
        ++texts;
        QVERIFY2(readsRussian(action->text()), qPrintable(action->text()));
    }
    QVERIFY(texts >= 6); // undo, redo, cut, copy, paste, delete, select all
    menu->close();
}

void TestStart::messageBoxButtonsAreRussian() {
    QMessageBox box;
    box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
    QVERIFY2(readsRussian(box.button(QMessageBox::Cancel)->text()),
             qPrintable(box.button(QMessageBox::Cancel)->text()));
    // "OK" stays "OK" in Qt's Russian texts, so only "Cancel" tells.
}

QTEST_MAIN(TestStart)
#include "test_start.moc"
