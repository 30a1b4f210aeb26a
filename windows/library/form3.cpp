#include "windows/library/form3.h"

#include "windows/program.h"

Form3::Form3(Program& program, QWidget* parent) : QWidget(parent), program_(program) {
    setWindowTitle(QStringLiteral("Сохранение/Загрузка массивов"));
}

void Form3::formLoad() {}
