// What the program's text files share: the Windows-1251 code page and the first character it
// cannot hold, and an open that fails says why in Russian and creates nothing, whether it opens
// the file for reading, for a rewrite or for an append.
#include "support/line_append.h"
#include "support/text_file.h"
#include "support/text_reader.h"
#include "support/text_rewrite.h"
#include "tests/common/test_support.h"

#include <QtTest>

namespace {

enum class Opener { Reader, Rewrite, Append };

// Opens the file the given way (an append adds an empty line); leftOpen tells whether an open
// reader or rewrite came back.
FileStatus openAs(Opener opener, const QString& path, bool& leftOpen) {
    leftOpen = false;
    switch (opener) {
    case Opener::Reader: {
        std::optional<TextReader> reader;
        const FileStatus s = TextReader::open(path, reader);
        leftOpen = reader.has_value();
        return s;
    }
    case Opener::Rewrite: {
        std::optional<TextRewrite> rewrite;
        const FileStatus s = TextRewrite::open(path, rewrite);
        leftOpen = rewrite.has_value();
        return s;
    }
    case Opener::Append:
        break;
    }
    return textfile::appendLine(path, QString());
}

} // namespace

Q_DECLARE_METATYPE(Opener)

class TestTextFile : public QObject {
    Q_OBJECT

  private slots:
    void encodeReportsFirstCharacterOutsideCodePage_data();
    void encodeReportsFirstCharacterOutsideCodePage();
    void openFailures_data();
    void openFailures();
};

void TestTextFile::encodeReportsFirstCharacterOutsideCodePage_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("firstBad");

    QTest::newRow("chinese") << QString::fromUtf8("ab中c") << QString::fromUtf8("中");
    QTest::newRow("second of two") << QString::fromUtf8("Ж€中ü") << QString::fromUtf8("中");
    QTest::newRow("latin with accent") << QString::fromUtf8("café") << QString::fromUtf8("é");
    QTest::newRow("character beyond 16 bits") << QString::fromUtf8("x😀") << QString::fromUtf8("😀");
}

void TestTextFile::encodeReportsFirstCharacterOutsideCodePage() {
    QFETCH(QString, text);
    QFETCH(QString, firstBad);
    QByteArray bytes;
    QString bad;
    QVERIFY(!textfile::encode(text, bytes, &bad));
    QCOMPARE(bad, firstBad);
}

void TestTextFile::openFailures_data() {
    QTest::addColumn<bool>("withFilesFolder");
    QTest::addColumn<QString>("path");
    QTest::addColumn<Opener>("opener");
    QTest::addColumn<QString>("message");

    QTest::newRow("missing file") << true << "files/none" << Opener::Reader
                                  << "Не удалось прочитать файл files/none: файл не найден.";
    QTest::newRow("no folder, read")
        << false << "files/LostMas" << Opener::Reader
        << "Не удалось прочитать файл files/LostMas: нет папки «files».";
    QTest::newRow("no folder, write")
        << false << "files/LostMas" << Opener::Rewrite
        << "Не удалось записать файл files/LostMas: нет папки «files».";
    QTest::newRow("no folder, append")
        << false << "files/lastans" << Opener::Append
        << "Не удалось записать файл files/lastans: нет папки «files».";
    QTest::newRow("folder in place of file, read")
        << true << "files/sub" << Opener::Reader
        << "Не удалось прочитать файл files/sub: на месте файла находится папка.";
    QTest::newRow("folder in place of file, write")
        << true << "files/sub" << Opener::Rewrite
        << "Не удалось записать файл files/sub: на месте файла находится папка.";
    QTest::newRow("folder in place of file, append")
        << true << "files/sub" << Opener::Append
        << "Не удалось записать файл files/sub: на месте файла находится папка.";
    QTest::newRow("file in place of folder")
        << true << "files/plain/x" << Opener::Rewrite
        << "Не удалось записать файл files/plain/x: «files/plain» — это файл, а не папка.";
}

void TestTextFile::openFailures() {
    QFETCH(bool, withFilesFolder);
    QFETCH(QString, path);
    QFETCH(Opener, opener);
    QFETCH(QString, message);
    TempWorkFolder work(withFilesFolder);
    if (withFilesFolder) {
        QVERIFY(QDir().mkdir(QStringLiteral("files/sub")));
        QVERIFY(writeBytes(QStringLiteral("files/plain"), "x"));
    }
    bool leftOpen = true;
    const FileStatus s = openAs(opener, path, leftOpen);
    QVERIFY(!s.ok);
    QVERIFY(!leftOpen);
    QCOMPARE(s.message(), message);
    // A failed open creates nothing, the folder files least of all.
    QCOMPARE(QDir(QStringLiteral("files")).exists(), withFilesFolder);
    if (withFilesFolder)
        QCOMPARE(QDir(QStringLiteral("files")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 (QStringList{"plain", "sub"}));
}

QTEST_GUILESS_MAIN(TestTextFile)
#include "test_text_file.moc"
