// Times opening the steps window for order-10 systems with six-digit decimal entries, driving
// the real main window offscreen: the first opening (the window is created) and later ones,
// switching the window to each method (until the page shows, and until it is laid out whole) and
// to each number form (the page and its layout in the window), the text alone (elimination, trust
// check with the exact inverse, exact answer), and the solve with and without the record, the
// checked solve of the main road ("Решить массив": the solve, its check against the exact system as
// written and the condition number, the texts and the log line), and the exact elimination that
// gives the determinant and the general solution.
#include "bench_common.h"
#include "core/exact_solve.h"
#include "core/solve_check.h"
#include "core/solver.h"
#include "core/steps_text.h"
#include "six_digit_system.h"
#include "windows/editor/form2.h"
#include "windows/main/form1.h"
#include "windows/main/steps_window.h"
#include "windows/program.h"

#include <QAbstractTextDocumentLayout>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTranslator>
#include <algorithm>
#include <random>
#include <vector>

namespace {

double milliseconds(std::chrono::steady_clock::time_point start) {
    return bench::secondsSince(start) * 1e3;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // Qt's Russian texts, as the program loads them: every translation call looks there first.
    QTranslator qtRussian;
    if (qtRussian.load(QLocale(QLocale::Russian, QLocale::Russia), QStringLiteral("qtbase"),
                       QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qtRussian);
    QTemporaryDir folder;
    QDir::setCurrent(folder.path());
    QDir().mkdir(QStringLiteral("files"));
    bench::SilentPlatform platform(u',');
    Program program(platform);
    program.start();
    Form1& main = program.form1();
    std::mt19937 random(2024);

    constexpr int systems = 30;
    std::vector<double> open, text, plain, recorded, checked, mainRoad, exactFull, exactDeficient;
    double first = 0;
    std::vector<std::vector<double>> methodSwitch(steps::methods.size()),
        methodShown(steps::methods.size());
    std::vector<std::vector<double>> formSwitch(2);
    for (int t = 0; t < systems; ++t) {
        main.command1Click();
        Form2& editor = program.form2();
        editor.findChild<QScrollBar*>(QStringLiteral("VScroll1"))->setValue(2);
        editor.findChild<QLineEdit*>(QStringLiteral("Text1"))
            ->setText(bench::sixDigitSystem(10, random));
        editor.command4Click();
        auto start = std::chrono::steady_clock::now();
        main.command3Click();
        mainRoad.push_back(milliseconds(start));
        {
            SystemStore store;
            solver::SolveRecord record;
            store.matrix = main.stepsRecord().initial;
            start = std::chrono::steady_clock::now();
            solver::solveChecked(store, record, editor.entryText());
            checked.push_back(milliseconds(start));
        }
        start = std::chrono::steady_clock::now();
        main.stepsClick();
        app.processEvents();
        (t == 0 ? first : open.emplace_back()) = milliseconds(start);
        start = std::chrono::steady_clock::now();
        const QString full =
            steps::page(main.stepsRecord(), main.stepsAnalysis(), u',').plainText();
        text.push_back(milliseconds(start));
        if (!main.stepsWindow()->text().contains(full))
            std::printf("the window does not show the text of the record\n");
        // Each method, then the other form and back, each laid out in the window as it shows.
        StepsWindow* w = main.stepsWindow();
        auto* combo = w->findChild<QComboBox*>(QStringLiteral("Combo1"));
        auto* page = w->findChild<QTextBrowser*>(QStringLiteral("Text1"));
        // The page is shown once its first part is laid out; the rest follows in the event
        // loop's later passes.
        for (int m = 1; m <= combo->count(); ++m) {
            const std::size_t shownMethod = std::size_t(m % combo->count());
            start = std::chrono::steady_clock::now();
            combo->setCurrentIndex(m % combo->count());
            app.processEvents();
            methodShown[shownMethod].push_back(milliseconds(start));
            page->document()->documentLayout()->documentSize();
            app.processEvents();
            methodSwitch[shownMethod].push_back(milliseconds(start));
        }
        for (const char* option : {"Option2", "Option1"}) {
            start = std::chrono::steady_clock::now();
            w->findChild<QRadioButton*>(QString::fromLatin1(option))->setChecked(true);
            page->document()->documentLayout()->documentSize();
            app.processEvents();
            formSwitch[option[6] == '2' ? 1 : 0].push_back(milliseconds(start));
        }
        // The exact elimination with the row record (determinant, general solution or
        // contradiction), for the system as written and for it with its last equation made the
        // sum of the first two (rank 9, consistent).
        {
            exact::System system = main.stepsAnalysis().analysis.system;
            start = std::chrono::steady_clock::now();
            const exact::Elimination e = exact::eliminate(system);
            exact::generalSolution(e);
            exactFull.push_back(milliseconds(start));
            for (int j = 0; j <= 10; ++j)
                system.values[9 * 11 + j] = system.values[j] + system.values[11 + j];
            start = std::chrono::steady_clock::now();
            const exact::Elimination d = exact::eliminate(system);
            const exact::GeneralSolution g = exact::generalSolution(d);
            exactDeficient.push_back(milliseconds(start));
            if (d.rank != 9 || g.basis.size() != 1)
                std::printf("the rank-9 system was not found rank 9\n");
        }
        // The same system solved 1000 times, without and with the record.
        SystemStore store;
        for (const bool withRecord : {false, true}) {
            solver::SolveRecord record;
            start = std::chrono::steady_clock::now();
            for (int r = 0; r < 1000; ++r) {
                store.matrix = main.stepsRecord().initial;
                if (withRecord)
                    solver::solveSystem(store, record);
                else
                    solver::solveSystem(store);
            }
            (withRecord ? recorded : plain).push_back(milliseconds(start));
        }
    }
    std::printf("order 10, six-digit decimals, %d systems\n", systems);
    std::printf("checked solve alone: median %.2f ms, worst %.2f ms\n", median(checked),
                *std::max_element(checked.begin(), checked.end()));
    std::printf("\"Решить массив\" in the main window: median %.2f ms, worst %.2f ms\n",
                median(mainRoad), *std::max_element(mainRoad.begin(), mainRoad.end()));
    std::printf("first opening of the steps window (created): %.2f ms\n", first);
    std::printf("later openings: median %.2f ms, worst %.2f ms\n", median(open),
                *std::max_element(open.begin(), open.end()));
    for (std::size_t m = 0; m < steps::methods.size(); ++m)
        std::printf("switching to %s: shown after median %.2f ms (worst %.2f), laid out whole "
                    "after median %.2f ms (worst %.2f)\n",
                    qPrintable(steps::methodName(steps::methods[m])), median(methodShown[m]),
                    *std::max_element(methodShown[m].begin(), methodShown[m].end()),
                    median(methodSwitch[m]),
                    *std::max_element(methodSwitch[m].begin(), methodSwitch[m].end()));
    std::printf("switching to decimals: median %.2f ms; back to fractions: median %.2f ms\n",
                median(formSwitch[1]), median(formSwitch[0]));
    std::printf(
        "steps text alone (with trust check and exact answer): median %.2f ms, worst %.2f ms\n",
        median(text), *std::max_element(text.begin(), text.end()));
    std::printf("exact elimination with determinant, rank 10: median %.2f ms, worst %.2f ms\n",
                median(exactFull), *std::max_element(exactFull.begin(), exactFull.end()));
    std::printf("the same with the general solution, rank 9: median %.2f ms, worst %.2f ms\n",
                median(exactDeficient),
                *std::max_element(exactDeficient.begin(), exactDeficient.end()));
    std::printf("one solve: %.2f us without the record, %.2f us with it\n", median(plain),
                median(recorded));
    return 0;
}
