// The save/load window "Сохранение/Загрузка массивов": saves the editor's system under a name,
// loads a listed one back into the editor, and shows and edits the name list.
#pragma once

#include <QWidget>

class Program;
class WindowAnimation;

class Form3 : public QWidget {
    Q_OBJECT
public:
    explicit Form3(Program& program, QWidget* parent = nullptr);

    void formLoad();
    WindowAnimation* animation() const { return animation_; }

private:
    Program& program_;
    WindowAnimation* animation_ = nullptr;
};
