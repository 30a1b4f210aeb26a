// The solver on any doubles (NaN, infinities, values near the double range, subnormals): a unique
// solution is finite throughout, and neither the solution line nor the matrix text spells out an
// infinity or a NaN.
#include "fuzz_common.h"
#include "core/solver.h"

#include <cmath>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1)
        return 0;
    const int n = 1 + data[0] % 10;
    SystemStore store;
    store.shapeForOrder(n);
    const uint8_t* values = data + 1;
    const size_t available = (size - 1) / sizeof(double);
    std::size_t k = 0;
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j <= n; ++j) {
            double v = 0;
            if (available > 0) {
                std::memcpy(&v, values + (k % available) * sizeof(double), sizeof(double));
                ++k;
            }
            store.matrix(i, j) = v;
        }
    }
    if (data[0] & 0x80)
        store.answers.resize(1); // a solve after one without a unique solution
    const solver::Outcome outcome = solver::solveSystem(store);
    if (outcome == solver::Outcome::NoSystem)
        std::abort();
    if (outcome == solver::Outcome::Unique) {
        if (store.answers.size() != static_cast<std::size_t>(n))
            std::abort();
        for (const AnswerValue& a : store.answers)
            if (!std::holds_alternative<double>(a) || !std::isfinite(std::get<double>(a)))
                std::abort();
    }
    fuzz::requireNoNonFiniteText(solver::solutionLine(store, outcome, u','));
    fuzz::requireNoNonFiniteText(solver::matrixText(store.matrix, u'.'));
    return 0;
}
