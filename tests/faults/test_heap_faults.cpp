// The windows made afresh at every showing give back what they took: after a warm-up, opening and
// closing one again and again leaves the heap in use where it was.
#include "program_fixture.h"
#include "windows/about/form4.h"
#include "windows/library/form3.h"

#include <QTest>
#include <functional>
#include <malloc.h>

namespace {

std::size_t heapInUse() {
    malloc_trim(0);
    return mallinfo2().uordblks;
}

// Closed windows are deleted later, by the event loop.
void settle() {
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
}

// Draws the window's icon at each of its sizes, as the X platform does for the window frame on
// every showing; the offscreen platform asks for none. Icon pictures go through the picture
// cache, keyed by the picture's identity.
void drawIcon(QWidget* window) {
    const QIcon icon = window->windowIcon();
    for (const QSize& size : icon.availableSizes())
        icon.pixmap(size);
}

using OpenClose = std::function<void(Program&)>;

} // namespace

Q_DECLARE_METATYPE(OpenClose)

class TestHeapFaults : public QObject {
    Q_OBJECT
  private slots:
    void flatAfterWarmUp_data();
    void flatAfterWarmUp();
};

void TestHeapFaults::flatAfterWarmUp_data() {
    QTest::addColumn<OpenClose>("cycle");
    QTest::newRow("save/load window") << OpenClose([](Program& program) {
        program.showForm3();
        QCoreApplication::processEvents();
        drawIcon(program.form3IfExists());
        program.form3IfExists()->command6Click();
    });
    QTest::newRow("about window") << OpenClose([](Program& program) {
        program.showAbout();
        QCoreApplication::processEvents();
        drawIcon(program.form4IfExists());
        program.form4IfExists()->close();
    });
}

void TestHeapFaults::flatAfterWarmUp() {
#if defined(__SANITIZE_ADDRESS__)
    QSKIP("the sanitizer's allocator keeps no malloc statistics");
#endif
    QFETCH(OpenClose, cycle);
    ProgramFixture f;
    const auto run = [&](int cycles) {
        for (int i = 0; i < cycles; ++i) {
            cycle(*f.program);
            settle();
        }
    };
    run(100);
    const std::size_t before = heapInUse();
    constexpr int cycles = 300;
    run(cycles);
    const double perCycle = (double(heapInUse()) - double(before)) / cycles;
    // A leak of one small widget's worth shows as hundreds of bytes a cycle; the bound leaves room
    // for the allocator's own bookkeeping.
    QVERIFY2(perCycle < 64, qPrintable(QStringLiteral("%1 bytes a cycle").arg(perCycle)));
}

QTEST_MAIN(TestHeapFaults)
#include "test_heap_faults.moc"
