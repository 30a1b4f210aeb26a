// Times each method's steps page for order-10 systems with six-digit decimal entries: the page as
// the steps window asks for it (the method's exact arithmetic, its checks and the texts), in both
// number forms, and its plain text. Prints the median and the largest time of each.
#include "core/entry_text.h"
#include "core/solve_check.h"
#include "core/solve_record.h"
#include "core/steps_methods.h"
#include "six_digit_system.h"

#include <QCoreApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <vector>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int systems = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    std::mt19937 random(27);
    std::vector<std::vector<double>> times(steps::methods.size() * 2);
    qsizetype characters = 0;
    for (int s = 0; s < systems; ++s) {
        const QString entry = bench::sixDigitSystem(10, random);
        SystemStore store;
        store.shapeForOrder(ArrayOrder(10));
        entry::fillMatrix(store.matrix, entry, u',');
        solver::SolveRecord record;
        const solver::CheckedSolve solve = solver::solveChecked(store, record, entry);
        for (std::size_t m = 0; m < steps::methods.size(); ++m)
            for (int form = 0; form < 2; ++form) {
                const auto start = std::chrono::steady_clock::now();
                const steps::Page page = steps::methodPage(
                    steps::methods[m], record, solve,
                    form == 0 ? steps::NumberForm::Fractions : steps::NumberForm::Decimals, u',');
                characters += page.plainText().size();
                times[m * 2 + form].push_back(std::chrono::duration<double, std::milli>(
                                                  std::chrono::steady_clock::now() - start)
                                                  .count());
            }
    }
    std::printf("order 10, six-digit decimals, %d systems: page and its plain text, ms\n", systems);
    for (std::size_t m = 0; m < steps::methods.size(); ++m)
        for (int form = 0; form < 2; ++form) {
            std::vector<double> t = times[m * 2 + form];
            std::sort(t.begin(), t.end());
            std::printf("%-40s %-10s median %7.2f  max %7.2f\n",
                        steps::methodName(steps::methods[m]).toUtf8().constData(),
                        form == 0 ? "fractions" : "decimals", t[t.size() / 2], t.back());
        }
    std::printf("(%lld characters in all)\n", static_cast<long long>(characters));
    return 0;
}
