// How a solve ended. The solver returns it, the solve record keeps it, and the windows turn it
// into the texts the answer area shows.
#pragma once

namespace solver {

enum class Outcome {
    Unique,   // answers 0 .. n-1 hold the solution
    NoUnique, // answers hold the single text "Одного решения нет"
    Overflow, // a value that is not finite was met; answers hold "Переполнение при вычислении"
    NoSystem, // the store holds no system (order 0 or no shape); nothing was changed
};

} // namespace solver
