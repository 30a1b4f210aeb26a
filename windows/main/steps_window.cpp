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
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>

#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTextOption>
#include <QVBoxLayout>

namespace {

// The steps' text, a blank pixel inside its frame: a line cut by the window's lower side stands
// clear of the focus frame drawn on the outermost pixels.
class StepsText : public QPlainTextEdit {
  public:
    explicit StepsText(QWidget* parent) : QPlainTextEdit(parent) { setViewportMargins(1, 1, 1, 1); }
};

} // namespace

StepsWindow::StepsWindow(Platform& platform, QWidget* parent)
    : QWidget(parent, Qt::Window), platform_(platform) {
    setObjectName(QStringLiteral("StepsWindow"));
    setWindowTitle(tr("Решение по шагам"));
    ui::blackWindow(this);
    text1 = new StepsText(this);
    text1->setObjectName(QStringLiteral("Text1"));
    text1->setAccessibleName(tr("Решение по шагам"));
    text1->setReadOnly(true);
    text1->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    // Matrices are columns of numbers: a fixed-pitch face keeps them aligned; long lines scroll.
    text1->setLineWrapMode(QPlainTextEdit::NoWrap);
    QFont mono = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    mono.setPointSizeF(10);
    text1->setFont(mono);
    ui::colour(text1, ui::green, ui::black);
    // The window's one control: its frame, black on black, shows no focus of its own.
    ui::markFocus(text1);
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
    warning.setForeground(ui::warningYellow);
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
    if (!owner) {
        ui::centre(this);
        return;
    }
    // Right of the main window if there is room, else left of it; when neither side holds the
    // whole width, the wider side, the window narrowed to it (but not below a readable width).
    if (!ui::placeBeside(this, owner, ui::Sides::RightOrLeft)) {
        const ui::RoomBeside room = ui::roomBeside(owner);
        const int frame = std::max(0, frameGeometry().width() - width());
        const int wider = std::max(room.right, room.left) - frame;
        if (wider >= ui::px(6000))
            resize(wider, height());
        if (!ui::placeBeside(this, owner, ui::Sides::RightOrLeft))
            move(owner->frameGeometry().right(), owner->frameGeometry().top());
    }
    ui::keepOnScreen(this);
}

void StepsWindow::showMenu(const QPoint& at) {
    QMenu* menu = text1->createStandardContextMenu();
    menu->addSeparator();
    menu->addAction(tr("Сохранить…"), this, &StepsWindow::saveClick);
    menu->addAction(tr("Печать…"), this, &StepsWindow::printClick);
    menu->addAction(tr("Копировать как LaTeX"), this, &StepsWindow::copyLatex);
    menu->exec(text1->mapToGlobal(at));
    delete menu;
}

void StepsWindow::saveClick() {
    const QString path = platform_.saveFileName(this, tr("Сохранить решение по шагам"),
                                                QDir::home().filePath(tr("решение.htm")),
                                                tr("Страница HTML (*.htm *.html);;Текст (*.txt)"));
    if (!path.isEmpty())
        reportFailure(platform_, this, saveTo(path));
}

FileStatus StepsWindow::saveTo(const QString& path) const {
    const bool html = path.endsWith(QStringLiteral(".htm"), Qt::CaseInsensitive) ||
                      path.endsWith(QStringLiteral(".html"), Qt::CaseInsensitive);
    return TextRewrite::writeUtf8(path, html ? steps::htmlPage(page_) : page_.plainText());
}

void StepsWindow::printClick() {
    platform_.print(this, tr("Печать решения по шагам"),
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
