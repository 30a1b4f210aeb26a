// The program's windows opened as a user opens them, by their design names, for the tables of
// the keyboard and accessibility tests.
#pragma once

#include "program_fixture.h"

#include "windows/about/form4.h"
#include "windows/library/form3.h"
#include "windows/main/steps_window.h"

// "Form1 solved": the main window after a system of order 2 is solved; "Form1 answers": with
// the answer panel shown too; "Form3 list": the save/load window with its list editor shown;
// "Steps": the steps window of a solved system.
inline QWidget* openWindow(ProgramFixture& f, const QString& name) {
    if (name.startsWith(u"Form1") || name == u"Steps") {
        if (name != u"Form1") {
            f.enter(2, QStringLiteral("2 1 3 1 3 5"));
            f.click(button(f.main(), "Command3"));
        }
        if (name == u"Form1 answers")
            f.click(button(f.main(), "Command4"));
        if (name != u"Steps")
            return &f.main();
        f.main().stepsClick();
        return f.main().stepsWindow();
    }
    f.click(button(f.main(), "Command1"));
    if (name == u"Form2")
        return &f.editor();
    if (name == u"Form4") {
        action(f.editor(), "about")->trigger();
        return f.program->form4IfExists();
    }
    f.editor().command3Click();
    if (name == u"Form3 list")
        f.click(button(f.program->form3IfExists(), "Command3"));
    return f.program->form3IfExists();
}
