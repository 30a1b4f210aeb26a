#include "windows/main/steps_window.h"

#include "windows/ui_kit.h"

#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTextOption>
#include <QVBoxLayout>

StepsWindow::StepsWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("StepsWindow"));
    setWindowTitle(QStringLiteral("Решение по шагам"));
    ui::blackWindow(this);
    text1 = new QPlainTextEdit(this);
    text1->setObjectName(QStringLiteral("Text1"));
    text1->setAccessibleName(QStringLiteral("Решение по шагам"));
    text1->setReadOnly(true);
    text1->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    text1->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    ui::defaultFont(text1);
    ui::colour(text1, ui::green, ui::black);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(text1);
    resize(ui::px(9600), ui::px(7200));
}

void StepsWindow::setText(const QString& text) {
    text1->setPlainText(text);
}

QString StepsWindow::text() const {
    return text1->toPlainText();
}

void StepsWindow::showEvent(QShowEvent* event) {
    if (!shownOnce_) {
        shownOnce_ = true;
        ui::centre(this);
    }
    QWidget::showEvent(event);
}

void StepsWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}
