// The about window "О программе": names the program, its purpose and its licence.
#pragma once

#include <QWidget>

class Form4 : public QWidget {
    Q_OBJECT
  public:
    explicit Form4(QWidget* parent = nullptr);

  protected:
    // Esc closes the window, as its close box does.
    void keyPressEvent(QKeyEvent* event) override;
};
