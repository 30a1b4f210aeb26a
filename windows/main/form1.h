// The main window "Решение систем уравнений": enters, solves and unloads the system, shows the
// solution and the eliminated matrix, and browses, shows and edits the answer log. It opens at its
// sheet's size, the least it can be given; enlarged or maximised, the answer line and the matrix
// take the room it gains.
#pragma once

#include "core/answer_log.h"
#include "core/solve_check.h"
#include "core/solve_record.h"
#include "support/file_status.h"
#include "windows/shared/matrix_label.h"

#include <QMainWindow>

#include <functional>

class AnswerArea;
class EnteredArray;
class Platform;
class SystemStore;
class WindowAnimation;
class StepsWindow;
class QAction;

class QLineEdit;
class QPlainTextEdit;
class QProgressDialog;
class QPushButton;

class Form1 : public QMainWindow {
    Q_OBJECT
  public:
    // editor gives the array editor when it exists (a solve reads its entry), else null.
    Form1(SystemStore& store, AnswerLog& answerLog, Platform& platform, EnteredArray& array);

    void formLoad();

    void command1Click(); // "Ввести данные"
    void command3Click(); // "Решить массив"
    void unloadmasClick();
    void exitClick();

    // Answer browsing.
    void command2Click(); // "Первый ответ"
    void command7Click(); // "Следующий ответ"
    void lastansClick();  // "Последний ответ", also Command8
    void command4Click(); // "Все ответы"
    void command5Click(); // "Сохранить"
    void command6Click(); // "Скрыть"
    void allansClick();   // "Показать все ответы"

    bool panelShown() const { return panelShown_; }
    // Whether "Все ответы" is still filling the panel.
    bool panelLoading() const { return panelRead_.has_value(); }

    // "Решение по шагам…" (the answer area's and Label1's context menus, and its shortcut):
    // the steps window for the last solve.
    void stepsClick();
    // The caption Label1 was given by the last solve, as the program's text (rows end in CR LF).
    const QString& label1Caption() const { return label1Caption_; }
    StepsWindow* stepsWindow() const { return stepsWindow_; }
    // The record of the last solve the window shows.
    const solver::SolveRecord& stepsRecord() const { return lastSolve_; }
    const solver::CheckedSolve& stepsAnalysis() const { return lastCheck_; }

    WindowAnimation* animation() const { return animation_; }

  signals:
    // "Ввести данные" (the button, the entry box, "Редактор массивов..."): show the editor.
    void editorRequested();
    // "Выход из программы" and the close box: end the run.
    void exitRequested();
    void helpRequested();  // "Справка"
    void aboutRequested(); // "О программе"

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget* client_ = nullptr;
    QPushButton* command1 = nullptr;
    QLineEdit* text1 = nullptr;
    QPushButton* command3 = nullptr;
    AnswerArea* picture1 = nullptr;
    QPushButton* command2 = nullptr;
    QPushButton* command7 = nullptr;
    QPushButton* command8 = nullptr;
    QPushButton* command4 = nullptr;
    QPlainTextEdit* text2 = nullptr;
    MatrixLabel* label1 = nullptr;
    QPushButton* command5 = nullptr;
    QPushButton* command6 = nullptr;

    QAction* lastans = nullptr;
    QAction* allans = nullptr;
    QAction* exitAction = nullptr;
    QAction* unloadmas = nullptr;
    QAction* masedit = nullptr;
    QAction* ans = nullptr;
    QAction* graph = nullptr;
    QAction* stoper = nullptr;
    QAction* what = nullptr;
    QAction* report = nullptr; // "Подробный отчет"
    QAction* about = nullptr;
    QAction* steps = nullptr;

    void buildControls(QWidget* client);
    // Lays the controls out over the client area's present size.
    void fitToClient();
    void buildMenus();
    void buildStepsCommand();
    // Hands the last solve to the steps window.
    void showSteps();
    void solveSystem();
    // Ends the browse, as every command that solves, reads or writes the log, or opens the
    // editor does: the cursor on the log closed and "Следующий ответ" off.
    void endBrowse();
    // The next answer on the open browse into the answer area; "Следующий ответ" on when found.
    void showNextAnswer();
    void setPanelShown(bool shown);
    // "Все ответы" reads the log and fills the panel a part at a time, from the event loop, with
    // a progress dialog whose "Cancel" closes the panel and leaves the log as it was.
    void loadPanelStep();
    void stopPanelLoad();
    void cancelPanelLoad();
    // Shows "Ошибка" for a failed log operation; true when the operation succeeded.
    bool succeeded(const FileStatus& status);

    SystemStore& store_;
    AnswerLog& answerLog_;
    Platform& platform_;
    EnteredArray& array_;
    WindowAnimation* animation_ = nullptr;
    bool panelShown_ = false;
    std::optional<AllAnswersRead> panelRead_; // while the panel is being filled
    QProgressDialog* panelProgress_ = nullptr;
    QString label1Caption_;
    solver::SolveRecord lastSolve_;
    solver::CheckedSolve lastCheck_; // the analysis of that solve
    StepsWindow* stepsWindow_ = nullptr;
};
