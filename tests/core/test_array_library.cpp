// The array library files: named array files and the name list SaveList, byte for byte, and the
// names that cannot name an array file.
#include "core/array_library.h"
#include "tests/common/test_support.h"

#include <QtTest>

class TestArrayLibrary : public QObject {
    Q_OBJECT
  private slots:
    void listOperationsWriteExactBytes();
    void namesSkipOnlyEmptyAndOneBlankLines_data();
    void namesSkipOnlyEmptyAndOneBlankLines();
    void arrayFileBytes_data();
    void arrayFileBytes();
    void writesStayReadable_data();
    void writesStayReadable();
    void failuresNameTheFile_data();
    void failuresNameTheFile();
    void nameProblem_data();
    void nameProblem();
    void listTextProblem_data();
    void listTextProblem();
};

void TestArrayLibrary::listOperationsWriteExactBytes() {
    TempWorkFolder folder;
    QVERIFY(writeBytes("files/SaveList", QByteArray()));
    // Opening the window touches the list; a listed save adds the name and reopens the lists.
    QVERIFY(library::touchSaveList());
    QVERIFY(library::addToSaveList("test"));
    QVERIFY(library::touchSaveList());
    QCOMPARE(readBytes("files/SaveList"), QByteArray("\r\ntest\r\n\r\n"));

    QVERIFY(library::addToSaveList("test"));
    QStringList names;
    QVERIFY(library::readSaveListNames(names));
    QCOMPARE(names, QStringList({"test", "test"}));

    QVERIFY(library::addToSaveList(QStringLiteral("Массив")));
    QVERIFY(readBytes("files/SaveList").endsWith("\xcc\xe0\xf1\xf1\xe8\xe2\r\n"));

    QVERIFY(library::resetSaveList());
    QCOMPARE(readBytes("files/SaveList"), QByteArray("\r\n"));
}

void TestArrayLibrary::namesSkipOnlyEmptyAndOneBlankLines_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("names");
    QTest::newRow("empty file") << QByteArray() << QStringList();
    QTest::newRow("only skipped lines") << QByteArray("\r\n \r\n\r\n") << QStringList();
    QTest::newRow("two blanks kept") << QByteArray("  \r\n \r\n") << QStringList({"  "});
    QTest::newRow("order and duplicates")
        << QByteArray("b\r\na\r\n\r\nb\r\n") << QStringList({"b", "a", "b"});
    QTest::newRow("comma stays in the name") << QByteArray("a,b\r\n") << QStringList({"a,b"});
    QTest::newRow("blanks not trimmed") << QByteArray(" x \r\n") << QStringList({" x "});
    QTest::newRow("lone CR ends a line") << QByteArray("a\rb\r\n") << QStringList({"a", "b"});
    QTest::newRow("lone LF stays") << QByteArray("a\nb\r\n") << QStringList({"a\nb"});
    QTest::newRow("no final line end") << QByteArray("a\r\nb") << QStringList({"a", "b"});
    QTest::newRow("Windows-1251") << QByteArray("\xc0\xe1\r\n") << QStringList({"Аб"});
}

void TestArrayLibrary::namesSkipOnlyEmptyAndOneBlankLines() {
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, names);
    TempWorkFolder folder;
    QVERIFY(writeBytes("files/SaveList", bytes));
    QStringList read{"stale"};
    QVERIFY(library::readSaveListNames(read));
    QCOMPARE(read, names);
}

void TestArrayLibrary::arrayFileBytes_data() {
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("fields");
    QTest::newRow("1 2 3 at order 2")
        << 10 << "1 2 3" << QByteArray(" 10 \r\n 1 \r\n 2 \r\n 3 \r\n")
        << QStringList({"1", "2", "3"});
    QTest::newRow("trailing blank gives a 0")
        << 10 << "1 2 3 " << QByteArray(" 10 \r\n 1 \r\n 2 \r\n 3 \r\n 0 \r\n")
        << QStringList({"1", "2", "3", "0"});
    QTest::newRow("empty entry text") << 8 << "" << QByteArray(" 8 \r\n") << QStringList();
    QTest::newRow("values, not texts")
        << 9 << "-2.5 x 1e3  7" << QByteArray(" 9 \r\n-2.5 \r\n 0 \r\n 1000 \r\n 0 \r\n 7 \r\n")
        << QStringList({"-2.5", "0", "1000", "0", "7"});
}

void TestArrayLibrary::arrayFileBytes() {
    QFETCH(int, position);
    QFETCH(QString, entry);
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, fields);
    TempWorkFolder folder;
    QVERIFY(library::saveArrayFile("test", ArrayOrder::atScrollPosition(position), entry));
    QCOMPARE(readBytes("files/test"), bytes);
    arrayfile::Content content;
    QVERIFY(library::loadArrayFile("test", content));
    QVERIFY(!content.empty);
    QCOMPARE(content.order, ArrayOrder::atScrollPosition(position));
    QCOMPARE(content.fields, fields);
}

void TestArrayLibrary::writesStayReadable_data() {
    QTest::addColumn<int>("names");      // in the list before the change
    QTest::addColumn<QString>("change"); // "add", "replace" (the list's names and one more)
    QTest::addColumn<bool>("done");
    QTest::newRow("add the last name") << library::mostNames - 1 << "add" << true;
    QTest::newRow("add one past") << library::mostNames << "add" << false;
    QTest::newRow("add a blank line to a full list") << library::mostNames << "touch" << true;
    QTest::newRow("replace with the most") << library::mostNames - 1 << "replace" << true;
    QTest::newRow("replace with one past") << library::mostNames << "replace" << false;
    QTest::newRow("replace with a long line") << 0 << "long line" << false;
}

// A change of the list leaves one that the window reads; a refused one leaves it as it was.
void TestArrayLibrary::writesStayReadable() {
    QFETCH(int, names);
    QFETCH(QString, change);
    QFETCH(bool, done);
    TempWorkFolder folder;
    QStringList lines;
    for (int i = 0; i < names; ++i)
        lines.append(QStringLiteral("имя %1").arg(i));
    QVERIFY(library::replaceSaveList(lines.join(QStringLiteral("\r\n"))));
    const QByteArray before = readBytes("files/SaveList");
    FileStatus s;
    if (change == u"add")
        s = library::addToSaveList(QStringLiteral("новое"));
    else if (change == u"touch")
        s = library::touchSaveList();
    else if (change == u"replace")
        s = library::replaceSaveList(lines.join(u'\r') + QStringLiteral("\r\nновое\n"));
    else
        s = library::replaceSaveList(QString(library::longestSaveListLine + 1, u'x'));
    QCOMPARE(bool(s), done);
    QStringList read;
    QVERIFY(library::readSaveListNames(read));
    if (!done) {
        QCOMPARE(readBytes("files/SaveList"), before);
        QVERIFY2(s.message().contains(QString::number(library::mostNames)) ||
                     s.message().contains(QStringLiteral("64 КБ")),
                 qPrintable(s.message()));
    }
}

void TestArrayLibrary::failuresNameTheFile_data() {
    QTest::addColumn<bool>("filesFolder");
    QTest::addColumn<QString>("operation");
    QTest::newRow("load missing file") << true << "load";
    QTest::newRow("save without files") << false << "save";
    QTest::newRow("touch without files") << false << "touch";
    QTest::newRow("add without files") << false << "add";
    QTest::newRow("names without files") << false << "names";
    QTest::newRow("save over a folder") << true << "save over folder";
}

void TestArrayLibrary::failuresNameTheFile() {
    QFETCH(bool, filesFolder);
    QFETCH(QString, operation);
    TempWorkFolder folder(filesFolder);
    FileStatus s;
    QString path = "files/x";
    arrayfile::Content content;
    QStringList names;
    if (operation == "load") {
        s = library::loadArrayFile("x", content);
    } else if (operation == "save") {
        s = library::saveArrayFile("x", ArrayOrder(4), u"1 2");
    } else if (operation == "save over folder") {
        QVERIFY(QDir().mkdir("files/x"));
        s = library::saveArrayFile("x", ArrayOrder(4), u"1 2");
        QVERIFY(QFileInfo("files/x").isDir());
    } else {
        path = "files/SaveList";
        if (operation == "touch")
            s = library::touchSaveList();
        else if (operation == "add")
            s = library::addToSaveList("x");
        else
            s = library::readSaveListNames(names);
    }
    QVERIFY(!s);
    QVERIFY2(s.message().contains(path), qPrintable(s.message()));
    // Nothing is created when the folder files is missing.
    QCOMPARE(QDir("files").exists(), filesFolder);
    QCOMPARE(QDir().entryList(QDir::Files | QDir::NoDotAndDotDot), QStringList());
}

void TestArrayLibrary::nameProblem_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("refused");
    const QStringList refused = {"../x",
                                 "a/b",
                                 "a\\b",
                                 "a:b",
                                 "a*b",
                                 "a?b",
                                 "a\"b",
                                 "a<b",
                                 "a>b",
                                 "a|b",
                                 ".",
                                 "..",
                                 " a",
                                 "a ",
                                 "a.",
                                 "CON",
                                 "con.txt",
                                 "Nul",
                                 "COM1",
                                 "lpt9.dat",
                                 "lastans",
                                 "LASTANS",
                                 "savelist",
                                 "LostMas",
                                 "HELP.HTM",
                                 "iExplore",
                                 "a\tb",
                                 "a\nb",
                                 "a\r",
                                 "a\x1b",
                                 "a\x7f",
                                 QString("a") + QChar(0x85),
                                 QString(65, 'x'),
                                 QStringLiteral("✓"),
                                 QStringLiteral("a😀")};
    for (const QString& name : refused)
        QTest::addRow("refused %s", qPrintable(name.toUtf8().toPercentEncoding())) << name << true;
    const QStringList accepted = {"test",
                                  QStringLiteral("Мой массив"),
                                  "a,b",
                                  "system.txt",
                                  "a..b",
                                  "a  b",
                                  "CONSOLE",
                                  "COM10",
                                  "lastans2",
                                  QString(64, 'x'),
                                  QStringLiteral("№ 1 — «x»")};
    for (const QString& name : accepted)
        QTest::addRow("accepted %s", qPrintable(name.toUtf8().toPercentEncoding()))
            << name << false;
}

void TestArrayLibrary::nameProblem() {
    QFETCH(QString, name);
    QFETCH(bool, refused);
    const auto problem = library::nameProblem(name);
    QVERIFY2(problem.has_value() == refused, qPrintable(problem.value_or("accepted")));
    QVERIFY(!problem.value_or("reason").isEmpty());
}

void TestArrayLibrary::listTextProblem_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("refused"); // for a control character in a name
    QTest::newRow("empty") << QString() << false;
    QTest::newRow("names on lines") << QStringLiteral("a\r\nb\nc\r") << false;
    QTest::newRow("line and paragraph separators") << QStringLiteral("a\u2028b\u2029c") << false;
    QTest::newRow("a name the save would refuse") << QStringLiteral("a/b\r\nCON") << false;
    QTest::newRow("non-breaking blank") << QStringLiteral("a\u00a0b") << false;
    QTest::newRow("tab") << QStringLiteral("a\tb") << true;
    QTest::newRow("escape") << QStringLiteral("\x1b") << true;
    QTest::newRow("DEL") << QStringLiteral("a\r\nb\x7f") << true;
    QTest::newRow("C1 control") << QString(QChar(0x85)) << true;
    QTest::newRow("NUL") << QString(QChar(0)) << true;
}

void TestArrayLibrary::listTextProblem() {
    QFETCH(QString, text);
    QFETCH(bool, refused);
    const auto problem = library::listTextProblem(text);
    if (refused)
        QCOMPARE(problem, QStringLiteral("в имени массива есть управляющий знак"));
    else
        QCOMPARE(problem, std::nullopt);
}

QTEST_GUILESS_MAIN(TestArrayLibrary)
#include "test_array_library.moc"
