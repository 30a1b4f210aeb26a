// Times the editor on large inputs, driving the real window offscreen: one refill at order 10
// from a 1 MB entry text, a random content at order 10, and a load of a large last-array file.
#include "bench_common.h"
#include "windows/editor/form2.h"
#include "windows/program.h"
#include "windows/shared/platform.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QScrollBar>
#include <QTemporaryDir>

namespace {

template <typename Work> double bestOf(int runs, Work work) {
    double best = 1e9;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        work();
        best = std::min(best, bench::secondsSince(start));
    }
    return best;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir folder;
    QDir::setCurrent(folder.path());
    QDir().mkdir(QStringLiteral("files"));
    bench::SilentPlatform platform(u'.');
    Program program(platform);
    program.showForm2();
    Form2& editor = program.form2();
    editor.findChild<QScrollBar*>(QStringLiteral("VScroll1"))->setValue(2);

    QString big;
    while (big.size() < 1'000'000)
        big += QStringLiteral("12.5 -3 7 ");
    editor.findChild<QLineEdit*>(QStringLiteral("Text1"))->setText(big);
    const double refill = bestOf(20, [&] { editor.fillMatrix(); });
    std::printf("refill at order 10 from a 1 MB text: %.3f ms\n", refill * 1e3);

    const double random = bestOf(20, [&] { editor.command1Click(); });
    std::printf("random content at order 10 (110 refills): %.3f ms\n", random * 1e3);

    QFile file(QStringLiteral("files/LostMas"));
    if (!file.open(QIODevice::WriteOnly))
        return 1;
    file.write(" 2 \r\n");
    for (int i = 0; i < 100'000; ++i)
        file.write(QByteArray::number(i % 10) + " \r\n");
    file.close();
    editor.findChild<QScrollBar*>(QStringLiteral("VScroll1"))->setValue(5);
    const double load =
        bestOf(3, [&] { editor.findChild<QAction*>(QStringLiteral("load"))->trigger(); });
    std::printf("load of a last array of 100,000 values: %.3f s (entry text %lld characters)\n",
                load,
                static_cast<long long>(
                    editor.findChild<QLineEdit*>(QStringLiteral("Text1"))->text().size()));
    return 0;
}
