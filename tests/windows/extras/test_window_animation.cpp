// The line scene and its animation: the start scene of the three windows, the sweep driven by
// the two timers, the menu toggles, and what is repainted.
#include "program_fixture.h"
#include "windows/extras/window_animation.h"
#include "windows/library/form3.h"

#include <QAction>
#include <QElapsedTimer>
#include <QPaintEvent>
#include <QtTest>
#include <algorithm>
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

// Whether a pixel of the colour lies within the distance of the point.
bool colourNear(const QImage& image, QPoint at, int reach, const QColor& colour) {
    for (int y = at.y() - reach; y <= at.y() + reach; ++y) {
        for (int x = at.x() - reach; x <= at.x() + reach; ++x) {
            if (image.valid(x, y) && image.pixelColor(x, y) == colour)
                return true;
        }
    }
    return false;
}

const char* nameOf(const SceneLine& line) {
    static QByteArray name;
    name =
        QByteArray("line ") + QByteArray::number(line.group) + ' ' + QByteArray::number(line.index);
    return name.constData();
}

// The distance in pixels of a point from a line of the scene.
double distance(const SceneLine& line, QPointF p) {
    const QPointF a = QLineF(line.twips).p1() / 15;
    const QPointF b = QLineF(line.twips).p2() / 15;
    const QPointF ab = b - a;
    const double length2 = QPointF::dotProduct(ab, ab);
    const double t =
        length2 == 0 ? 0 : std::clamp(QPointF::dotProduct(p - a, ab) / length2, 0.0, 1.0);
    return QLineF(p, a + t * ab).length();
}

} // namespace

class TestWindowAnimation : public QObject {
    Q_OBJECT
  private slots:
    void startScene_data();
    void startScene();
    void linesInClient_data();
    void linesInClient();
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

void TestWindowAnimation::linesInClient_data() {
    QTest::addColumn<SceneLayout>("layout");
    QTest::newRow("main") << SceneLayout::Main;
    QTest::newRow("editor") << SceneLayout::Editor;
    QTest::newRow("library") << SceneLayout::Library;
}

void TestWindowAnimation::linesInClient() {
    // The scene as the window the program opens draws it, over that window's client area.
    QFETCH(SceneLayout, layout);
    ProgramFixture f;
    WindowAnimation* animation = f.main().animation();
    if (layout != SceneLayout::Main) {
        f.click(button(f.main(), "Command1"));
        animation = f.editor().animation();
    }
    if (layout == SceneLayout::Library) {
        f.editor().command3Click();
        animation = f.program->form3IfExists()->animation();
    }
    LineScene& scene = animation->scene();
    const QRect client = scene.parentWidget()->rect();
    QCOMPARE(scene.geometry(), client);
    const QVector<SceneLine> lines = LineScene::table(layout);
    const auto showOnly = [&](const QList<const SceneLine*>& shown) {
        for (const SceneLine& l : lines)
            scene.setShown(l.group, l.index, shown.contains(&l));
        return scene.grab().toImage();
    };
    QList<const SceneLine*> atStart;
    for (const SceneLine& l : lines) {
        QVERIFY2(l.width > 0 && scene.line(l.group, l.index).width == l.width, nameOf(l));
        QCOMPARE(scene.isShown(l.group, l.index), l.shownAtStart);
        for (const QPoint end : {l.twips.p1() / 15, l.twips.p2() / 15})
            QVERIFY2(end.x() >= 0 && end.x() < client.width() && end.y() >= 0, nameOf(l));
        if (l.shownAtStart)
            atStart.append(&l);
    }
    // The main and save/load scenes run below their client areas as the windows' sheets lay them
    // out: the lowest dots (and the save/load window's lower frame) are not seen.
    // A grab shows each line shown along its part inside the client area, and nothing away from
    // the lines shown: the lines of the start scene together, then every line alone.
    const QImage blank = showOnly({});
    for (qsizetype i = -1; i < lines.size(); ++i) {
        const QList<const SceneLine*> shown = i < 0 ? atStart : QList{&lines[i]};
        const QImage image = showOnly(shown);
        for (const SceneLine* l : shown) {
            const QLineF at(QLineF(l->twips).p1() / 15, QLineF(l->twips).p2() / 15);
            for (int k = 0; k <= 8; ++k) {
                const QPoint p = at.pointAt(k / 8.0).toPoint();
                QVERIFY2(!client.contains(p) || colourNear(image, p, l->width / 2 + 2, l->colour),
                         nameOf(*l));
            }
        }
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                QVERIFY(image.pixel(x, y) == blank.pixel(x, y) ||
                        std::any_of(shown.cbegin(), shown.cend(), [&](const SceneLine* l) {
                            return distance(*l, QPointF(x + 0.5, y + 0.5)) <= l->width / 2.0 + 2;
                        }));
            }
        }
    }
    // The dots of the two rows shrink towards the middle, the same on both sides.
    for (int k = 1; k < 18; ++k) {
        QCOMPARE(scene.line(1, k).width, scene.line(1, k + 19).width);
        QVERIFY(scene.line(1, k).width <= scene.line(1, k - 1).width);
    }
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
