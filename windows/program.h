// The program object: owns the system store, the random source, the open files, the platform
// services and the four windows, each a single instance. It gives each window what it works
// with and carries out the windows' requests to show, hide and end.
#pragma once

#include "core/answer_log.h"
#include "core/entered_array.h"
#include "core/system_store.h"
#include "support/file_table.h"
#include "support/random_source.h"
#include "windows/extras/sweep_memory.h"
#include "windows/shared/desktop_keys.h"

#include <QObject>
#include <QPointer>
#include <memory>

class Platform;
class Form1;
class Form2;
class Form3;
class Form4;
class QWidget;

class Program : public QObject {
    Q_OBJECT
  public:
    // The folder of the installed program, where files/help.htm is looked for.
    explicit Program(Platform& platform, QString installFolder = QString());
    ~Program() override;

    SystemStore& store() { return store_; }
    RandomSource& random() { return random_; }
    FileTable& files() { return files_; }
    AnswerLog& answerLog() { return answerLog_; }
    QChar decimalSeparator() const;

    // Creates and shows the main window (its load runs on this first showing).
    void start();

    Form1& form1();
    // The editor, created and loaded on its first showing.
    Form2& form2();
    bool form2Exists() const { return form2_ != nullptr; }
    void showForm1();
    void showForm2();

    // The save/load window: created and loaded when shown after it was closed, destroyed on close.
    Form3* form3IfExists() const;
    void showForm3();
    // Hides the save/load window; creates it (running its load) first when it does not exist.
    void hideForm3();

    // One about window for both menus, modeless; created afresh after it was closed.
    Form4* form4IfExists() const;
    void showAbout();
    // Opens the help page: files/iexplore when it can run, otherwise the desktop's browser.
    void showHelp(QWidget* parent);
    QString helpPagePath() const;

    // Ends the run at once: no other window's close handling runs.
    void endRun();

  private:
    // "Справка" and "О программе" of the window's shared menus.
    template <class Window> void connectHelpMenu(Window& window);
    Form3& createForm3();
    // Puts a new save/load window at its place on its first showing.
    void placeForm3(QWidget& window) const;

    Platform& platform_;
    QString installFolder_;
    SystemStore store_;
    EnteredArray array_; // the array the editor shows
    RandomSource random_;
    FileTable files_;
    AnswerLog answerLog_{files_};
    std::unique_ptr<Form1> form1_;
    std::unique_ptr<Form2> form2_;
    bool form1Loaded_ = false;
    QPointer<Form3> form3_;
    // Whether the save/load window now in existence has been placed (it is not when the
    // editor's close box created it hidden).
    bool form3Placed_ = false;
    QPointer<Form4> form4_;
    // The save/load window's sweep position and count, which outlive the window.
    SweepMemory librarySweep_;
    // F10 and the context-menu keys in every window.
    DesktopKeys desktopKeys_;
};
