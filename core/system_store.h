// The system shared by all windows: the augmented matrix of the linear system and its solution.
// The order is not kept apart: it is the upper bound of the matrix's column index.
#pragma once

#include "core/array_order.h"

#include <QString>
#include <variant>
#include <vector>

// A general value of the solution vector: empty, a number or a text.
using AnswerValue = std::variant<std::monostate, double, QString>;

class Matrix {
  public:
    // Re-creates the matrix with the given number of rows and columns, all 0.0.
    void redim(int rows, int columns);
    int rows() const { return rows_; }
    int columns() const { return columns_; }
    // The order n: the upper bound of the column index (columns 0 .. n); -1 before any shape.
    int order() const { return columns_ - 1; }
    bool contains(int row, int column) const {
        return row >= 0 && row < rows_ && column >= 0 && column < columns_;
    }
    double& operator()(int row, int column) { return data_[row * columns_ + column]; }
    double operator()(int row, int column) const { return data_[row * columns_ + column]; }
    double* rowData(int row) { return data_.data() + row * columns_; }

  private:
    int rows_ = 0;
    int columns_ = 0;
    std::vector<double> data_;
};

struct SystemStore {
    Matrix matrix;
    std::vector<AnswerValue> answers;

    // Rows 0 .. n-1 and columns 0 .. n for the order n, all 0.0; answers 0 .. n-1, all empty.
    void shapeForOrder(ArrayOrder order);
    // "Выгрузить массив": a single 0.0 and a single empty text; the order is 0.
    void unload();
};
