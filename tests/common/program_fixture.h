// A whole program for widget tests: a scripted platform, a temporary working folder with files/,
// and the program object started as at the beginning of a run.
#pragma once

#include "named_controls.h"
#include "test_support.h"
#include "windows/editor/form2.h"
#include "windows/main/answer_area.h"
#include "windows/main/form1.h"
#include "windows/program.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <memory>

struct ProgramFixture {
    explicit ProgramFixture(QChar separator = u'.', bool withFilesFolder = true)
        : folder(withFilesFolder) {
        platform.separator = separator;
        program = std::make_unique<Program>(platform);
        program->start();
    }
    Form1& main() { return program->form1(); }
    Form2& editor() { return program->form2(); }
    // The answer area's first line, or an empty text when nothing is printed.
    QString answer() {
        const QStringList lines = named<AnswerArea>(main(), "Picture1")->printedLines();
        return lines.isEmpty() ? QString() : lines.front();
    }
    void click(QPushButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
    // Enters a system in the editor: order, then the entry text, then "Готово".
    void enter(int order, const QString& text) {
        click(button(main(), "Command1"));
        named<OrderBar>(editor(), "VScroll1")->setOrder(ArrayOrder(order));
        named<QLineEdit>(editor(), "Text1")->setText(text);
        click(button(editor(), "Command4"));
    }

    TempWorkFolder folder;
    ScriptedPlatform platform;
    std::unique_ptr<Program> program;
};
