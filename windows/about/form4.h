// The about window "О программе": names the program, its purpose and its licence.
#pragma once

#include <QWidget>

class QLabel;

class Form4 : public QWidget {
    Q_OBJECT
  public:
    explicit Form4(QWidget* parent = nullptr);

    QLabel* label1 = nullptr;
    QLabel* label3 = nullptr;
    QLabel* label4 = nullptr;
    QLabel* label5 = nullptr;
    QLabel* image1 = nullptr;

  protected:
    // Esc closes the window, as its close box does.
    void keyPressEvent(QKeyEvent* event) override;
};
