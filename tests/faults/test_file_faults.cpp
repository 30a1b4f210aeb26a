// Every file operation of the core against a broken folder files: missing, a regular file, the
// operation's file replaced by a folder, the file missing, and a folder without write permission.
// A failure must name the file with a Russian reason, change nothing on disk and leave no file
// open.
#include "fault_ops.h"

#include "tests/common/test_support.h"

#include "core/answer_log.h"
#include "core/array_library.h"
#include "core/program_files.h"
#include <QRegularExpression>
#include <QtTest>

#include <QDirIterator>
#include <sys/stat.h>
#include <unistd.h>

using faults::Effect;
using faults::Operation;

namespace {

enum class Fault { FilesMissing, FilesIsFile, TargetIsFolder, TargetMissing, NoPermission };

const Operation& operationNamed(const QString& name) {
    const Operation* op = faults::findOperation(name);
    Q_ASSERT(op);
    return *op;
}

// Sets the fault up in the current (fresh, empty) folder.
bool prepare(Fault fault, const Operation& op) {
    if (fault == Fault::FilesMissing)
        return true;
    if (fault == Fault::FilesIsFile)
        return writeBytes(QStringLiteral("files"), QByteArrayLiteral("not a folder\r\n"));
    if (!QDir().mkdir(QStringLiteral("files")) || !faults::writeSeedFiles())
        return false;
    switch (fault) {
    case Fault::TargetIsFolder:
        return QFile::remove(op.target) && QDir().mkdir(op.target) &&
               writeBytes(op.target + QStringLiteral("/inside"), QByteArrayLiteral("keep\r\n"));
    case Fault::TargetMissing:
        return QFile::remove(op.target);
    case Fault::NoPermission:
        return QFile::setPermissions(op.target, QFile::ReadOwner) &&
               QFile::setPermissions(QStringLiteral("files"), QFile::ReadOwner | QFile::ExeOwner);
    default:
        return true;
    }
}

bool hasCyrillic(const QString& text) {
    static const QRegularExpression cyrillic(QStringLiteral("[А-Яа-яЁё]"));
    return cyrillic.match(text).hasMatch();
}

} // namespace

class FileFaultsTest : public QObject {
    Q_OBJECT

  private slots:
    void brokenFolder_data();
    void brokenFolder();
    void missingTarget_data();
    void missingTarget();
    void touchDoesNotStopRead_data();
    void touchDoesNotStopRead();
    void unwritableFolder_data();
    void unwritableFolder();
    void hostileTarget_data();
    void hostileTarget();
    void seedIsWhatTheFilesHold();
};

void FileFaultsTest::brokenFolder_data() {
    QTest::addColumn<int>("fault");
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QString>("reason");
    const struct {
        Fault fault;
        const char* name;
        QString readReason;  // the reason a reading operation must give
        QString writeReason; // the reason a writing one must give
    } faultsTable[] = {
        {Fault::FilesMissing, "files missing", QStringLiteral("нет папки «files»"),
         QStringLiteral("нет папки «files»")},
        {Fault::FilesIsFile, "files is a file", QStringLiteral("«files» — это файл, а не папка"),
         QStringLiteral("«files» — это файл, а не папка")},
        {Fault::TargetIsFolder, "target is a folder",
         QStringLiteral("на месте файла находится папка"),
         QStringLiteral("на месте файла находится папка")},
        {Fault::NoPermission, "no permission", QStringLiteral("нет прав доступа"),
         QStringLiteral("нет прав доступа")},
    };
    for (const auto& f : faultsTable) {
        for (const Operation& op : faults::operations()) {
            // Without permission a file can still be read by its owner (touchDoesNotStopRead).
            if (f.fault == Fault::NoPermission &&
                (op.effect == Effect::Read || op.effect == Effect::TouchRead))
                continue;
            QTest::addRow("%s / %s", f.name, qPrintable(op.name))
                << static_cast<int>(f.fault) << op.name
                << (op.effect == Effect::Read ? f.readReason : f.writeReason);
        }
    }
}

void FileFaultsTest::brokenFolder() {
    QFETCH(int, fault);
    QFETCH(QString, operation);
    QFETCH(QString, reason);
    if (static_cast<Fault>(fault) == Fault::NoPermission && geteuid() == 0)
        QSKIP("permissions do not bind the superuser; the mount test runs this case unprivileged");
    const Operation& op = operationNamed(operation);
    TempWorkFolder work(false);
    // The folder must be writable again before the temporary folder is removed.
    const auto restore = qScopeGuard([] {
        QFile::setPermissions(QStringLiteral("files"),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    });
    QVERIFY(prepare(static_cast<Fault>(fault), op));
    const auto before = faults::snapshot(work.path());
    const int descriptors = faults::openDescriptorCount();

    FileTable files;
    const faults::Outcome out = op.run(files);

    QVERIFY2(!out.status.ok, "the operation must fail");
    QCOMPARE(out.status.path, op.target);
    QCOMPARE(out.status.reason, reason);
    const QString message = out.status.message();
    QVERIFY2(message.startsWith(QStringLiteral("Не удалось ")), qPrintable(message));
    QVERIFY2(message.contains(op.target), qPrintable(message));
    QVERIFY2(message.endsWith(u'.'), qPrintable(message));
    QVERIFY2(hasCyrillic(out.status.reason), qPrintable(message));
    QVERIFY2(!message.contains(QStringLiteral("error"), Qt::CaseInsensitive), qPrintable(message));
    QVERIFY(!out.filesOpen);
    QCOMPARE(faults::openDescriptorCount(), descriptors);
    QCOMPARE(faults::snapshot(work.path()), before);
}

void FileFaultsTest::missingTarget_data() {
    QTest::addColumn<QString>("operation");
    for (const Operation& op : faults::operations())
        QTest::newRow(qPrintable(op.name)) << op.name;
}

// A missing file is created by appending and rewriting, and reported by readers (the answer log
// reads as empty, as every other reader sees it after touching it); the other files stay as they
// were and no temporary file is left behind.
void FileFaultsTest::missingTarget() {
    QFETCH(QString, operation);
    const Operation& op = operationNamed(operation);
    TempWorkFolder work(false);
    QVERIFY(prepare(Fault::TargetMissing, op));
    auto expected = faults::snapshot(work.path());
    const int descriptors = faults::openDescriptorCount();

    FileTable files;
    const faults::Outcome out = op.run(files);

    QCOMPARE(faults::openDescriptorCount(), descriptors);
    const bool opensCursor = op.name == u"log.cursor" || op.name == u"log.touchCursor";
    QVERIFY(!out.filesOpen || (out.status && opensCursor));
    const bool readsAsEmpty = op.name == u"log.readAll";
    if (op.effect == Effect::TouchRead) {
        // The touch creates the file, which then reads as empty.
        QVERIFY2(out.status.ok, qPrintable(out.status.message()));
        QVERIFY(out.result == u"" || out.result == u"<nothing>" || out.result == u"|");
    } else if (op.effect == Effect::Read && !readsAsEmpty) {
        QVERIFY(!out.status.ok);
        QCOMPARE(out.status.path, op.target);
        QCOMPARE(out.status.reason, QStringLiteral("файл не найден"));
        QVERIFY(out.status.message().contains(op.target));
    } else {
        QVERIFY2(out.status.ok, qPrintable(out.status.message()));
        QCOMPARE(out.result, QString());
    }
    const auto after = faults::snapshot(work.path());
    if (op.effect != Effect::Read) {
        QVERIFY(after.contains(op.target));
        // The program's own files end in CR LF; a saved page is a UTF-8 document with LF.
        QVERIFY(after[op.target].endsWith(op.target.endsWith(u".htm") ? "\n" : "\r\n"));
        expected.insert(op.target, after[op.target]);
    }
    QCOMPARE(after, expected);
}

// What the operation gives, and the bytes of its file, on the seed files in a healthy folder.
faults::Outcome healthyRun(const Operation& op, QByteArray& file) {
    TempWorkFolder work;
    if (!faults::writeSeedFiles())
        return {};
    FileTable files;
    const faults::Outcome out = op.run(files);
    files.closeAll();
    file = readBytes(op.target);
    return out;
}

// The file system's number of the file: a new one when a file is replaced by a renamed new file,
// the same when it is written over.
ino_t inodeOf(const QString& path) {
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_ino : 0;
}

void makeWritable(const QString& path) {
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

void FileFaultsTest::touchDoesNotStopRead_data() {
    QTest::addColumn<QString>("operation");
    QTest::addColumn<bool>("folderReadOnly");
    for (const Operation& op : faults::operations()) {
        if (op.effect != Effect::TouchRead)
            continue;
        QTest::addRow("%s / read-only file", qPrintable(op.name)) << op.name << false;
        QTest::addRow("%s / read-only file and folder", qPrintable(op.name)) << op.name << true;
    }
}

// A file that exists and can be read is read although the empty line cannot be added to it; the
// read gives what it gives on a healthy disk and nothing on disk changes.
void FileFaultsTest::touchDoesNotStopRead() {
    QFETCH(QString, operation);
    QFETCH(bool, folderReadOnly);
    if (geteuid() == 0)
        QSKIP("permissions do not bind the superuser; the mount test runs this case unprivileged");
    const Operation& op = operationNamed(operation);
    QByteArray healthyFile;
    const faults::Outcome healthy = healthyRun(op, healthyFile);
    QVERIFY(healthy.status.ok);

    TempWorkFolder work(false);
    const auto restore = qScopeGuard([] { makeWritable(QStringLiteral("files")); });
    QVERIFY(QDir().mkdir(QStringLiteral("files")) && faults::writeSeedFiles());
    QVERIFY(QFile::setPermissions(op.target, QFile::ReadOwner));
    if (folderReadOnly)
        QVERIFY(QFile::setPermissions(QStringLiteral("files"), QFile::ReadOwner | QFile::ExeOwner));
    const auto before = faults::snapshot(work.path());

    FileTable files;
    const faults::Outcome out = op.run(files);
    files.closeAll();

    QVERIFY2(out.status.ok, qPrintable(out.status.message()));
    QCOMPARE(out.result, healthy.result);
    QCOMPARE(faults::snapshot(work.path()), before);
}

void FileFaultsTest::unwritableFolder_data() {
    QTest::addColumn<QString>("operation");
    QTest::addColumn<bool>("folderWritable");
    QTest::addColumn<bool>("targetPresent");
    for (const Operation& op : faults::operations()) {
        if (op.effect != Effect::Rewrite)
            continue;
        QTest::addRow("%s / writable folder", qPrintable(op.name)) << op.name << true << true;
        QTest::addRow("%s / folder takes no new file", qPrintable(op.name))
            << op.name << false << true;
        QTest::addRow("%s / folder takes no new file, file missing", qPrintable(op.name))
            << op.name << false << false;
    }
}

// A rewrite replaces the file by a new one where the folder allows it; where the folder takes no
// new file but the file is writable it writes over the file in place, with the same bytes; with
// neither it fails and changes nothing. No temporary file is left behind.
void FileFaultsTest::unwritableFolder() {
    QFETCH(QString, operation);
    QFETCH(bool, folderWritable);
    QFETCH(bool, targetPresent);
    if (!folderWritable && geteuid() == 0)
        QSKIP("permissions do not bind the superuser; the mount test runs this case unprivileged");
    const Operation& op = operationNamed(operation);
    QByteArray healthyFile;
    QVERIFY(healthyRun(op, healthyFile).status.ok);

    TempWorkFolder work(false);
    const auto restore = qScopeGuard([] { makeWritable(QStringLiteral("files")); });
    QVERIFY(QDir().mkdir(QStringLiteral("files")) && faults::writeSeedFiles());
    if (!targetPresent)
        QVERIFY(QFile::remove(op.target));
    if (!folderWritable)
        QVERIFY(QFile::setPermissions(QStringLiteral("files"), QFile::ReadOwner | QFile::ExeOwner));
    auto expected = faults::snapshot(work.path());
    const ino_t inode = inodeOf(op.target);

    FileTable files;
    const faults::Outcome out = op.run(files);
    QVERIFY(!out.filesOpen);

    if (!targetPresent) {
        QVERIFY(!out.status.ok);
        QCOMPARE(out.status.reason, QStringLiteral("нет прав доступа"));
        QCOMPARE(faults::snapshot(work.path()), expected);
        return;
    }
    QVERIFY2(out.status.ok, qPrintable(out.status.message()));
    QCOMPARE(readBytes(op.target), healthyFile);
    if (folderWritable)
        QVERIFY2(inodeOf(op.target) != inode, "a rewrite puts a new file in place");
    else
        QCOMPARE(inodeOf(op.target), inode);
    expected.insert(op.target, healthyFile);
    QCOMPARE(faults::snapshot(work.path()), expected);
}

namespace {

enum class Hostile { Fifo, DeviceLink, FifoLink, Huge, LongLine, ManyNames };

// Puts the hostile file in the place of the target (in a folder with the seed files).
bool makeHostile(Hostile kind, const QString& target) {
    if (!QFile::remove(target))
        return false;
    const QByteArray name = QFile::encodeName(target);
    switch (kind) {
    case Hostile::Fifo:
        return ::mkfifo(name.constData(), 0644) == 0;
    case Hostile::DeviceLink:
        return QFile::link(QStringLiteral("/dev/zero"), target);
    case Hostile::FifoLink:
        return ::mkfifo("files/pipe", 0644) == 0 && QFile::link(QStringLiteral("pipe"), target);
    case Hostile::Huge: {
        // 200 MB without a line end, made sparse: no test writes that much.
        QFile f(target);
        return f.open(QIODevice::WriteOnly) && f.resize(qint64(200) * 1024 * 1024);
    }
    case Hostile::LongLine:
        return writeBytes(target, QByteArray(50 * 1024 * 1024, '7'));
    case Hostile::ManyNames: {
        QByteArray bytes;
        for (int i = 0; i < 20000; ++i)
            bytes += QByteArray::number(i) + "\r\n";
        return writeBytes(target, bytes);
    }
    }
    return false;
}

// Every entry below the folder with its type, size and time of change, links not followed: what
// a change of any file would show, read without opening anything (a FIFO would block an open).
QStringList entriesOf(const QString& folder) {
    QStringList out;
    QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        struct stat st {};
        ::lstat(QFile::encodeName(it.filePath()).constData(), &st);
        out.append(QStringLiteral("%1 %2 %3 %4.%5")
                       .arg(it.filePath())
                       .arg(st.st_mode)
                       .arg(st.st_size)
                       .arg(st.st_mtim.tv_sec)
                       .arg(st.st_mtim.tv_nsec));
    }
    out.sort();
    return out;
}

} // namespace

void FileFaultsTest::hostileTarget_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QString>("reason");
    const QString logPath = AnswerLog::path;
    for (const Operation& op : faults::operations()) {
        const bool reads = op.effect == Effect::Read || op.effect == Effect::TouchRead;
        const QString fifo = QStringLiteral("это не обычный файл, а канал (FIFO)");
        QTest::addRow("FIFO / %s", qPrintable(op.name)) << int(Hostile::Fifo) << op.name << fifo;
        QTest::addRow("link to a FIFO / %s", qPrintable(op.name))
            << int(Hostile::FifoLink) << op.name << fifo;
        QTest::addRow("link to /dev/zero / %s", qPrintable(op.name))
            << int(Hostile::DeviceLink) << op.name
            << QStringLiteral("это не обычный файл, а устройство");
        if (!reads)
            continue;
        const bool log = op.target == logPath;
        const QString longLine = QStringLiteral("в файле есть строка длиннее допустимых 64 КБ");
        const QString tooLarge = log ? QStringLiteral("файл больше допустимых 128 МБ")
                                     : QStringLiteral("файл больше допустимых 1 МБ");
        // The panel's read refuses the log by its size; every other read of the log meets the
        // line first.
        QTest::addRow("200 MB / %s", qPrintable(op.name))
            << int(Hostile::Huge) << op.name
            << (log && op.name != u"log.readAll" ? longLine : tooLarge);
        QTest::addRow("one 50 MB line / %s", qPrintable(op.name))
            << int(Hostile::LongLine) << op.name << (log ? longLine : tooLarge);
        if (op.target == programfiles::saveList)
            QTest::addRow("20,000 names / %s", qPrintable(op.name))
                << int(Hostile::ManyNames) << op.name
                << QStringLiteral("в списке больше 10000 имён");
    }
}

// A file that is not what the program keeps there is refused, before any open that could wait
// and before more than a bounded part of it is read: the failure names the file and says why, no
// file changes (but for the empty line a touch adds, as it always does), and nothing
// stays open.
void FileFaultsTest::hostileTarget() {
    QFETCH(int, kind);
    QFETCH(QString, operation);
    QFETCH(QString, reason);
    const Operation& op = operationNamed(operation);
    TempWorkFolder work(false);
    QVERIFY(QDir().mkdir(QStringLiteral("files")) && faults::writeSeedFiles());
    QVERIFY(makeHostile(static_cast<Hostile>(kind), op.target));
    const QStringList before = entriesOf(work.path());
    const qint64 sizeBefore = QFileInfo(op.target).size();
    const int descriptors = faults::openDescriptorCount();

    FileTable files;
    const faults::Outcome out = op.run(files);

    QVERIFY2(!out.status.ok, "the operation must fail");
    QCOMPARE(out.status.path, op.target);
    QCOMPARE(out.status.reason, reason);
    QVERIFY(out.status.message().contains(op.target));
    QVERIFY(!out.filesOpen);
    QCOMPARE(faults::openDescriptorCount(), descriptors);
    // The touch goes before a read that can only find out by reading: the log's lines, the count
    // of names.
    const auto hostile = static_cast<Hostile>(kind);
    const bool touched = op.effect == Effect::TouchRead &&
                         (hostile == Hostile::ManyNames ||
                          (op.target == AnswerLog::path && hostile >= Hostile::Huge));
    if (touched)
        QCOMPARE(QFileInfo(op.target).size(), sizeBefore + 2);
    else
        QCOMPARE(entriesOf(work.path()), before);
}

// The seed the other tests start from is read back as it was written, so that a failure above is
// the fault's doing and not the seed's.
void FileFaultsTest::seedIsWhatTheFilesHold() {
    TempWorkFolder work;
    QVERIFY(faults::writeSeedFiles());
    const auto seed = faults::seedContents();
    for (auto it = seed.cbegin(); it != seed.cend(); ++it)
        QCOMPARE(readBytes(it.key()), it.value());
    QCOMPARE(seed[QStringLiteral("files/lastans")].size(), 4096);
    QCOMPARE(seed[QStringLiteral("files/SaveList")].size(), 4096);
    FileTable files;
    const faults::Outcome last = operationNamed(QStringLiteral("log.last")).run(files);
    QVERIFY(last.status.ok);
    QVERIFY(last.result.startsWith(QStringLiteral("жжж")));
    const faults::Outcome load = operationNamed(QStringLiteral("array.load")).run(files);
    QVERIFY(load.status.ok);
    QCOMPARE(load.result, QStringLiteral("9|0|2|4|1|1|3|a,b|7"));
}

QTEST_GUILESS_MAIN(FileFaultsTest)
#include "test_file_faults.moc"
