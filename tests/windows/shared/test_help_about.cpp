// Help and about: which browser opens the help page, the about window's content and look, and
// the program's pictures.
#include "support/build_info.h"
#include "tests/common/program_fixture.h"
#include "tests/common/test_support.h"
#include "windows/about/form4.h"
#include "windows/program.h"
#include "windows/shared/help.h"
#include "windows/shared/icons.h"
#include "windows/shared/platform.h"

#include <QFile>
#include <QLabel>
#include <QMap>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

class TestHelpAbout : public QObject {
    Q_OBJECT
  private slots:
    void pagePathIsInFilesOfInstallFolder();
    void pageLookup_data();
    void pageLookup();
    void licencePath_data();
    void licencePath();
    void desktopOpenerFails_data();
    void desktopOpenerFails();
    void lateFailureShowsError();
    void openPage_data();
    void openPage();
    void helpTwiceStartsTwice();
    void aboutWindowLook();
    void aboutLabels_data();
    void aboutLabels();
    void aboutCaptionsFit();
    void aboutNamesProgramNotPerson();
    void aboutPicture();
    void windowPictureIsGreenOnBlack();
    void libraryPictureUsesVgaColours_data();
    void libraryPictureUsesVgaColours();
    void picturesAreDrawnOnce();
};

void TestHelpAbout::pagePathIsInFilesOfInstallFolder() {
    QCOMPARE(help::pagePath(QStringLiteral("/opt/slau/bin")),
             QStringLiteral("/opt/slau/bin/files/help.htm"));
    TempWorkFolder work;
    QCOMPARE(help::pagePath(QString()), QDir(work.path()).absoluteFilePath("files/help.htm"));
}

void TestHelpAbout::pageLookup_data() {
    // Which pages exist: in the program's folder (files/help.htm), in the working folder
    // (files/help.htm), in the installation's share/slau; which one is opened and which one a
    // user folder links to.
    QTest::addColumn<QString>("present");
    QTest::addColumn<QString>("opened");
    QTest::addColumn<QString>("shipped");
    QTest::newRow("all three") << "PWI"
                               << "P"
                               << "P";
    QTest::newRow("working and installed") << "WI"
                                           << "W"
                                           << "I";
    QTest::newRow("installed only") << "I"
                                    << "I"
                                    << "I";
    QTest::newRow("working only") << "W"
                                  << "W"
                                  << "";
    QTest::newRow("none: the program folder's path") << ""
                                                     << "P"
                                                     << "";
}

void TestHelpAbout::pageLookup() {
    QFETCH(QString, present);
    QFETCH(QString, opened);
    QFETCH(QString, shipped);
    TempWorkFolder work;
    QTemporaryDir install;
    const QString bin = install.filePath("bin");
    const QMap<QChar, QString> pages = {{u'P', bin + "/files/help.htm"},
                                        {u'W', QDir::current().absoluteFilePath("files/help.htm")},
                                        {u'I', install.filePath("share/slau/help.htm")}};
    for (const QChar which : present) {
        QVERIFY(QFileInfo(pages[which]).dir().mkpath("."));
        QVERIFY(writeBytes(pages[which], "page"));
    }
    QCOMPARE(help::pagePath(bin), QDir::cleanPath(pages[opened.front()]));
    QCOMPARE(help::shippedPage(bin),
             shipped.isEmpty() ? QString() : QDir::cleanPath(pages[shipped.front()]));
}

namespace {

enum class Browser { Missing, Executable, NotExecutable, Folder };

void makeBrowser(Browser kind) {
    const QString path = QStringLiteral("files/iexplore");
    switch (kind) {
    case Browser::Missing:
        break;
    case Browser::Folder:
        QDir().mkpath(path);
        break;
    case Browser::Executable:
    case Browser::NotExecutable:
        QVERIFY(writeBytes(path, "#!/bin/sh\n"));
        if (kind == Browser::Executable)
            QFile::setPermissions(path, QFile::permissions(path) | QFile::ExeOwner);
        else
            QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        break;
    }
}

} // namespace

Q_DECLARE_METATYPE(Browser)

// The licence text is named only where an installation holds it, as share/doc/slau/copyright
// beside bin/.
void TestHelpAbout::licencePath_data() {
    QTest::addColumn<QString>("installed"); // what is placed below the temporary root
    QTest::addColumn<bool>("found");
    QTest::newRow("installed") << "share/doc/slau/copyright" << true;
    QTest::newRow("build folder") << "LICENSE" << false;
    QTest::newRow("a folder of that name") << "share/doc/slau/copyright/" << false;
}

void TestHelpAbout::licencePath() {
    QFETCH(QString, installed);
    QFETCH(bool, found);
    QTemporaryDir root;
    QVERIFY(QDir(root.path()).mkpath(QStringLiteral("bin")));
    if (installed.endsWith(u'/')) {
        QVERIFY(QDir(root.path()).mkpath(installed));
    } else {
        QVERIFY(QDir(root.path()).mkpath(QFileInfo(installed).path()));
        QVERIFY(writeBytes(root.filePath(installed), "Format: ..."));
    }
    const QString path = help::licencePath(root.filePath(QStringLiteral("bin")));
    QCOMPARE(path, found ? root.filePath(installed) : QString());
}

// A stand-in xdg-open first on PATH records the page it was given and ends with the code of
// the row: xdg-open's 0 (opened), 3 (no browser or tool found) and 4 (the action failed).
void TestHelpAbout::desktopOpenerFails_data() {
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<bool>("reported");
    QTest::newRow("opened") << 0 << false;
    QTest::newRow("no browser") << 3 << true;
    QTest::newRow("action failed") << 4 << true;
}

void TestHelpAbout::desktopOpenerFails() {
    QFETCH(int, exitCode);
    QFETCH(bool, reported);
    QTemporaryDir bin;
    const QString script = bin.filePath(QStringLiteral("xdg-open"));
    QVERIFY(
        writeBytes(script, QStringLiteral("#!/bin/sh\nprintf '%s' \"$1\" > '%1/given'\nexit %2\n")
                               .arg(bin.path())
                               .arg(exitCode)
                               .toUtf8()));
    QVERIFY(QFile::setPermissions(script, QFile::permissions(script) | QFile::ExeOwner));
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(bin.path()) + ':' + path);
    DesktopPlatform platform;
    // The opener outlives this row when a check stops it early: the count it reports to is not
    // a local of the row.
    const auto failures = std::make_shared<int>(0);
    const QUrl page = QUrl::fromLocalFile(QStringLiteral("/opt/slau/files/help.htm"));
    const bool started = platform.openUrl(page, [failures] { ++*failures; });
    qputenv("PATH", path);
    QVERIFY(started);
    // The shell makes the file before printf fills it: its content is waited for, not the file.
    QTRY_COMPARE(readBytes(bin.filePath(QStringLiteral("given"))), page.toEncoded());
    if (reported) {
        QTRY_COMPARE(*failures, 1);
    } else {
        QTest::qWait(300); // time for the opener to end and be noticed
        QCOMPARE(*failures, 0);
    }
}

// The opener's late failure gives the same "Ошибка" window as a browser that does not start,
// with the page's path.
void TestHelpAbout::lateFailureShowsError() {
    ProgramFixture fixture;
    fixture.program->showHelp(&fixture.main());
    QVERIFY(fixture.platform.messages.isEmpty());
    QVERIFY(fixture.platform.lateFailure);
    fixture.platform.lateFailure();
    QCOMPARE(fixture.platform.messages.size(), 1);
    QCOMPARE(fixture.platform.messages.first().title, QStringLiteral("Ошибка"));
    QVERIFY2(fixture.platform.messages.first().text.contains(fixture.program->helpPagePath()),
             qPrintable(fixture.platform.messages.first().text));
}

void TestHelpAbout::openPage_data() {
    QTest::addColumn<Browser>("browser");
    QTest::addColumn<bool>("canStart");
    QTest::addColumn<bool>("canOpen");
    QTest::addColumn<bool>("started");
    QTest::addColumn<bool>("opened");
    QTest::addColumn<bool>("result");
    QTest::newRow("browser runs") << Browser::Executable << true << true << true << false << true;
    QTest::newRow("no browser") << Browser::Missing << true << true << false << true << true;
    QTest::newRow("not executable")
        << Browser::NotExecutable << true << true << false << true << true;
    QTest::newRow("a folder") << Browser::Folder << true << true << false << true << true;
    QTest::newRow("browser fails to start")
        << Browser::Executable << false << true << true << true << true;
    QTest::newRow("nothing works")
        << Browser::Executable << false << false << true << true << false;
    QTest::newRow("no browser, desktop fails")
        << Browser::Missing << true << false << false << true << false;
}

void TestHelpAbout::openPage() {
    QFETCH(Browser, browser);
    QFETCH(bool, canStart);
    QFETCH(bool, canOpen);
    QFETCH(bool, started);
    QFETCH(bool, opened);
    QFETCH(bool, result);
    TempWorkFolder work;
    makeBrowser(browser);
    ScriptedPlatform platform;
    platform.canStart = canStart;
    platform.canOpen = canOpen;
    // A relative page path is handed on as an absolute one.
    const QString page = QDir(work.path()).absoluteFilePath(QStringLiteral("inst/files/help.htm"));
    QCOMPARE(help::openPage(platform, QStringLiteral("inst/files/help.htm")), result);
    if (started) {
        QCOMPARE(platform.started.size(), 1);
        QCOMPARE(platform.started.first(),
                 (QStringList{QDir(work.path()).absoluteFilePath("files/iexplore"), page}));
    } else {
        QVERIFY(platform.started.isEmpty());
    }
    if (opened) {
        QCOMPARE(platform.opened.size(), 1);
        QCOMPARE(platform.opened.first(), QUrl::fromLocalFile(page));
    } else {
        QVERIFY(platform.opened.isEmpty());
    }
}

void TestHelpAbout::helpTwiceStartsTwice() {
    {
        TempWorkFolder work;
        makeBrowser(Browser::Executable);
        ScriptedPlatform platform;
        QVERIFY(help::openPage(platform, help::pagePath(QStringLiteral("/opt/slau"))));
        QVERIFY(help::openPage(platform, help::pagePath(QStringLiteral("/opt/slau"))));
        QCOMPARE(platform.started.size(), 2);
        QCOMPARE(platform.started[0], platform.started[1]);
    }
    {
        TempWorkFolder work;
        ScriptedPlatform platform;
        QVERIFY(help::openPage(platform, help::pagePath(QStringLiteral("/opt/slau"))));
        QVERIFY(help::openPage(platform, help::pagePath(QStringLiteral("/opt/slau"))));
        QCOMPARE(platform.opened.size(), 2);
        QCOMPARE(platform.opened[0], QUrl::fromLocalFile("/opt/slau/files/help.htm"));
    }
}

void TestHelpAbout::aboutWindowLook() {
    Form4 form;
    QCOMPARE(form.windowTitle(), QStringLiteral("О программе"));
    const Qt::WindowFlags flags = form.windowFlags();
    QCOMPARE(flags & Qt::WindowType_Mask, Qt::Tool);
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
    QCOMPARE(form.minimumSize(), QSize(312, 188));
    QCOMPARE(form.maximumSize(), QSize(312, 188));
    QCOMPARE(form.palette().color(QPalette::Window), QColor(38, 38, 38));
    QVERIFY(form.autoFillBackground());
    QVERIFY(!form.windowIcon().isNull());
    QCOMPARE(QFontInfo(form.font()).styleHint(), QFont::SansSerif);
    QCOMPARE(form.font().pointSizeF(), 8.25);
}

void TestHelpAbout::aboutLabels_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<qreal>("points");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<QString>("text");
    QTest::newRow("Label1") << "Label1" << QRect(8, 8, 169, 33) << 18.0 << true << "О программе";
    QTest::newRow("Label3") << "Label3" << QRect(8, 64, 169, 41) << 8.25 << false
                            << "Программа предназначена для решения систем уравнений 2-10 "
                               "порядка.";
    QTest::newRow("Label4") << "Label4" << QRect(8, 112, 169, 25) << 12.0 << false << "Создатель";
    QTest::newRow("Label5") << "Label5" << QRect(8, 136, 201, 52) << 8.25 << false << QString();
}

void TestHelpAbout::aboutLabels() {
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    QFETCH(qreal, points);
    QFETCH(bool, bold);
    QFETCH(QString, text);
    Form4 form;
    auto* label = form.findChild<QLabel*>(name);
    QVERIFY(label);
    QCOMPARE(label->geometry(), geometry);
    QCOMPARE(label->font().pointSizeF(), points);
    QCOMPARE(label->font().bold(), bold);
    if (!text.isEmpty())
        QCOMPARE(label->text(), text);
    QCOMPARE(label->palette().color(QPalette::WindowText), QColor(0, 255, 0));
    QVERIFY(!label->autoFillBackground());
}

void TestHelpAbout::aboutCaptionsFit() {
    Form4 form;
    for (QLabel* label : {named<QLabel>(form, "Label1"), named<QLabel>(form, "Label3"),
                          named<QLabel>(form, "Label4"), named<QLabel>(form, "Label5")}) {
        const int flags = label->wordWrap() ? Qt::TextWordWrap : 0;
        const QRect needed = QFontMetrics(label->font())
                                 .boundingRect(QRect(QPoint(), label->size()),
                                               flags | Qt::AlignLeft | Qt::AlignTop, label->text());
        QVERIFY2(needed.width() <= label->width() && needed.height() <= label->height(),
                 qPrintable(QStringLiteral("%1 needs %2 x %3, has %4 x %5")
                                .arg(label->objectName())
                                .arg(needed.width())
                                .arg(needed.height())
                                .arg(label->width())
                                .arg(label->height())));
    }
}

void TestHelpAbout::aboutNamesProgramNotPerson() {
    Form4 form;
    const QString text = named<QLabel>(form, "Label5")->text().replace(QChar(0xa0), u' ');
    QVERIFY(text.contains(QStringLiteral("slau")));
    QVERIFY(text.contains(QStringLiteral("slau " SLAU_VERSION ".")));
    QVERIFY(text.contains(QStringLiteral("MIT")));
    // Run from the build folder, no copyright file is installed beside the program.
    QVERIFY(text.contains(QStringLiteral("LICENSE")));
    QVERIFY(!text.contains(u'@'));
    // Under "Создатель" its first line names who made the program: the copyright holder of the
    // copyright file that ships with it.
    QFile copyright(QStringLiteral(SLAU_SOURCE_DIR "/data/copyright"));
    QVERIFY(copyright.open(QIODevice::ReadOnly | QIODevice::Text));
    const QString field = QString::fromUtf8(copyright.readAll())
                              .section(QStringLiteral("\nCopyright: "), 1)
                              .section(u'\n', 0, 0);
    QVERIFY(!field.isEmpty());
    QCOMPARE(text.section(u'\n', 0, 0), QStringLiteral("© ") + field);
}

void TestHelpAbout::aboutPicture() {
    Form4 form;
    QCOMPARE(named<QLabel>(form, "Image1")->geometry(), QRect(184, 0, 128, 128));
    QCOMPARE(named<QLabel>(form, "Image1")->pixmap().size(), QSize(128, 128));
    QCOMPARE(
        named<QLabel>(form, "Image1")->pixmap().toImage().convertToFormat(QImage::Format_RGB888),
        icons::aboutImage());
    QCOMPARE(form.windowIcon().pixmap(128).toImage().convertToFormat(QImage::Format_RGB888),
             icons::aboutImage());
}

void TestHelpAbout::windowPictureIsGreenOnBlack() {
    const QImage image = icons::windowImage();
    QCOMPARE(image.size(), QSize(128, 128));
    QCOMPARE(image.depth(), 24);
    int green = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            QVERIFY(c.red() == 0 && c.blue() == 0);
            green += c.green() == 255;
        }
    }
    QVERIFY2(green > 1000, "brackets and digits are drawn");
    QCOMPARE(icons::windowIcon().availableSizes(), QList<QSize>{QSize(128, 128)});
    QCOMPARE(icons::aboutImage().depth(), 24);
    QVERIFY(icons::aboutImage() != image);
}

void TestHelpAbout::libraryPictureUsesVgaColours_data() {
    QTest::addColumn<int>("size");
    QTest::newRow("32") << 32;
    QTest::newRow("16") << 16;
}

void TestHelpAbout::libraryPictureUsesVgaColours() {
    QFETCH(int, size);
    const QImage image = icons::libraryImage(size);
    QCOMPARE(image.size(), QSize(size, size));
    QCOMPARE(image.format(), QImage::Format_Indexed8);
    QCOMPARE(image.colorCount(), 16);
    QSet<QRgb> used;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const QRgb c = image.pixel(x, y);
            QVERIFY(icons::vgaColours().contains(c));
            used.insert(c);
        }
    }
    // Folder, outline, arrow and background all show, even at 16 pixels.
    QVERIFY(used.contains(qRgb(255, 255, 0)));
    QVERIFY(used.contains(qRgb(255, 0, 0)));
    QVERIFY(used.contains(qRgb(128, 128, 0)));
    QVERIFY(used.contains(qRgb(0, 0, 0)));
    QVERIFY(icons::libraryIcon().availableSizes().contains(QSize(size, size)));
}

void TestHelpAbout::picturesAreDrawnOnce() {
    QCOMPARE(icons::windowImage().cacheKey(), icons::windowImage().cacheKey());
    QCOMPARE(icons::aboutImage().cacheKey(), icons::aboutImage().cacheKey());
    QCOMPARE(icons::libraryImage(16).cacheKey(), icons::libraryImage(16).cacheKey());
}

QTEST_MAIN(TestHelpAbout)
#include "test_help_about.moc"
