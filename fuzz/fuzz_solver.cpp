// The solver on any doubles (NaN, infinities, values near the double range, subnormals): a unique
// solution is finite throughout, and neither the solution line nor the matrix text spells out an
// infinity or a NaN (an entry that overflowed shows as "∞", "-∞" or "?"). The first byte gives
// the order (2 + byte % 9); bit 80 leaves the answers
// shorter than the order, as after a solve without a unique solution. Without bit 40 the entries
// are the raw doubles that follow; with it every entry is chosen by a byte among the hard values
// or small fractions, and bit 20 then solves the unloaded store instead.
#include "core/solver.h"
#include "fuzz_common.h"

#include <cmath>
#include <cstring>
#include <limits>

namespace {

// Entries chosen byte by byte among the values that break arithmetic.
class HardValues {
  public:
    HardValues(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    double next() {
        using limits = std::numeric_limits<double>;
        const uint8_t kind = byte();
        switch (kind % 12) {
        case 0:
            return limits::quiet_NaN();
        case 1:
            return limits::infinity();
        case 2:
            return -limits::infinity();
        case 3:
            return 1E+300;
        case 4:
            return -1E+300;
        case 5:
            return limits::max();
        case 6:
            return limits::denorm_min() * (1 + byte());
        case 7:
            return -limits::min();
        case 8:
            return -0.0;
        default:
            return static_cast<double>(static_cast<int8_t>(byte())) / (kind / 12 % 4 + 1);
        }
    }

  private:
    uint8_t byte() { return pos_ < size_ ? data_[pos_++] : 0; }
    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1)
        return 0;
    const int n = ArrayOrder::smallest + data[0] % (ArrayOrder::largest - ArrayOrder::smallest + 1);
    const bool hard = data[0] & 0x40;
    const bool unloaded = hard && (data[0] & 0x20);
    SystemStore store;
    if (unloaded) {
        store.unload();
    } else {
        store.shapeForOrder(ArrayOrder(n));
        const uint8_t* values = data + 1;
        const size_t available = (size - 1) / sizeof(double);
        HardValues hardValues(values, size - 1);
        std::size_t k = 0;
        for (int i = 0; i < n; ++i) {
            for (int j = 0; j <= n; ++j) {
                double v = 0;
                if (hard) {
                    v = hardValues.next();
                } else if (available > 0) {
                    std::memcpy(&v, values + (k % available) * sizeof(double), sizeof(double));
                    ++k;
                }
                store.matrix(i, j) = v;
            }
        }
        if (data[0] & 0x80)
            store.answers.resize(1); // a solve after one without a unique solution
    }
    const Matrix before = store.matrix;
    const solver::Outcome outcome = solver::solveSystem(store);
    if ((outcome == solver::Outcome::NoSystem) != unloaded)
        std::abort();
    if (outcome == solver::Outcome::Unique) {
        if (store.answers.size() != static_cast<std::size_t>(n))
            std::abort();
        for (const AnswerValue& a : store.answers)
            if (!std::holds_alternative<double>(a) || !std::isfinite(std::get<double>(a)))
                std::abort();
    }
    if (outcome == solver::Outcome::NoUnique || outcome == solver::Outcome::Overflow) {
        const QString* text =
            store.answers.size() == 1 ? std::get_if<QString>(&store.answers[0]) : nullptr;
        fuzz::require(text &&
                          *text == (outcome == solver::Outcome::NoUnique ? solver::noUniqueText
                                                                         : solver::overflowText),
                      QStringLiteral("the answer text of a result without a solution"));
    }
    if (outcome == solver::Outcome::NoSystem) {
        // Nothing was changed.
        fuzz::require(store.matrix.rows() == before.rows() &&
                          store.matrix.columns() == before.columns(),
                      QStringLiteral("the unloaded matrix was reshaped"));
        fuzz::require(store.matrix(0, 0) == before(0, 0),
                      QStringLiteral("the unloaded matrix changed"));
    }
    fuzz::requireNoNonFiniteText(solver::solutionLine(store, outcome, u','));
    fuzz::requireNoNonFiniteText(solver::matrixText(store.matrix, u'.'));
    return 0;
}
