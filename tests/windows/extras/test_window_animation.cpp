// The line scene and its animation: the start scene of the three windows, the sweep driven by
// the two timers, the menu toggles, and what is repainted.
#include "tests/common/test_support.h"
#include "windows/extras/window_animation.h"

#include <QAction>
#include <QElapsedTimer>
#include <QPaintEvent>
#include <QtTest>
#include <memory>

Q_DECLARE_METATYPE(SceneLayout)

namespace {

const QColor darkOlive{64, 64, 0};
const QColor brightOlive{192, 192, 0};

// A black client area with a scene, and the two menu items where the window has a menu.
struct Window {
    explicit Window(SceneLayout layout, bool withMenu = true, SweepMemory* memory = nullptr) {
        client.setFixedSize(314, 272);
        QPalette p = client.palette();
        p.setColor(QPalette::Window, Qt::black);
        client.setPalette(p);
        client.setAutoFillBackground(true);
        if (withMenu)
            animation = new WindowAnimation(&client, layout, &graph, &stoper);
        else
            animation = new WindowAnimation(&client, layout, nullptr, nullptr, memory);
        animation->load();
    }
    LineScene& scene() { return animation->scene(); }
    bool line1(int index) { return scene().isShown(1, index); }
    // The indices of Line1 that are shown.
    QList<int> shownLine1() {
        QList<int> shown;
        for (int i = 0; i <= 41; ++i) {
            if (line1(i))
                shown.append(i);
        }
        return shown;
    }
    void timer1Ticks(int count) {
        for (int i = 0; i < count; ++i)
            animation->timer1Tick();
    }
    // Brings the window to the point where every Timer2 event starts a sweep.
    void pastFirstSecond() { animation->timer2Tick(); }
    void completeSweep() {
        animation->timer2Tick();
        timer1Ticks(36);
    }

    QAction graph{QStringLiteral("Разрешить графику")};
    QAction stoper{QStringLiteral("Разрешить анимацию")};
    QWidget client;
    WindowAnimation* animation;
};

} // namespace

class TestWindowAnimation : public QObject {
    Q_OBJECT
  private slots:
    void startScene_data();
    void startScene();
    void tableGeometry_data();
    void tableGeometry();
    void dotIsDrawnAsSquare();
    void firstTimer2OnlyBrightens();
    void sweepAdvancesOnEverySecondEvent();
    void completeSweepLeavesEndPair_data();
    void completeSweepLeavesEndPair();
    void interruptedSweepStartsAgain();
    void toggles_data();
    void toggles();
    void stoperOffLetsRunningSweepFinish();
    void windowsAreIndependent();
    void loadResetsPhaseOnly();
    void reopenedWindowKeepsSweepValues();
    void onlyChangedLinesAreRepainted();
    void firstSweepAboutTwoSecondsAfterLoad();
};

void TestWindowAnimation::startScene_data() {
    QTest::addColumn<SceneLayout>("layout");
    QTest::addColumn<bool>("longDiagonals");
    QTest::addColumn<QColor>("red");
    QTest::addColumn<int>("dottedCount");
    QTest::newRow("main") << SceneLayout::Main << false << QColor(255, 0, 0) << 2;
    QTest::newRow("editor") << SceneLayout::Editor << true << QColor(192, 0, 0) << 2;
    QTest::newRow("library") << SceneLayout::Library << false << QColor(192, 0, 0) << 5;
}

void TestWindowAnimation::startScene() {
    QFETCH(SceneLayout, layout);
    QFETCH(bool, longDiagonals);
    QFETCH(QColor, red);
    QFETCH(int, dottedCount);
    Window w(layout);
    const QList<int> expected = longDiagonals ? QList<int>{40, 41} : QList<int>{};
    QCOMPARE(w.shownLine1(), expected);
    QVERIFY(w.scene().isShown(2, 0));
    QCOMPARE(w.scene().colourOf(2, 0), QColor(64, 0, 64));
    for (int i = 0; i < dottedCount; ++i) {
        QVERIFY(w.scene().isShown(3, i));
        QCOMPARE(w.scene().colourOf(3, i), darkOlive);
        QVERIFY(w.scene().line(3, i).dotted);
    }
    // A line the layout does not have stays away.
    w.scene().setShown(3, dottedCount, true);
    QVERIFY(!w.scene().isShown(3, dottedCount));
    QCOMPARE(w.scene().line(3, dottedCount).group, 0);
    QCOMPARE(w.scene().colourOf(1, 38), red);
    QCOMPARE(w.scene().colourOf(1, 39), red);
    QCOMPARE(w.scene().colourOf(1, 40), QColor(0, 128, 0));
    QCOMPARE(w.scene().colourOf(1, 5), QColor(0, 255, 0));
    QCOMPARE(w.animation->timer2().interval(), 1000);
    QVERIFY(w.animation->timer2().active());
    QCOMPARE(w.animation->timer1().interval(), 0);
    QVERIFY(!w.animation->timer1().active());
    QCOMPARE(w.animation->animPhase(), 0);
    QVERIFY(w.graph.isCheckable() && w.graph.isChecked() && !w.graph.isEnabled());
    QVERIFY(w.stoper.isCheckable() && w.stoper.isChecked() && w.stoper.isEnabled());
    // The scene lies beneath everything else in the client area.
    QCOMPARE(w.client.children().indexOf(&w.scene()), 0);
}

void TestWindowAnimation::tableGeometry_data() {
    QTest::addColumn<SceneLayout>("layout");
    QTest::addColumn<int>("group");
    QTest::addColumn<int>("index");
    QTest::addColumn<QLine>("twips");
    QTest::addColumn<int>("width");
    QTest::newRow("main left 0") << SceneLayout::Main << 1 << 0 << QLine(120, 4200, 135, 4200)
                                 << 10;
    QTest::newRow("main left 3") << SceneLayout::Main << 1 << 3 << QLine(480, 3840, 495, 3840) << 8;
    QTest::newRow("main left 17") << SceneLayout::Main << 1 << 17 << QLine(2160, 2160, 2175, 2160)
                                  << 1;
    QTest::newRow("main right 0") << SceneLayout::Main << 1 << 19 << QLine(4560, 4200, 4575, 4200)
                                  << 10;
    QTest::newRow("main right 16")
        << SceneLayout::Main << 1 << 35 << QLine(2640, 2280, 2655, 2280) << 2;
    QTest::newRow("main end 18") << SceneLayout::Main << 1 << 18 << QLine(2285, 2040, 2240, 2040)
                                 << 1;
    QTest::newRow("main red 39") << SceneLayout::Main << 1 << 39 << QLine(2205, 2040, 2220, 2040)
                                 << 4;
    QTest::newRow("main long 41") << SceneLayout::Main << 1 << 41 << QLine(2520, 2160, 4680, 4320)
                                  << 1;
    QTest::newRow("editor left 1")
        << SceneLayout::Editor << 1 << 1 << QLine(240, 3840, 255, 3840) << 9;
    QTest::newRow("editor end 18")
        << SceneLayout::Editor << 1 << 18 << QLine(2295, 1800, 2235, 1800) << 1;
    QTest::newRow("editor red 39")
        << SceneLayout::Editor << 1 << 39 << QLine(2220, 1800, 2235, 1800) << 4;
    QTest::newRow("editor line2") << SceneLayout::Editor << 2 << 0 << QLine(0, 1560, 4680, 1560)
                                  << 1;
    QTest::newRow("library left 9")
        << SceneLayout::Library << 1 << 9 << QLine(1080, 3600, 1095, 3600) << 5;
    QTest::newRow("library left 10")
        << SceneLayout::Library << 1 << 10 << QLine(1320, 3480, 1335, 3480) << 5;
    QTest::newRow("library right 9")
        << SceneLayout::Library << 1 << 28 << QLine(3600, 3600, 3615, 3600) << 5;
    QTest::newRow("library right 10")
        << SceneLayout::Library << 1 << 29 << QLine(3360, 3480, 3375, 3480) << 5;
    QTest::newRow("library dotted 1")
        << SceneLayout::Library << 3 << 1 << QLine(3480, 4800, 2400, 2640) << 1;
    QTest::newRow("library dotted 4")
        << SceneLayout::Library << 3 << 4 << QLine(4680, 5880, 4080, 5040) << 1;
}

void TestWindowAnimation::tableGeometry() {
    QFETCH(SceneLayout, layout);
    QFETCH(int, group);
    QFETCH(int, index);
    QFETCH(QLine, twips);
    QFETCH(int, width);
    Window w(layout);
    QCOMPARE(w.scene().line(group, index).twips, twips);
    QCOMPARE(w.scene().line(group, index).width, width);
}

void TestWindowAnimation::dotIsDrawnAsSquare() {
    // The widest dot, a one-pixel dash 10 pixels thick, must show as a dot about 10 by 10.
    Window w(SceneLayout::Editor);
    w.scene().setShown(1, 40, false); // the long diagonal would cross dot 0
    w.scene().setShown(1, 5, true);   // 7 pixels at (720, 3360) twips: (48, 224) pixels
    w.scene().setShown(1, 0, true);   // 10 pixels at (120, 3960) twips: (8, 264) pixels
    const QImage image = w.client.grab().toImage();
    auto greenAround = [&](QPoint centre, int radius) {
        int count = 0;
        for (int y = centre.y() - radius; y <= centre.y() + radius; ++y) {
            for (int x = centre.x() - radius; x <= centre.x() + radius; ++x) {
                if (image.pixelColor(x, y) == QColor(0, 255, 0))
                    ++count;
            }
        }
        return count;
    };
    QVERIFY2(greenAround({8, 264}, 8) >= 100, "a dot of width 10 covers at least 10 x 10");
    QVERIFY2(greenAround({8, 264}, 8) <= 11 * 11, "and not much more");
    QVERIFY(greenAround({48, 224}, 8) >= 49);
    QVERIFY(greenAround({48, 224}, 8) <= 8 * 8);
    QCOMPARE(greenAround({100, 100}, 8), 0);
}

void TestWindowAnimation::firstTimer2OnlyBrightens() {
    Window w(SceneLayout::Main);
    w.animation->timer2Tick();
    QCOMPARE(w.scene().colourOf(3, 0), brightOlive);
    QCOMPARE(w.scene().colourOf(3, 1), brightOlive);
    QCOMPARE(w.animation->animPhase(), 1);
    QCOMPARE(w.animation->timer1().interval(), 0);
    QCOMPARE(w.shownLine1(), QList<int>{});
    // The second event starts the first sweep and shows the red dots and the long diagonals.
    w.animation->timer2Tick();
    QCOMPARE(w.animation->animPhase(), 1);
    QCOMPARE(w.animation->timer1().interval(), WindowAnimation::sweepInterval);
    QVERIFY(w.animation->timer1().active());
    QCOMPARE(w.shownLine1(), (QList<int>{38, 39, 40, 41}));
}

void TestWindowAnimation::sweepAdvancesOnEverySecondEvent() {
    Window w(SceneLayout::Main);
    w.pastFirstSecond();
    w.animation->timer2Tick();
    w.timer1Ticks(1);
    QCOMPARE(w.animation->sweepTick(), 1);
    QCOMPARE(w.animation->sweepStep(), 0);
    QCOMPARE(w.shownLine1(), (QList<int>{38, 39, 40, 41}));
    w.timer1Ticks(1);
    QCOMPARE(w.animation->sweepTick(), 0);
    QCOMPARE(w.animation->sweepStep(), 1);
    QCOMPARE(w.shownLine1(), (QList<int>{1, 20, 38, 39, 40, 41}));
    w.timer1Ticks(2);
    QCOMPARE(w.shownLine1(), (QList<int>{2, 21, 38, 39, 40, 41}));
}

void TestWindowAnimation::completeSweepLeavesEndPair_data() {
    QTest::addColumn<SceneLayout>("layout");
    QTest::newRow("main") << SceneLayout::Main;
    QTest::newRow("editor") << SceneLayout::Editor;
    QTest::newRow("library") << SceneLayout::Library;
}

void TestWindowAnimation::completeSweepLeavesEndPair() {
    QFETCH(SceneLayout, layout);
    Window w(layout, layout != SceneLayout::Library);
    w.pastFirstSecond();
    w.animation->timer2Tick();
    w.timer1Ticks(35);
    QCOMPARE(w.animation->sweepStep(), 17);
    QCOMPARE(w.animation->timer1().interval(), WindowAnimation::sweepInterval);
    w.timer1Ticks(1);
    QCOMPARE(w.animation->sweepStep(), 18);
    QCOMPARE(w.animation->sweepTick(), 0);
    QCOMPARE(w.animation->timer1().interval(), 0);
    QVERIFY(!w.animation->timer1().active());
    QCOMPARE(w.shownLine1(), (QList<int>{18, 37, 38, 39, 40, 41}));
    // The next sweep starts from 0 and leaves the end pair lit.
    w.animation->timer2Tick();
    QCOMPARE(w.animation->sweepStep(), 0);
    w.timer1Ticks(2);
    QCOMPARE(w.shownLine1(), (QList<int>{1, 18, 20, 37, 38, 39, 40, 41}));
    w.timer1Ticks(34);
    QCOMPARE(w.shownLine1(), (QList<int>{18, 37, 38, 39, 40, 41}));
}

void TestWindowAnimation::interruptedSweepStartsAgain() {
    Window w(SceneLayout::Editor);
    w.pastFirstSecond();
    w.animation->timer2Tick();
    w.timer1Ticks(10);
    QCOMPARE(w.animation->sweepStep(), 5);
    // Timer2 comes before the sweep is done: the lit pair stays, the sweep starts at 0.
    w.animation->timer2Tick();
    QCOMPARE(w.animation->sweepStep(), 0);
    QCOMPARE(w.shownLine1(), (QList<int>{5, 24, 38, 39, 40, 41}));
    w.timer1Ticks(36);
    QCOMPARE(w.shownLine1(), (QList<int>{18, 37, 38, 39, 40, 41}));
}

void TestWindowAnimation::toggles_data() {
    // Clicks on the menu items after a complete sweep: S is "Разрешить анимацию", G is
    // "Разрешить графику"; the state of the items, Timer2 and the scene afterwards.
    QTest::addColumn<QString>("clicks");
    QTest::addColumn<bool>("graphChecked");
    QTest::addColumn<bool>("graphEnabled");
    QTest::addColumn<bool>("stoperChecked");
    QTest::addColumn<QList<int>>("line1");
    QTest::addColumn<bool>("lineAndDotted");
    const QList<int> swept{18, 37, 38, 39, 40, 41};
    // A disabled item does not react to a click.
    QTest::newRow("graph while animating") << "G" << true << false << true << swept << true;
    QTest::newRow("stoper off hides nothing") << "S" << true << true << false << swept << true;
    QTest::newRow("stoper off, graph off")
        << "SG" << false << true << false << QList<int>{} << false;
    QTest::newRow("graph off and on") << "SGG" << true << false << false << QList<int>{} << true;
    QTest::newRow("graph disabled again")
        << "SGGG" << true << false << false << QList<int>{} << true;
    QTest::newRow("stoper on again") << "SGGS" << true << false << true << QList<int>{} << true;
    QTest::newRow("stoper on from scene off")
        << "SGS" << true << false << true << QList<int>{} << true;
    QTest::newRow("stoper off and on") << "SS" << true << false << true << swept << true;
}

void TestWindowAnimation::toggles() {
    QFETCH(QString, clicks);
    QFETCH(bool, graphChecked);
    QFETCH(bool, graphEnabled);
    QFETCH(bool, stoperChecked);
    QFETCH(QList<int>, line1);
    QFETCH(bool, lineAndDotted);
    Window w(SceneLayout::Main);
    w.pastFirstSecond();
    w.completeSweep();
    for (const QChar c : clicks)
        (c == u'S' ? w.stoper : w.graph).trigger();
    QCOMPARE(w.graph.isChecked(), graphChecked);
    QCOMPARE(w.graph.isEnabled(), graphEnabled);
    QCOMPARE(w.stoper.isChecked(), stoperChecked);
    QCOMPARE(w.animation->timer2().interval(), stoperChecked ? 1000 : 0);
    QCOMPARE(w.animation->timer2().active(), stoperChecked);
    QCOMPARE(w.shownLine1(), line1);
    QCOMPARE(w.scene().isShown(2, 0), lineAndDotted);
    QCOMPARE(w.scene().isShown(3, 0), lineAndDotted);
    QCOMPARE(w.scene().isShown(3, 1), lineAndDotted);
    if (lineAndDotted) // they come back with the colour they last had
        QCOMPARE(w.scene().colourOf(3, 0), brightOlive);
    if (stoperChecked) {
        // The running animation brings back the red dots and the long diagonals.
        w.animation->timer2Tick();
        QCOMPARE(w.animation->timer1().interval(), WindowAnimation::sweepInterval);
        w.timer1Ticks(36);
        QCOMPARE(w.shownLine1(), (QList<int>{18, 37, 38, 39, 40, 41}));
    }
}

void TestWindowAnimation::stoperOffLetsRunningSweepFinish() {
    Window w(SceneLayout::Main);
    w.pastFirstSecond();
    w.animation->timer2Tick();
    w.timer1Ticks(6);
    w.stoper.trigger();
    QCOMPARE(w.animation->timer1().interval(), WindowAnimation::sweepInterval);
    w.timer1Ticks(30);
    QCOMPARE(w.animation->sweepStep(), 18);
    QCOMPARE(w.animation->timer1().interval(), 0);
}

void TestWindowAnimation::windowsAreIndependent() {
    Window main(SceneLayout::Main);
    Window editor(SceneLayout::Editor);
    const int editorStep = editor.animation->sweepStep();
    main.pastFirstSecond();
    QCOMPARE(editor.animation->animPhase(), 0);
    QCOMPARE(editor.scene().colourOf(3, 0), darkOlive);
    main.completeSweep();
    QCOMPARE(editor.shownLine1(), (QList<int>{40, 41}));
    QCOMPARE(editor.animation->sweepStep(), editorStep);
    QCOMPARE(editor.animation->timer1().interval(), 0);
    main.stoper.trigger();
    main.graph.trigger();
    QVERIFY(editor.stoper.isChecked());
    QVERIFY(editor.graph.isChecked() && !editor.graph.isEnabled());
    QCOMPARE(editor.animation->timer2().interval(), 1000);
    QVERIFY(editor.scene().isShown(2, 0));
    editor.stoper.trigger();
    QVERIFY(!main.graph.isChecked());
    QVERIFY(!main.stoper.isChecked());
}

void TestWindowAnimation::loadResetsPhaseOnly() {
    Window w(SceneLayout::Main);
    w.pastFirstSecond();
    w.animation->timer2Tick();
    w.timer1Ticks(11);
    w.animation->load();
    QCOMPARE(w.animation->animPhase(), 0);
    QCOMPARE(w.animation->sweepStep(), 5);
    QCOMPARE(w.animation->sweepTick(), 1);
    // The sweep goes on; the next Timer2 event is again a "first" one.
    w.timer1Ticks(25);
    QCOMPARE(w.animation->sweepStep(), 18);
    w.animation->timer2Tick();
    QCOMPARE(w.animation->animPhase(), 1);
    QCOMPARE(w.animation->timer1().interval(), 0);
}

void TestWindowAnimation::reopenedWindowKeepsSweepValues() {
    SweepMemory memory;
    auto first = std::make_unique<Window>(SceneLayout::Library, false, &memory);
    first->pastFirstSecond();
    first->animation->timer2Tick();
    first->timer1Ticks(7);
    first.reset();
    Window again(SceneLayout::Library, false, &memory);
    QCOMPARE(again.animation->sweepStep(), 3);
    QCOMPARE(again.animation->sweepTick(), 1);
    QCOMPARE(again.animation->animPhase(), 0);
    // Its lines and timers start afresh.
    QCOMPARE(again.shownLine1(), QList<int>{});
    QCOMPARE(again.scene().colourOf(3, 0), darkOlive);
    QCOMPARE(again.animation->timer1().interval(), 0);
    QCOMPARE(again.animation->timer2().interval(), 1000);
    // The next Timer2 event puts the step back to 0 and the count runs on from 1.
    again.animation->timer2Tick();
    again.animation->timer2Tick();
    again.timer1Ticks(35);
    QCOMPARE(again.animation->sweepStep(), 18);
}

namespace {

// Collects what the scene is asked to repaint.
class PaintSpy : public QObject {
  public:
    QRegion painted;
    int events = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            painted += static_cast<QPaintEvent*>(event)->region();
            ++events;
        }
        return false;
    }
};

int area(const QRegion& region) {
    int total = 0;
    for (const QRect& r : region)
        total += r.width() * r.height();
    return total;
}

} // namespace

void TestWindowAnimation::onlyChangedLinesAreRepainted() {
    Window w(SceneLayout::Main);
    w.client.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w.client));
    w.pastFirstSecond();
    w.animation->timer2Tick();
    w.timer1Ticks(4);
    QCoreApplication::processEvents();
    PaintSpy spy;
    w.scene().installEventFilter(&spy);
    w.timer1Ticks(1);
    QCoreApplication::processEvents();
    QCOMPARE(spy.events, 0); // an odd event changes nothing
    w.timer1Ticks(1);
    QCoreApplication::processEvents();
    QVERIFY(spy.events > 0);
    // Two dots hidden and two shown, each at most 9 pixels wide: a few hundred pixels at most.
    QVERIFY2(area(spy.painted) < 4 * 16 * 16, qPrintable(QString::number(area(spy.painted))));
    const QRect lit = LineScene::boundsOf(w.scene().line(1, 3));
    QVERIFY(spy.painted.contains(lit.center()));
    w.client.hide();
}

void TestWindowAnimation::firstSweepAboutTwoSecondsAfterLoad() {
    QElapsedTimer clock;
    clock.start();
    Window w(SceneLayout::Editor);
    QTRY_COMPARE_WITH_TIMEOUT(w.scene().colourOf(3, 0), brightOlive, 2000);
    const qint64 brightened = clock.elapsed();
    QVERIFY2(brightened >= 900, qPrintable(QString::number(brightened)));
    QVERIFY(!w.line1(38));
    QTRY_VERIFY_WITH_TIMEOUT(w.line1(38), 2000);
    const qint64 swept = clock.elapsed();
    QVERIFY2(swept >= 1900 && swept < 3500, qPrintable(QString::number(swept)));
    // The sweep runs for about half a second (36 events of 14 ms), long enough to be seen and
    // within the second before the next one.
    qint64 halfway = -1;
    QObject probe;
    connect(&w.animation->timer1(), &IntervalTimer::tick, &probe, [&] {
        if (halfway < 0 && w.animation->sweepStep() == 9)
            halfway = clock.elapsed() - swept;
    });
    QTRY_VERIFY_WITH_TIMEOUT(w.line1(18) && w.line1(37), 900);
    const qint64 took = clock.elapsed() - swept;
    QVERIFY2(halfway >= 150, qPrintable(QString::number(halfway)));
    QVERIFY2(took >= 400 && took < 950, qPrintable(QString::number(took)));
    QCOMPARE(w.animation->timer1().interval(), 0);
}

QTEST_MAIN(TestWindowAnimation)
#include "test_window_animation.moc"
