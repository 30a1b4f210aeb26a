// The save/load window "Сохранение/Загрузка массивов": saves the editor's system under a name,
// loads a listed one back into the editor, and shows and edits the name list.
#pragma once

#include <QString>
#include <QWidget>

#include <functional>

class EnteredArray;
class Platform;
struct SweepMemory;
class WindowAnimation;
class QCheckBox;
class QComboBox;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

class Form3 : public QWidget {
    Q_OBJECT
  public:
    // editor gives the array editor that "Сохранить" saves from and "Загрузить" loads into;
    // sweep keeps the animation's sweep while the window is closed.
    Form3(Platform& platform, SweepMemory& sweep, EnteredArray& array, QWidget* parent = nullptr);

    // Empties both lists and the name box, then fills the lists from files/SaveList.
    void formLoad();

    void command1Click(); // "Сохранить": the editor's array under the typed name
    void command2Click(); // "Загрузить": the selected array into the editor
    void command3Click(); // "Редактировать список": shows the list editor with SaveList
    void command4Click(); // the list editor's "Сохранить": its text becomes SaveList
    void command5Click(); // "Скрыть": hides the list editor
    void command6Click(); // "Готово": closes the window
    void formUnload();

    // Whether the list editor (Text1, Command4, Command5) is shown instead of Command3.
    bool panelShown() const { return panelShown_; }

    WindowAnimation* animation() const { return animation_; }

  signals:
    // The window's unload (its close box, Esc, "Готово"): show the editor in front.
    void editorRequested();

  protected:
    void closeEvent(QCloseEvent* event) override;
    // Esc closes the window, as its close box does.
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QPushButton* command1 = nullptr;
    QPushButton* command2 = nullptr;
    QComboBox* combo1 = nullptr;
    QCheckBox* check1 = nullptr;
    QListWidget* combo2 = nullptr;
    QPushButton* command3 = nullptr;
    QPlainTextEdit* text1 = nullptr;
    QPushButton* command4 = nullptr;
    QPushButton* command5 = nullptr;
    QPushButton* command6 = nullptr;

    void buildControls();
    void showPanel(bool shown);
    // Shows "Ошибка" when the name cannot name an array file; true when it can.
    bool acceptName(const QString& name);
    QString listEditorText() const;

    Platform& platform_;
    EnteredArray& array_;
    WindowAnimation* animation_ = nullptr;
    bool panelShown_ = false;
    // SaveList as it was read into the list editor, and the editor's text right after that:
    // saving the text untouched writes the list back exactly as it was read.
    QString listAsRead_;
    QString listAsShown_;
};
