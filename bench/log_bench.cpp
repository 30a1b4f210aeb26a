// Times the answer log on a large file: the last answer against `wc -l` on the same file, a browse
// of the first thousand answers, and the whole log read into the main window's panel.
#include "bench_common.h"
#include "core/answer_log.h"
#include "support/file_table.h"
#include "support/numbers.h"
#include "windows/main/form1.h"
#include "windows/program.h"
#include "windows/shared/platform.h"

#include <QApplication>
#include <QDir>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <random>

namespace {

// Writes a log of solution lines of order 10, as the solver writes them.
void writeLog(const QString& path, int lines) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write %s", qPrintable(path));
    std::mt19937 generator(1);
    std::uniform_real_distribution<double> value(-100, 100);
    QByteArray chunk;
    for (int i = 0; i < lines; ++i) {
        for (int j = 0; j < 10; ++j)
            chunk += numbers::fixed3(value(generator), u',').toLatin1() + "  ";
        chunk += "\r\n";
        if (chunk.size() > (1 << 20)) {
            file.write(chunk);
            chunk.clear();
        }
    }
    file.write(chunk);
}

// The panel's lines, its last (empty) one not counted, without copying its text.
qlonglong lineCount(const QTextDocument* document) {
    qlonglong lines = 0;
    for (QTextBlock b = document->begin(); b.isValid(); b = b.next())
        lines += b.text().count(QChar::LineSeparator) + 1;
    return lines - 1;
}

int measure(const QString& mode, int argc, char** argv) {
    const auto start = std::chrono::steady_clock::now();
    FileTable files;
    AnswerLog log(files);
    if (mode == u"last") {
        std::optional<QString> answer;
        if (!log.lastAnswer(answer) || !answer)
            return 1;
        std::printf("LastAnswer: %.3f s", bench::secondsSince(start));
    } else if (mode == u"wc") {
        QProcess wc;
        wc.start(QStringLiteral("wc"), {QStringLiteral("-l"), AnswerLog::path});
        wc.waitForFinished(-1);
        std::printf("wc -l:      %.3f s", bench::secondsSince(start));
    } else if (mode == u"browse") {
        if (!log.openAnswerCursor())
            return 1;
        std::optional<QString> answer;
        for (int i = 0; i < 1000; ++i)
            if (!log.nextAnswer(answer) || !answer)
                return 1;
        std::printf("browse of 1,000 answers: %.4f s", bench::secondsSince(start));
    } else if (mode == u"panel") {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        QApplication app(argc, argv);
        bench::SilentPlatform platform(u',');
        Program program(platform);
        program.start();
        QCoreApplication::processEvents();
        // What the program holds with its windows open and the panel empty: the growth over it
        // is the panel's own.
        const long atStart = bench::peakKilobytes();
        // The longest time the event loop is kept from answering: the command itself, then each
        // turn of the loop while the panel is being filled.
        const auto shown = std::chrono::steady_clock::now();
        program.form1().command4Click();
        const double command = bench::secondsSince(shown);
        double longest = 0;
        while (program.form1().panelLoading()) {
            const auto turn = std::chrono::steady_clock::now();
            QCoreApplication::processEvents();
            longest = std::max(longest, bench::secondsSince(turn));
        }
        QCoreApplication::processEvents();
        const double seconds = bench::secondsSince(shown);
        const long peak = bench::peakKilobytes();
        const qint64 bytes = QFileInfo(AnswerLog::path).size();
        auto* panel = program.form1().findChild<QPlainTextEdit*>(QStringLiteral("Text2"));
        std::printf("All answers into the panel (%lld lines, %.1f MB): %.3f s; the command %.3f s,"
                    " then the longest turn of the event loop %.3f s",
                    lineCount(panel->document()), bytes / 1e6, seconds, command, longest);
        std::printf(", peak memory %ld KiB (%.1f times the log), %ld KiB over the program at start"
                    " (%.1f times the log)\n",
                    peak, peak * 1024.0 / bytes, peak - atStart, (peak - atStart) * 1024.0 / bytes);
        // "Сохранить" writes the whole panel back.
        const auto save = std::chrono::steady_clock::now();
        program.form1().command5Click();
        std::printf("Save of the panel: %.3f s, peak memory %ld KiB (%.1f times the log)\n",
                    bench::secondsSince(save), bench::peakKilobytes(),
                    bench::peakKilobytes() * 1024.0 / bytes);
        return 0;
    }
    std::printf(", peak memory %ld KiB\n", bench::peakKilobytes());
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 3) {
        QDir::setCurrent(QString::fromLocal8Bit(argv[2]));
        return measure(QString::fromLatin1(argv[1]), argc, argv);
    }
    QCoreApplication app(argc, argv);
    QTemporaryDir big;
    QTemporaryDir small;
    QDir(big.path()).mkdir(QStringLiteral("files"));
    QDir(small.path()).mkdir(QStringLiteral("files"));
    writeLog(big.filePath(AnswerLog::path), 1'000'000);
    writeLog(small.filePath(AnswerLog::path), 100'000);
    std::printf("log of 1,000,000 lines: %.1f MB\n",
                QFileInfo(big.filePath(AnswerLog::path)).size() / 1e6);
    int failed = 0;
    for (const char* mode : {"wc", "last", "wc", "last", "browse"})
        failed |= bench::runChild({QString::fromLatin1(mode), big.path()});
    std::printf("log of 100,000 lines: %.1f MB\n",
                QFileInfo(small.filePath(AnswerLog::path)).size() / 1e6);
    failed |= bench::runChild({QStringLiteral("panel"), small.path()});
    std::printf("log of 1,000,000 lines:\n");
    failed |= bench::runChild({QStringLiteral("panel"), big.path()});
    return failed;
}
