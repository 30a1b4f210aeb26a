// The array editor "Редактор массивов": the order with a small scroll bar, the whole system as
// one line of numbers, its preview, the random commands and the last-array file commands.
#pragma once

#include "core/array_order.h"
#include "windows/editor/order_bar.h"

#include <QMainWindow>
#include <QStringList>

class EnteredArray;
class EntryEdit;
class MatrixLabel;
class Platform;
class RandomSource;
class SystemStore;
class WindowAnimation;
class QAction;
class QLabel;
class QLineEdit;
class QPushButton;

class Form2 : public QMainWindow {
    Q_OBJECT
  public:
    Form2(SystemStore& store, EnteredArray& array, RandomSource& random, Platform& platform);

    void formLoad();

    void command1Click(); // random content
    void command2Click(); // random order
    void command3Click(); // the save/load window
    void command4Click(); // "Готово"
    void newClick();
    void createlistClick();
    void loadClick();
    void saveClick();
    void exitClick();

    void vscroll1Change();
    void text1Change();
    void text2Change();
    void fillMatrix();

    // Puts a stored array into the editor, as a load does: the entry text emptied, the order
    // set, then the values, each followed by one blank.
    void applyArray(ArrayOrder order, const QStringList& values);
    // Writes files/LostMas; reports a failure in a message box. False when it failed.
    bool saveLastArray();

    // The order the order bar stands at, which Text2 shows.
    ArrayOrder order() const;
    // The entry text as it is now (the tokens the matrix was last filled from).
    QString entryText() const;
    // The array as the editor holds it: the order and the entry text.
    struct Array {
        ArrayOrder order;
        QString entryText;
    };
    Array currentArray() const;
    // Shapes the store for the order shown and fills it from the entry text again, as a change
    // of the order does.
    void refillStore() { text2Change(); }

    WindowAnimation* animation() const { return animation_; }

  signals:
    // "Готово" and the close box, once the editor is hidden: show the main window.
    void readyRequested();
    // The button beside the entry and "Загрузить/сохранить массив": show the save/load window.
    void libraryRequested();
    // The close box, before the editor hides: hide the save/load window.
    void libraryHideRequested();
    // "Выход из программы": end the run.
    void exitRequested();
    void helpRequested();  // "Справка"
    void aboutRequested(); // "О программе"

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    EntryEdit* text1 = nullptr;
    QLineEdit* text2 = nullptr;
    MatrixLabel* label1 = nullptr;
    // How the entry text was read where it is not plain numbers (hidden when it all is).
    QLabel* tokenWarning = nullptr;
    OrderBar* vscroll1 = nullptr;
    QPushButton* command1 = nullptr;
    QPushButton* command2 = nullptr;
    QPushButton* command3 = nullptr;
    QPushButton* command4 = nullptr;

    QAction* newAction = nullptr;
    QAction* createlist = nullptr;
    QAction* load = nullptr;
    QAction* save = nullptr;
    QAction* loadsave = nullptr;
    QAction* ready = nullptr;
    QAction* exit = nullptr;
    QAction* graph = nullptr;
    QAction* stoper = nullptr;
    QAction* what2 = nullptr;
    QAction* report = nullptr; // "Подробный отчет"
    QAction* about = nullptr;

    void buildControls(QWidget* client);
    void buildMenus();
    void fitPreview();
    void showTokenNotes();

    SystemStore& store_;
    EnteredArray& array_;
    RandomSource& random_;
    Platform& platform_;
    WindowAnimation* animation_ = nullptr;
    bool labelFitPending_ = false;
};
