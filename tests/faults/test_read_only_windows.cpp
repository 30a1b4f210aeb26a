// The windows' commands whose read goes after a step that only makes sure the file exists
// ("Первый ответ" and "Последний ответ" after the log's touch, "Загрузить последний массив" after
// the empty line added to LostMas, the save/load window's lists after the touch of SaveList), on
// files that can be read but not written. Run by root_faults.sh on a read-only mount, whose folder
// it names in SLAU_READ_ONLY_FOLDER (holding files/ with the fault seed); skipped elsewhere.
#include "core/answer_log.h"
#include "core/array_file.h"
#include "core/array_library.h"
#include "core/program_files.h"
#include "tests/common/named_controls.h"
#include "tests/common/test_support.h"
#include "windows/editor/form2.h"
#include "windows/library/form3.h"
#include "windows/main/answer_area.h"
#include "windows/main/form1.h"
#include "windows/program.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QtTest>
#include <memory>

class TestReadOnlyWindows : public QObject {
    Q_OBJECT
  private slots:
    void init();
    void cleanup();
    void firstAnswer();
    void lastAnswer();
    void loadLastArray();
    void saveLoadWindowLists();

  private:
    QString oldFolder_;
    std::unique_ptr<ScriptedPlatform> platform_;
    std::unique_ptr<Program> program_;
};

void TestReadOnlyWindows::init() {
    const QString folder = qEnvironmentVariable("SLAU_READ_ONLY_FOLDER");
    if (folder.isEmpty())
        QSKIP("needs a read-only folder with files/ (root_faults.sh mounts one)");
    oldFolder_ = QDir::currentPath();
    QVERIFY(QDir::setCurrent(folder));
    // Make sure the disk really refuses: a touch must fail here for the cases to mean anything.
    FileTable files;
    QVERIFY(!AnswerLog(files).touchLog());
    QVERIFY(!library::touchSaveList());
    platform_ = std::make_unique<ScriptedPlatform>();
    program_ = std::make_unique<Program>(*platform_);
    program_->start();
}

void TestReadOnlyWindows::cleanup() {
    program_.reset();
    platform_.reset();
    if (!oldFolder_.isEmpty())
        QDir::setCurrent(oldFolder_);
}

void TestReadOnlyWindows::firstAnswer() {
    FileTable files;
    AnswerLog log(files);
    QVERIFY(log.openAnswerCursor());
    std::optional<QString> first;
    QVERIFY(log.nextAnswer(first));
    QVERIFY(first);
    files.closeAll();

    Form1& main = program_->form1();
    QTest::mouseClick(button(main, "Command2"), Qt::LeftButton);
    QVERIFY(platform_->messages.isEmpty());
    QCOMPARE(named<AnswerArea>(main, "Picture1")->printedLines(), QStringList{*first});
    QVERIFY(button(main, "Command7")->isEnabled());
}

void TestReadOnlyWindows::lastAnswer() {
    FileTable files;
    std::optional<QString> last;
    QVERIFY(AnswerLog(files).lastAnswer(last));
    QVERIFY(last);

    Form1& main = program_->form1();
    QTest::mouseClick(button(main, "Command8"), Qt::LeftButton);
    QVERIFY(platform_->messages.isEmpty());
    QCOMPARE(named<AnswerArea>(main, "Picture1")->printedLines(), QStringList{*last});
}

void TestReadOnlyWindows::loadLastArray() {
    arrayfile::Content content;
    QVERIFY(arrayfile::read(programfiles::lastArray, content));
    QVERIFY(content.order);
    QString expected;
    for (const QString& field : content.fields)
        if (!field.isEmpty())
            expected += field + u' ';

    Form2& editor = program_->form2();
    editor.loadClick();
    QVERIFY(platform_->messages.isEmpty());
    QCOMPARE(named<QScrollBar>(editor, "VScroll1")->value(), content.order->scrollPosition());
    QCOMPARE(named<QLineEdit>(editor, "Text1")->text(), expected);
}

void TestReadOnlyWindows::saveLoadWindowLists() {
    QStringList names;
    QVERIFY(library::readSaveListNames(names));
    QVERIFY(!names.isEmpty());

    program_->showForm3();
    Form3* library = program_->form3IfExists();
    QVERIFY(library);
    QVERIFY(platform_->messages.isEmpty());
    QStringList shown;
    for (int i = 0; i < named<QListWidget>(library, "Combo2")->count(); ++i)
        shown.append(named<QListWidget>(library, "Combo2")->item(i)->text());
    QCOMPARE(shown, names);
    library->close();
}

QTEST_MAIN(TestReadOnlyWindows)
#include "test_read_only_windows.moc"
