// The heap in use while the save/load window and the about window are opened and closed again and
// again, through the real windows: after a warm-up it must stay flat.
//   slau_window_heap_bench [--native] [--reset-list] [CYCLES [WARMUP]]
//       prints the heap in use (bytes) after WARMUP cycles (500) and every CYCLES/4 of the CYCLES
//       cycles (900) after it, for each window, and at the end the bytes kept per opening.
//       Offscreen unless --native: then on the platform QT_QPA_PLATFORM names (xcb under X).
//       --reset-list empties files/SaveList before each opening, which otherwise grows by a line.
#include "bench_common.h"
#include "core/array_library.h"
#include "windows/about/form4.h"
#include "windows/library/form3.h"
#include "windows/program.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <cstring>
#include <malloc.h>

namespace {

std::size_t heapInUse() {
    malloc_trim(0);
    return mallinfo2().uordblks;
}

void settle() {
    // Closed windows are deleted later, by the event loop.
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
}

template <typename OpenClose>
void measure(const char* name, int warmUp, int cycles, OpenClose cycle) {
    for (int i = 0; i < warmUp; ++i)
        cycle();
    settle();
    const std::size_t start = heapInUse();
    std::printf("%s: after %d warm-up cycles %zu bytes in use\n", name, warmUp, start);
    const int step = std::max(1, cycles / 4);
    std::size_t now = start;
    for (int done = 0; done < cycles;) {
        for (int i = 0; i < step && done < cycles; ++i, ++done)
            cycle();
        settle();
        now = heapInUse();
        std::printf("%s: after %d more cycles %zu bytes (%+.1f bytes a cycle)\n", name, done, now,
                    (double(now) - double(start)) / done);
    }
    std::printf("%s: %+.1f bytes kept per opening over %d openings after %d\n", name,
                (double(now) - double(start)) / cycles, cycles, warmUp);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv) {
    bool native = false;
    bool resetList = false;
    QList<int> counts;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--native") == 0)
            native = true;
        else if (std::strcmp(argv[i], "--reset-list") == 0)
            resetList = true;
        else
            counts.append(std::atoi(argv[i]));
    }
    const int cycles = counts.size() > 0 ? counts[0] : 900;
    const int warmUp = counts.size() > 1 ? counts[1] : 500;
    if (!native)
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::printf("platform: %s\n", qPrintable(QGuiApplication::platformName()));
    QTemporaryDir work;
    QDir::setCurrent(work.path());
    QDir().mkdir(QStringLiteral("files"));
    bench::SilentPlatform platform(u',');
    Program program(platform);
    program.start();
    measure("save/load window", warmUp, cycles, [&program, resetList] {
        if (resetList)
            library::resetSaveList();
        program.showForm3();
        QCoreApplication::processEvents();
        program.form3IfExists()->command6Click();
        settle();
    });
    measure("about window", warmUp, cycles, [&program] {
        program.showAbout();
        QCoreApplication::processEvents();
        program.form4IfExists()->close();
        settle();
    });
    return 0;
}
