// Times the program's solver on random systems of orders 2, 4 and 10 and, when LAPACKE is there,
// LAPACK's dgesv on the very same systems.
//
// Timed for the solver: copying the augmented matrix into the store, the whole solveSystem
// (finiteness check, pivoting elimination, back substitution, storing the answers) and reading
// the first answer. Timed for dgesv: copying the matrix and the right-hand side into its work
// arrays, the LAPACKE call with its default check of the input for NaN (the solver checks its
// input too), and reading the first answer. The systems are generated before any timing; the
// texts the program shows and logs are not built. Each figure is the best of a few rounds.
#include "core/solver.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cmath>
#include <iostream>
#include <limits>
#include <random>
#include <string>
#include <vector>

#ifdef SLAU_HAVE_LAPACKE
#include <lapacke.h>
#endif

namespace {

constexpr std::size_t systemsPerOrder = 100'000;
constexpr int rounds = 3;
constexpr double notANumber = std::numeric_limits<double>::quiet_NaN();

struct Systems {
    int n = 0;
    std::vector<double> augmented; // n rows of n + 1 values per system, as the store holds them
    std::vector<double> columnsA;  // the coefficients column by column, as LAPACK takes them
    std::vector<double> rhs;       // the right-hand sides
};

Systems generate(int n, std::mt19937_64& random) {
    std::uniform_real_distribution<double> value(-10.0, 10.0);
    Systems s;
    s.n = n;
    const std::size_t count = systemsPerOrder;
    s.augmented.resize(count * n * (n + 1));
    s.columnsA.resize(count * n * n);
    s.rhs.resize(count * n);
    for (std::size_t k = 0; k < count; ++k) {
        double* aug = s.augmented.data() + k * n * (n + 1);
        for (int i = 0; i < n; ++i) {
            for (int j = 0; j <= n; ++j) {
                const double v = value(random);
                aug[i * (n + 1) + j] = v;
                if (j < n)
                    s.columnsA[k * n * n + j * n + i] = v;
                else
                    s.rhs[k * n + i] = v;
            }
        }
    }
    return s;
}

using Clock = std::chrono::steady_clock;

double nanosecondsPerSolve(Clock::duration elapsed) {
    return std::chrono::duration<double, std::nano>(elapsed).count() / systemsPerOrder;
}

// Solves every system with the program's solver; the first answers go to firstAnswers.
Clock::duration timeSolver(const Systems& s, std::vector<double>& firstAnswers) {
    const int n = s.n;
    const std::size_t size = static_cast<std::size_t>(n) * (n + 1);
    SystemStore store;
    store.shapeForOrder(ArrayOrder(n));
    const auto start = Clock::now();
    for (std::size_t k = 0; k < systemsPerOrder; ++k) {
        const double* source = s.augmented.data() + k * size;
        std::copy(source, source + size, store.matrix.rowData(0));
        const solver::Outcome outcome = solver::solveSystem(store);
        const double* x = std::get_if<double>(&store.answers.front());
        firstAnswers[k] = outcome == solver::Outcome::Unique && x ? *x : notANumber;
    }
    return Clock::now() - start;
}

#ifdef SLAU_HAVE_LAPACKE
Clock::duration timeDgesv(const Systems& s, std::vector<double>& firstAnswers) {
    const int n = s.n;
    std::vector<double> a(static_cast<std::size_t>(n) * n);
    std::vector<double> b(n);
    std::vector<lapack_int> pivots(n);
    const auto start = Clock::now();
    for (std::size_t k = 0; k < systemsPerOrder; ++k) {
        std::copy_n(s.columnsA.data() + k * n * n, n * n, a.data());
        std::copy_n(s.rhs.data() + k * n, n, b.data());
        const lapack_int info =
            LAPACKE_dgesv(LAPACK_COL_MAJOR, n, 1, a.data(), n, pivots.data(), b.data(), n);
        firstAnswers[k] = info == 0 ? b[0] : notANumber;
    }
    return Clock::now() - start;
}
#endif

template <typename Run> Clock::duration best(Run run) {
    Clock::duration fastest = Clock::duration::max();
    for (int r = 0; r < rounds; ++r)
        fastest = std::min(fastest, run());
    return fastest;
}

std::string text(double value, int decimals) {
    char buf[64];
    const auto res =
        std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
    return std::string(buf, res.ptr);
}

#ifdef SLAU_HAVE_LAPACKE
// Only the comparison with dgesv prints a difference.
std::string exponentText(double value) {
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, 1);
    return std::string(buf, res.ptr);
}
#endif

} // namespace

int main() {
    std::mt19937_64 random(20240601);
    std::cout << systemsPerOrder << " random systems per order, entries uniform in [-10, 10), "
              << "best of " << rounds << " rounds\n";
#ifndef SLAU_HAVE_LAPACKE
    std::cout << "LAPACKE not found: timing the program's solver only\n";
#endif
    for (const int n : {2, 4, 10}) {
        const Systems systems = generate(n, random);
        std::vector<double> ours(systemsPerOrder);
        const double oursNs = nanosecondsPerSolve(best([&] { return timeSolver(systems, ours); }));
        std::cout << "order " << n << ": solveSystem " << text(oursNs, 1) << " ns/solve";
#ifdef SLAU_HAVE_LAPACKE
        std::vector<double> theirs(systemsPerOrder);
        const double theirsNs =
            nanosecondsPerSolve(best([&] { return timeDgesv(systems, theirs); }));
        double worst = 0;
        int failed = 0;
        for (std::size_t k = 0; k < systemsPerOrder; ++k) {
            if (std::isnan(ours[k]) || std::isnan(theirs[k])) {
                ++failed;
                continue;
            }
            const double scale = std::max(1.0, std::fabs(theirs[k]));
            worst = std::max(worst, std::fabs(ours[k] - theirs[k]) / scale);
        }
        std::cout << ", LAPACKE_dgesv " << text(theirsNs, 1) << " ns/solve"
                  << ", dgesv/solveSystem " << text(theirsNs / oursNs, 2)
                  << ", largest difference of x0 " << exponentText(worst);
        if (failed > 0)
            std::cout << ", " << failed << " systems without a solution in one of them";
#endif
        std::cout << '\n';
    }
    return 0;
}
