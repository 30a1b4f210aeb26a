#include "windows/main/steps_window.h"

#include "core/steps_document.h"
#include "support/text_rewrite.h"
#include "windows/shared/error_box.h"
#include "windows/shared/platform.h"
#include "windows/shared/ui_kit.h"

#include <QAbstractTextDocumentLayout>
#include <QClipboard>
#include <QDir>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QMenu>
#include <QPrinter>
#include <QScreen>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>

#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTextOption>
#include <QVBoxLayout>

StepsWindow::StepsWindow(Platform& platform, QWidget* parent)
    : QWidget(parent, Qt::Window), platform_(platform) {
    setObjectName(QStringLiteral("StepsWindow"));
    setWindowTitle(QStringLiteral("Решение по шагам"));
    ui::blackWindow(this);
    text1 = new QPlainTextEdit(this);
    text1->setObjectName(QStringLiteral("Text1"));
    text1->setAccessibleName(QStringLiteral("Решение по шагам"));
    text1->setReadOnly(true);
    text1->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    // Matrices are columns of numbers: a fixed-pitch face keeps them aligned; long lines scroll.
    text1->setLineWrapMode(QPlainTextEdit::NoWrap);
    QFont mono = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    mono.setPointSizeF(10);
    text1->setFont(mono);
    ui::colour(text1, ui::green, ui::black);
    text1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(text1, &QWidget::customContextMenuRequested, this, &StepsWindow::showMenu);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(text1);
    resize(ui::px(9600), ui::px(7200));
}

void StepsWindow::setPage(const steps::Page& page) {
    page_ = page;
    text1->setPlainText(page.plainText());
    // Warnings stand out in yellow: a line of the page is a block of the text, a matrix one block
    // a row.
    QTextCharFormat warning;
    warning.setForeground(QColor(255, 255, 0));
    warning.setFontWeight(QFont::Bold);
    QTextBlock block = text1->document()->begin();
    for (const steps::PageLine& line : page.lines()) {
        if (line.kind == steps::LineKind::Matrix) {
            for (std::size_t r = 0; r < line.rows.size() && block.isValid(); ++r)
                block = block.next();
            continue;
        }
        if (line.kind == steps::LineKind::Warning) {
            QTextCursor cursor(block);
            cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
            cursor.setCharFormat(warning);
        }
        block = block.next();
    }
}

QString StepsWindow::text() const {
    return text1->toPlainText();
}

void StepsWindow::showEvent(QShowEvent* event) {
    if (!shownOnce_) {
        shownOnce_ = true;
        placeBesideOwner();
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

void StepsWindow::placeBesideOwner() {
    QWidget* owner = parentWidget();
    const QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
    if (!owner || !screen) {
        ui::centre(this);
        return;
    }
    // Right of the main window if there is room, else left of it; when neither side holds the
    // whole width, the wider side, the window narrowed to it (but not below a readable width).
    const QRect area = screen->availableGeometry();
    const QRect main = owner->frameGeometry();
    const int extra = std::max(0, frameGeometry().width() - width());
    constexpr int gap = 8;
    const int right = area.right() - main.right() - gap;
    const int left = main.left() - area.left() - gap;
    int outer = width() + extra;
    if (outer > right && outer > left) {
        const int room = std::max(right, left);
        if (room - extra >= ui::px(6000))
            resize(room - extra, height());
        outer = width() + extra;
    }
    int x = 0;
    if (outer <= right)
        x = main.right() + 1 + gap;
    else if (outer <= left)
        x = main.left() - gap - outer;
    else
        x = std::max(area.left(), area.right() + 1 - outer);
    const int outerHeight = std::max(frameGeometry().height(), height());
    const int y =
        std::clamp(main.top(), area.top(), std::max(area.top(), area.bottom() + 1 - outerHeight));
    move(x, y);
}

void StepsWindow::showMenu(const QPoint& at) {
    QMenu* menu = text1->createStandardContextMenu();
    menu->addSeparator();
    menu->addAction(QStringLiteral("Сохранить…"), this, &StepsWindow::saveClick);
    menu->addAction(QStringLiteral("Печать…"), this, &StepsWindow::printClick);
    menu->addAction(QStringLiteral("Копировать как LaTeX"), this, &StepsWindow::copyLatex);
    menu->exec(text1->mapToGlobal(at));
    delete menu;
}

void StepsWindow::saveClick() {
    const QString path =
        platform_.saveFileName(this, QStringLiteral("Сохранить решение по шагам"),
                               QDir::home().filePath(QStringLiteral("решение.htm")),
                               QStringLiteral("Страница HTML (*.htm *.html);;Текст (*.txt)"));
    if (!path.isEmpty())
        reportFailure(platform_, this, saveTo(path));
}

FileStatus StepsWindow::saveTo(const QString& path) const {
    const bool html = path.endsWith(QStringLiteral(".htm"), Qt::CaseInsensitive) ||
                      path.endsWith(QStringLiteral(".html"), Qt::CaseInsensitive);
    return TextRewrite::writeUtf8(path, html ? steps::htmlPage(page_) : page_.plainText());
}

void StepsWindow::printClick() {
    platform_.print(this, QStringLiteral("Печать решения по шагам"),
                    [this](QPrinter& printer) { printTo(printer); });
}

void StepsWindow::printTo(QPrinter& printer) const {
    const QString page = steps::htmlPage(page_);
    // A matrix row is never wrapped, so a wide matrix (order 10) must fit between the margins,
    // not run over the page's edge: the face is made smaller, down to 5 points, until the
    // widest row fits. QTextDocument::print lays the text out on the printer's page less 2 cm
    // on each side, so it is measured the same way. Rows of very long numbers can still be
    // wider than the page.
    const qreal room = printer.width() - 2 * (2 / 2.54) * printer.logicalDpiX();
    QFont face = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    int points = 10;
    for (; points > 5; --points) {
        face.setPointSize(points);
        QTextDocument measure;
        measure.documentLayout()->setPaintDevice(&printer);
        measure.setDefaultFont(face);
        measure.setHtml(page);
        // Paragraphs wrap at the margin; a matrix row does not.
        measure.setTextWidth(room);
        if (measure.idealWidth() <= room)
            break;
    }
    face.setPointSize(points);
    QTextDocument document;
    document.setDefaultFont(face);
    document.setHtml(page);
    document.print(&printer);
}

void StepsWindow::copyLatex() const {
    QGuiApplication::clipboard()->setText(latex_);
}
