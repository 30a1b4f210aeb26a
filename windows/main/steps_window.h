// The window "Решение по шагам": the last solve told step by step (the record the solver made
// while it solved), the trust check of the answer and the exact answer in fractions, in a
// fixed-pitch face with warnings in colour. Resizable; its text can be selected and copied whole.
#pragma once

#include "core/steps_page.h"
#include "support/file_status.h"

#include <QWidget>

class Platform;
class QPlainTextEdit;
class QPrinter;

class StepsWindow : public QWidget {
    Q_OBJECT
  public:
    StepsWindow(Platform& platform, QWidget* parent = nullptr);

    void setPage(const steps::Page& page);
    QString text() const;
    // The LaTeX form of the same solve, for "Копировать как LaTeX".
    void setLatex(const QString& latex) { latex_ = latex; }

    // "Сохранить…": the steps as a UTF-8 HTML page (a name ending in .htm or .html) or as plain
    // text; an old file stays whole when the new one cannot be written.
    FileStatus saveTo(const QString& path) const;
    // "Копировать как LaTeX".
    void copyLatex() const;
    // "Печать…": the same HTML page that "Сохранить…" writes, laid out on the printer's pages
    // (a PDF file when the printer writes one).
    void printTo(QPrinter& printer) const;

  private:
    Platform& platform_;
    steps::Page page_;
    QPlainTextEdit* text1 = nullptr;
    bool shownOnce_ = false;
    QString latex_;
    void saveClick();
    void printClick();
    void showMenu(const QPoint& at);
    // First shown beside the main window, not over it.
    void placeBesideOwner();

  protected:
    void showEvent(QShowEvent* event) override;
    // Esc closes the window, as its close box does.
    void keyPressEvent(QKeyEvent* event) override;
};
