// The heap in use while the save/load window and the about window are opened and closed again and
// again, through the real windows offscreen: after a warm-up it must stay flat.
//   slau_window_heap_bench [CYCLES]   prints the heap in use (bytes) after the warm-up and every
//                                     CYCLES/4 cycles after it, for each window
#include "bench_common.h"
#include "windows/about/form4.h"
#include "windows/library/form3.h"
#include "windows/program.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
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

template <typename OpenClose> void measure(const char* name, int cycles, OpenClose cycle) {
    constexpr int warmUp = 400;
    for (int i = 0; i < warmUp; ++i)
        cycle();
    settle();
    const std::size_t start = heapInUse();
    std::printf("%s: after %d warm-up cycles %zu bytes in use\n", name, warmUp, start);
    for (int done = 0; done < cycles;) {
        for (int i = 0; i < cycles / 4; ++i, ++done)
            cycle();
        settle();
        const std::size_t now = heapInUse();
        std::printf("%s: after %d more cycles %zu bytes (%+.1f bytes a cycle)\n", name, done, now,
                    (double(now) - double(start)) / done);
    }
}

} // namespace

int main(int argc, char** argv) {
    const int cycles = argc > 1 ? std::atoi(argv[1]) : 1000;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir work;
    QDir::setCurrent(work.path());
    QDir().mkdir(QStringLiteral("files"));
    bench::SilentPlatform platform(u',');
    Program program(platform);
    program.start();
    measure("save/load window", cycles, [&program] {
        program.showForm3();
        QCoreApplication::processEvents();
        program.form3IfExists()->command6Click();
        settle();
    });
    measure("about window", cycles, [&program] {
        program.showAbout();
        QCoreApplication::processEvents();
        program.form4IfExists()->close();
        settle();
    });
    return 0;
}
