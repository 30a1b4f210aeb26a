#include "windows/about/form4.h"

#include "support/build_info.h"
#include "windows/shared/help.h"
#include "windows/shared/icons.h"
#include "windows/shared/ui_kit.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>

namespace {

const QColor aboutGrey{38, 38, 38};

void setLabelFont(QLabel* label, qreal points, bool bold, int stretch = QFont::Unstretched) {
    QFont f = label->font();
    f.setPointSizeF(points);
    f.setBold(bold);
    f.setStretch(stretch);
    label->setFont(f);
}

// Who made the program, as the copyright file names the holder; then the version and where the
// licence text lies: the installed copyright file, or the file LICENSE of the sources for a program
// run from its build folder.
QString aboutText() {
    const QString licence = help::licencePath(QCoreApplication::applicationDirPath());
    return QCoreApplication::translate("Form4", "slau %1. Лицензия MIT, её текст: %2")
        .arg(QStringLiteral(SLAU_VERSION),
             licence.isEmpty()
                 ? QCoreApplication::translate("Form4", "файл LICENSE исходных текстов.")
                 : licence)
        .prepend(QStringLiteral("© " SLAU_COPYRIGHT "\n"));
}

} // namespace

Form4::Form4(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(tr("О программе"));
    setWindowIcon(QIcon(icons::aboutPicture()));
    ui::colour(this, ui::green, aboutGrey);
    ui::defaultFont(this);

    QLabel* label1 = ui::label(
        this, {.name = "Label1", .rect = {120, 120, 2535, 495}, .caption = tr("О программе")},
        ui::green);
    // The regular-width bold face: at 18 pt the title keeps to its label.
    setLabelFont(label1, 18, true);
    QLabel* label3 = ui::label(this,
                               {.name = "Label3",
                                .rect = {120, 960, 2535, 615},
                                .caption = tr("Программа предназначена для решения систем "
                                              "уравнений 2-10 порядка.")},
                               ui::green);
    label3->setWordWrap(true);
    QLabel* label4 = ui::label(
        this, {.name = "Label4", .rect = {120, 1680, 2535, 375}, .caption = tr("Создатель")},
        ui::green);
    setLabelFont(label4, 12, false);
    QLabel* label5 =
        ui::label(this, {.name = "Label5", .rect = {120, 2040, 3015, 780}, .caption = aboutText()},
                  ui::green);
    label5->setWordWrap(true);

    auto* image1 = new QLabel(this);
    image1->setObjectName(QStringLiteral("Image1"));
    image1->setGeometry(ui::twips(2760, 0, 1920, 1920));
    image1->setPixmap(icons::aboutPicture());
    image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    image1->setAccessibleName(tr("Пример системы уравнений и её решения"));

    setFixedSize(ui::px(4680), ui::px(2820));
}

void Form4::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}
