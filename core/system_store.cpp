#include "core/system_store.h"

void Matrix::redim(int rows, int columns) {
    rows_ = rows;
    columns_ = columns;
    data_.assign(static_cast<std::size_t>(rows) * static_cast<std::size_t>(columns), 0.0);
}

void SystemStore::shapeForOrder(ArrayOrder order) {
    const int n = order.value();
    matrix.redim(n, n + 1);
    answers.assign(static_cast<std::size_t>(n), AnswerValue{});
}

void SystemStore::unload() {
    matrix.redim(1, 1);
    answers.assign(1, AnswerValue{QString()});
}
