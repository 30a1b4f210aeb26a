// Every command that reads a file, through the real windows, against a hostile file in that
// file's place: a FIFO, a link to /dev/zero, a folder, 200 MB, one 50 MB line, a million lines.
//   hostile_windows run COMMAND KIND   in the current folder: sets the files up, runs the command
//                                      under a bound of address space and of time, prints one
//                                      table row: command, kind, seconds, peak memory, files,
//                                      message
//   hostile_windows table              every case in a fresh folder of its own, one child each;
//                                      exits 1 when a case crashed, ran over its time or changed
//                                      a file it refused
#include "core/answer_log.h"
#include "core/array_library.h"
#include "core/program_files.h"
#include "fault_ops.h"
#include "tests/common/named_controls.h"
#include "tests/common/test_support.h"
#include "windows/editor/form2.h"
#include "windows/library/form3.h"
#include "windows/main/form1.h"
#include "windows/program.h"

#include <QApplication>
#include <QDirIterator>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct Command {
    const char* name;
    QString target;
};

const QList<Command>& commands() {
    static const QList<Command> list = {
        {"Первый ответ", AnswerLog::path},
        {"Следующий ответ", AnswerLog::path},
        {"Последний ответ", AnswerLog::path},
        {"Все ответы", AnswerLog::path},
        {"Загрузить последний массив", QStringLiteral("files/LostMas")},
        {"окно сохранения и загрузки", programfiles::saveList},
        {"Редактировать список", programfiles::saveList},
        {"Загрузить (массив по имени)", programfiles::inFolder(faults::namedArray)},
    };
    return list;
}

const QStringList kinds = {QStringLiteral("FIFO"),      QStringLiteral("link-dev-zero"),
                           QStringLiteral("folder"),    QStringLiteral("200MB"),
                           QStringLiteral("50MB-line"), QStringLiteral("1e6-lines")};

// Writes lines of the target's own kind until the file holds the given number of bytes.
bool writeLines(const QString& path, qint64 bytes, qint64 lines) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const QByteArray line =
        path == AnswerLog::path ? QByteArray("1,000  -2,500  0,333  \r\n") : QByteArray(" 7 \r\n");
    QByteArray chunk = line.repeated((1 << 20) / line.size());
    qint64 written = 0, count = 0;
    while ((bytes < 0 || written < bytes) && (lines < 0 || count < lines)) {
        const qint64 n = lines < 0 ? chunk.size() / line.size()
                                   : std::min<qint64>(chunk.size() / line.size(), lines - count);
        if (f.write(chunk.constData(), n * line.size()) != n * line.size())
            return false;
        written += n * line.size();
        count += n;
    }
    return true;
}

bool makeHostile(const QString& kind, const QString& target) {
    QFile::remove(target);
    const QByteArray name = QFile::encodeName(target);
    if (kind == u"FIFO")
        return ::mkfifo(name.constData(), 0644) == 0;
    if (kind == u"link-dev-zero")
        return QFile::link(QStringLiteral("/dev/zero"), target);
    if (kind == u"folder")
        return QDir().mkdir(target);
    if (kind == u"200MB")
        return writeLines(target, qint64(200) * 1000 * 1000, -1);
    if (kind == u"1e6-lines")
        return writeLines(target, -1, 1000000);
    if (kind == u"50MB-line") {
        // A log keeps its answers before the long line, so that browsing reaches it.
        QFile f(target);
        if (!f.open(QIODevice::WriteOnly))
            return false;
        if (target == AnswerLog::path)
            f.write("1,000  2,000  \r\n3,000  4,000  \r\n");
        const QByteArray chunk(1 << 20, '7');
        for (int i = 0; i < 50; ++i)
            f.write(chunk);
        return true;
    }
    return false;
}

QStringList entries() {
    QStringList out;
    QDirIterator it(QStringLiteral("files"), QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        struct stat st {};
        ::lstat(QFile::encodeName(it.filePath()).constData(), &st);
        out.append(QStringLiteral("%1 %2 %3.%4")
                       .arg(it.filePath())
                       .arg(st.st_size)
                       .arg(st.st_mtim.tv_sec)
                       .arg(st.st_mtim.tv_nsec));
    }
    out.sort();
    return out;
}

long rssKilobytes(const char* key) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(qstrlen(key)).trimmed().split(' ').front().toLong();
    return -1;
}

void runCommand(const QString& name, Program& program) {
    Form1& main = program.form1();
    if (name == u"Первый ответ") {
        main.command2Click();
    } else if (name == u"Следующий ответ") {
        main.command2Click();
        for (int i = 0; i < 1000 && button(main, "Command7")->isEnabled(); ++i)
            main.command7Click();
    } else if (name == u"Последний ответ") {
        main.lastansClick();
    } else if (name == u"Все ответы") {
        // A large log fills the panel from the event loop: the case lasts until it is full.
        main.command4Click();
        while (main.panelLoading())
            QCoreApplication::processEvents();
    } else if (name == u"Загрузить последний массив") {
        program.form2().loadClick();
    } else {
        program.showForm3();
        Form3* window = program.form3IfExists();
        if (name == u"Редактировать список") {
            window->command3Click();
        } else if (name != u"окно сохранения и загрузки") {
            const auto found = named<QListWidget>(window, "Combo2")
                                   ->findItems(faults::namedArray, Qt::MatchExactly);
            if (!found.isEmpty())
                found.first()->setSelected(true);
            window->command2Click();
        }
    }
    QCoreApplication::processEvents();
}

int run(const QString& command, const QString& kind, int argc, char** argv) {
    const Command* cmd = nullptr;
    for (const Command& c : commands())
        if (QString::fromUtf8(c.name) == command)
            cmd = &c;
    if (!cmd || !QDir().mkpath(QStringLiteral("files")) || !faults::writeSeedFiles() ||
        !makeHostile(kind, cmd->target))
        return 2;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ScriptedPlatform platform;
    Program program(platform);
    program.start();
    QCoreApplication::processEvents();
    const QStringList before = entries();
    // The bounds: 512 MB of address space beyond what the program holds at start, 60 s.
    // AddressSanitizer maps its shadow memory as it goes, so a sanitized run has the time bound
    // only.
#if !defined(__SANITIZE_ADDRESS__)
    const rlim_t room = rlim_t(rssKilobytes("VmSize:")) * 1024 + (rlim_t(512) << 20);
    const rlimit space{room, room};
    setrlimit(RLIMIT_AS, &space);
#endif
    alarm(60);
    const long rssBefore = rssKilobytes("VmRSS:");
    const auto start = std::chrono::steady_clock::now();
    runCommand(command, program);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    alarm(0);
    const long peak = rssKilobytes("VmHWM:") - rssBefore;
    const QStringList after = entries();
    // Files may change only by the empty line a command adds before it reads (two bytes).
    QString files = QStringLiteral("unchanged");
    bool changedMore = false;
    if (after != before) {
        QStringList changed;
        for (const QString& e : after) {
            if (before.contains(e))
                continue;
            const QString path = e.section(u' ', 0, 0);
            const QString old = before
                                    .filter(QRegularExpression(QStringLiteral("^%1 ").arg(
                                        QRegularExpression::escape(path))))
                                    .value(0);
            const qint64 grown = e.section(u' ', 1, 1).toLongLong() -
                                 (old.isEmpty() ? 0 : old.section(u' ', 1, 1).toLongLong());
            changedMore = changedMore || old.isEmpty() || grown != 2;
            changed.append(
                QStringLiteral("%1 %2%3 B").arg(path, grown >= 0 ? u"+" : u"").arg(grown));
        }
        files = changed.join(u',');
    }
    QStringList messages;
    for (const ShownMessage& m : platform.messages)
        messages.append(QStringLiteral("«%1» %2").arg(m.title, m.text));
    std::printf("| %s | %s | %.3f | %ld | %s | %s |\n", qPrintable(command), qPrintable(kind),
                seconds, peak / 1024, qPrintable(files),
                qPrintable(messages.isEmpty() ? QStringLiteral("(none)") : messages.join(u' ')));
    std::fflush(stdout);
    return changedMore || after.size() != before.size() ? 1 : 0;
}

int table(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    std::printf("| command | file | s | peak MB over start | files | message "
                "|\n|---|---|---|---|---|---|\n");
    std::fflush(stdout);
    int failed = 0;
    for (const Command& c : commands()) {
        for (const QString& kind : kinds) {
            QTemporaryDir work;
            QProcess child;
            child.setWorkingDirectory(work.path());
            child.setProcessChannelMode(QProcess::ForwardedChannels);
            child.start(QCoreApplication::applicationFilePath(),
                        {QStringLiteral("run"), QString::fromUtf8(c.name), kind});
            child.waitForFinished(-1);
            if (child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0) {
                std::printf("FAIL: %s / %s: ended by %s %d\n", c.name, qPrintable(kind),
                            child.exitStatus() == QProcess::NormalExit ? "exit" : "signal",
                            child.exitCode());
                ++failed;
            }
            std::fflush(stdout);
        }
    }
    std::printf("%d cases, %d failed\n", int(commands().size() * kinds.size()), failed);
    return failed ? 1 : 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 4 && qstrcmp(argv[1], "run") == 0)
        return run(QString::fromUtf8(argv[2]), QString::fromUtf8(argv[3]), argc, argv);
    if (argc == 2 && qstrcmp(argv[1], "table") == 0)
        return table(argc, argv);
    std::fprintf(stderr, "usage: hostile_windows table | run COMMAND KIND\n");
    return 2;
}
