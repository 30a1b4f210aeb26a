#include "windows/main/steps_window.h"

#include "core/steps_document.h"
#include "support/text_rewrite.h"
#include "windows/main/steps_view.h"
#include "windows/shared/error_box.h"
#include "windows/shared/platform.h"
#include "windows/shared/ui_kit.h"

#include <QAbstractTextDocumentLayout>
#include <QButtonGroup>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPainter>
#include <QPrinter>
#include <QRadioButton>
#include <QShowEvent>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextFrame>
#include <QTextTable>
#include <QVBoxLayout>
#include <algorithm>

namespace {

// The page, a blank pixel inside its edge: the focus frame drawn on the outermost pixels stands
// clear of the text and of a line cut by the window's lower side. What it copies is plain text,
// a matrix row its cells between tabs, so that a spreadsheet takes each number into a cell of
// its own (a rich copy would give it a paragraph a cell).
class StepsText : public QTextBrowser {
  public:
    explicit StepsText(QWidget* parent) : QTextBrowser(parent) { setViewportMargins(1, 1, 1, 1); }

  protected:
    QMimeData* createMimeDataFromSelection() const override {
        QStringList lines = textCursor().selection().toPlainText().split(u'\n');
        // A row's first cell stands at a tab stop: its tab would leave the first cell empty.
        for (QString& line : lines)
            if (line.startsWith(u'\t'))
                line.remove(0, 1);
        auto* data = new QMimeData;
        data->setText(lines.join(u'\n'));
        return data;
    }
};

// The face of the page on the screen and on paper: the program's narrow sans-serif.
QFont pageFont(qreal points) {
    QFont face(QStringLiteral("Liberation Sans"));
    face.setStyleHint(QFont::SansSerif);
    face.setPointSizeF(points);
    return face;
}

constexpr qreal screenPoints = 10;
constexpr int pageMargin = 6;

// The page on the screen: the program's green on black, warnings in its yellow, a check that
// failed in a red that reads on black, the row notes in cyan, the pivot on a dark green.
stepsview::Look screenLook() {
    return {.font = pageFont(screenPoints),
            .text = ui::green,
            .warning = ui::warningYellow,
            .error = QColor(255, 96, 96),
            .note = ui::cyan,
            .pivotGround = QColor(0, 96, 0)};
}
// The printer's margins when the print dialog left none, as QTextDocument::print takes them.
constexpr qreal printMarginMm = 20;
constexpr int largestPrintPoints = 10;
constexpr int smallestPrintPoints = 5;

// The paragraph that introduces a table ("Матрица после шага 2:", a stage's heading), which a
// page break moves with it; an invalid block when the table follows something else.
QTextBlock captionOf(QTextDocument& document, const QTextTable& table) {
    const QTextBlock before = document.findBlock(table.firstPosition()).previous();
    const bool introduces = before.isValid() && (before.text().trimmed().endsWith(u':') ||
                                                 before.blockFormat().headingLevel() > 0);
    return introduces ? before : QTextBlock();
}

// Lays the document out on pages of the size and moves every table that would cross the foot of
// a page to the next page, with the line that introduces it; a table taller than a page is left
// to run over.
void keepTablesWhole(QTextDocument& document, const QSizeF& pageSize) {
    document.setPageSize(pageSize);
    const qreal height = pageSize.height();
    for (QTextFrame* frame : document.rootFrame()->childFrames()) {
        auto* table = qobject_cast<QTextTable*>(frame);
        if (!table)
            continue;
        document.pageCount(); // the layout up to date after the last break
        const QRectF box = document.documentLayout()->frameBoundingRect(table);
        QTextBlock caption = captionOf(document, *table);
        QRectF moved = box; // the table with its caption, if both fit a page
        if (caption.isValid())
            moved.setTop(document.documentLayout()->blockBoundingRect(caption).top());
        if (moved.height() > height) {
            caption = QTextBlock();
            moved = box;
        }
        const bool crosses = int(moved.top() / height) != int((moved.bottom() - 1) / height);
        if (!crosses || moved.height() > height)
            continue;
        if (caption.isValid()) {
            QTextBlockFormat format = caption.blockFormat();
            format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
            QTextCursor(caption).setBlockFormat(format);
        } else {
            QTextTableFormat format = table->format();
            format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
            table->setFormat(format);
        }
    }
}

} // namespace

StepsWindow::StepsWindow(Platform& platform, QWidget* parent)
    : QMainWindow(parent, Qt::Window), platform_(platform) {
    setObjectName(QStringLiteral("StepsWindow"));
    setWindowTitle(tr("Решение по шагам"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                   Qt::WindowCloseButtonHint);
    QWidget* client = ui::blackClient(this);
    auto* bar = new QWidget(client);
    buildChoices(bar);
    text1 = new StepsText(client);
    text1->setObjectName(QStringLiteral("Text1"));
    text1->setAccessibleName(tr("Решение по шагам"));
    text1->setReadOnly(true);
    text1->setOpenLinks(false);
    text1->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    text1->setTabChangesFocus(true);
    text1->setFrameShape(QFrame::NoFrame);
    ui::colour(text1, ui::green, ui::black);
    ui::markFocus(text1);
    text1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(text1, &QWidget::customContextMenuRequested, this, &StepsWindow::showMenu);
    auto* layout = new QVBoxLayout(client);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(text1, 1);
    buildMenus();
    setTabOrder(combo1, option1);
    setTabOrder(option1, option2);
    setTabOrder(option2, text1);
    // The client area keeps the window's designed size, the menu bar above it.
    resize(ui::px(9600), ui::px(7200) + menuBar()->sizeHint().height());
}

void StepsWindow::buildChoices(QWidget* bar) {
    auto* label1 = new QLabel(ui::withMnemonic(tr("Метод:"), u'М'), bar);
    label1->setObjectName(QStringLiteral("Label1"));
    combo1 = new QComboBox(bar);
    combo1->setObjectName(QStringLiteral("Combo1"));
    combo1->setAccessibleName(tr("Метод"));
    for (const steps::Method m : steps::methods)
        combo1->addItem(steps::methodName(m), int(m));
    label1->setBuddy(combo1);
    option1 = new QRadioButton(ui::withMnemonic(tr("Дроби"), u'Д'), bar);
    option1->setObjectName(QStringLiteral("Option1"));
    option1->setAccessibleName(tr("Дроби"));
    option1->setChecked(true);
    option2 = new QRadioButton(ui::withMnemonic(tr("Десятичные"), u'с'), bar);
    option2->setObjectName(QStringLiteral("Option2"));
    option2->setAccessibleName(tr("Десятичные"));
    auto* forms = new QButtonGroup(bar);
    forms->addButton(option1);
    forms->addButton(option2);
    for (QWidget* w : std::initializer_list<QWidget*>{label1, combo1, option1, option2}) {
        ui::defaultFont(w);
        ui::colour(w, ui::green, ui::black);
    }
    // The list and the round marks of the switch in the program's grey, black on it, as its
    // buttons are.
    ui::colour(combo1, ui::black, ui::grey);
    for (QRadioButton* option : {option1, option2}) {
        QPalette p = option->palette();
        p.setColor(QPalette::Base, ui::grey);
        p.setColor(QPalette::Text, ui::black);
        option->setPalette(p);
    }
    combo1->setFocusPolicy(Qt::StrongFocus);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(6, 4, 6, 4);
    row->addWidget(label1);
    row->addWidget(combo1);
    row->addSpacing(16);
    row->addWidget(option1);
    row->addWidget(option2);
    row->addStretch(1);
    connect(combo1, &QComboBox::currentIndexChanged, this, &StepsWindow::choiceChange);
    connect(option1, &QRadioButton::toggled, this, &StepsWindow::choiceChange);
}

void StepsWindow::buildMenus() {
    QMenu* file = ui::menu(menuBar(), "file", tr("Файл"), u'Ф');
    save = ui::menuItem(file, "save", tr("Сохранить…"), u'С');
    save->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    print = ui::menuItem(file, "print", tr("Печать…"), u'П');
    print->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    file->addSeparator();
    closeAction = ui::menuItem(file, "close", tr("Закрыть"), u'З');
    closeAction->setShortcut(QKeySequence(Qt::Key_Escape));
    QMenu* edit = ui::menu(menuBar(), "edit", tr("Правка"), u'П');
    copy = ui::menuItem(edit, "copy", tr("Копировать"), u'К');
    copy->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    latex = ui::menuItem(edit, "latex", tr("Копировать как LaTeX"), u'а');
    selectAll = ui::menuItem(edit, "selectAll", tr("Выделить всё"), u'В');
    selectAll->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_A));
    // The page view takes Ctrl+C and Ctrl+A itself while it has the focus, to the same effect.
    connect(save, &QAction::triggered, this, &StepsWindow::saveClick);
    connect(print, &QAction::triggered, this, &StepsWindow::printClick);
    connect(closeAction, &QAction::triggered, this, &QWidget::close);
    connect(copy, &QAction::triggered, text1, &QTextBrowser::copy);
    connect(latex, &QAction::triggered, this, &StepsWindow::copyLatex);
    connect(selectAll, &QAction::triggered, text1, &QTextBrowser::selectAll);
    ui::nameMenus(menuBar());
}

steps::Method StepsWindow::method() const {
    return steps::Method(combo1->currentData().toInt());
}

steps::NumberForm StepsWindow::form() const {
    return option2->isChecked() ? steps::NumberForm::Decimals : steps::NumberForm::Fractions;
}

void StepsWindow::setSolve(const solver::SolveRecord& record, const solver::CheckedSolve& solve,
                           QChar decimalSeparator) {
    record_ = record;
    solve_ = solve;
    separator_ = decimalSeparator;
    pageCurrent_ = false;
    if (isVisible())
        refresh();
}

void StepsWindow::choiceChange() {
    pageCurrent_ = false;
    if (isVisible())
        refresh();
}

void StepsWindow::refresh() {
    if (pageCurrent_)
        return;
    page_ = steps::methodPage(method(), record_, solve_, form(), separator_);
    // The page is built in a document of its own and then put in the view: built inside the
    // view, each paragraph would be laid out again as the next one is added.
    auto* document = new QTextDocument(text1);
    document->setUndoRedoEnabled(false);
    document->setDocumentMargin(pageMargin);
    stepsview::layOut(*document, page_, screenLook());
    QTextDocument* shown = text1->document();
    const bool made = shown->parent() == text1; // else the view's own, which it deletes itself
    text1->setDocument(document);
    if (made)
        delete shown;
    pageCurrent_ = true;
}

void StepsWindow::showEvent(QShowEvent* event) {
    if (!shownOnce_) {
        shownOnce_ = true;
        placeBesideOwner();
    }
    refresh();
    // The window opens with the page to read, as a document window does.
    text1->setFocus();
    QMainWindow::showEvent(event);
}

void StepsWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QMainWindow::keyPressEvent(event);
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
    QMenu* menu = text1->createStandardContextMenu(at);
    menu->addSeparator();
    menu->addAction(save);
    menu->addAction(print);
    menu->addAction(latex);
    menu->exec(text1->viewport()->mapToGlobal(at));
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

std::unique_ptr<QTextDocument> StepsWindow::printedDocument(const steps::Page& page,
                                                            QPrinter& printer) {
    if (printer.pageLayout().margins(QPageLayout::Millimeter).isNull())
        printer.setPageMargins(
            QMarginsF(printMarginMm, printMarginMm, printMarginMm, printMarginMm),
            QPageLayout::Millimeter);
    const QRect body = printer.pageLayout().paintRectPixels(printer.resolution());
    // The foot of each page keeps a line for its number.
    const qreal foot = QFontMetricsF(pageFont(largestPrintPoints), &printer).height() * 2;
    const QSizeF pageSize(body.width(), body.height() - foot);
    const QString html = steps::htmlPage(page);
    auto document = std::make_unique<QTextDocument>();
    document->documentLayout()->setPaintDevice(&printer);
    document->setDocumentMargin(0);
    // A matrix row is never wrapped, so a wide matrix (order 10) must fit between the margins:
    // the face is made smaller until the widest row fits. Rows of very long numbers can still
    // be wider than the page.
    for (int points = largestPrintPoints; points >= smallestPrintPoints; --points) {
        document->setDefaultFont(pageFont(points));
        document->setHtml(html);
        document->setTextWidth(pageSize.width());
        if (document->idealWidth() <= pageSize.width())
            break;
    }
    keepTablesWhole(*document, pageSize);
    return document;
}

void StepsWindow::printTo(QPrinter& printer) const {
    const std::unique_ptr<QTextDocument> document = printedDocument(page_, printer);
    const QSizeF pageSize = document->pageSize();
    QPainter painter(&printer);
    painter.setFont(pageFont(largestPrintPoints));
    const int pages = document->pageCount();
    for (int p = 0; p < pages; ++p) {
        if (p > 0)
            printer.newPage();
        painter.save();
        const QRectF shown(0, p * pageSize.height(), pageSize.width(), pageSize.height());
        painter.translate(0, -shown.top());
        painter.setClipRect(shown);
        document->drawContents(&painter, shown);
        painter.restore();
        const QRect body = printer.pageLayout().paintRectPixels(printer.resolution());
        painter.drawText(QRect(0, 0, body.width(), body.height()), Qt::AlignRight | Qt::AlignBottom,
                         QString::number(p + 1));
    }
}

void StepsWindow::copyLatex() const {
    QGuiApplication::clipboard()->setText(steps::latexDocument(page_));
}
