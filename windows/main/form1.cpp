#include "windows/main/form1.h"

#include "core/answer_log.h"
#include "core/entered_array.h"
#include "core/log_panel_text.h"
#include "core/solve_check.h"
#include "core/solver.h"
#include "core/steps_text.h"
#include "core/system_store.h"
#include "windows/extras/window_animation.h"
#include "windows/main/answer_area.h"
#include "windows/main/steps_window.h"
#include "windows/shared/error_box.h"
#include "windows/shared/icons.h"
#include "windows/shared/matrix_label.h"
#include "windows/shared/platform.h"
#include "windows/shared/shared_menus.h"
#include "windows/shared/ui_kit.h"

#include <QAbstractTextDocumentLayout>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>

namespace {

// The design sheet of the main window (twips within the client area).
const ui::Control command1Sheet{.name = "Command1",
                                .rect = {120, 120, 4455, 375},
                                .caption = QCoreApplication::translate("Form1", "Ввести данные"),
                                .tooltip = QCoreApplication::translate("Form1", "Ввести матрицу")};
const ui::Control text1Sheet{.name = "Text1",
                             .rect = {1800, 165, 1215, 285},
                             .tooltip = QCoreApplication::translate("Form1", "Ввести матрицу")};
const ui::Control command3Sheet{
    .name = "Command3",
    .rect = {120, 600, 4455, 255},
    .caption = QCoreApplication::translate("Form1", "Решить массив"),
    .tooltip = QCoreApplication::translate("Form1", "Решить систему уравнений"),
    .enabled = false};
const ui::Control picture1Sheet{.name = "Picture1",
                                .rect = {120, 960, 4455, 255},
                                .tooltip =
                                    QCoreApplication::translate("Form1", "Сюда выводится ответ")};
const ui::Control command2Sheet{
    .name = "Command2",
    .rect = {120, 1200, 1335, 255},
    .caption = QCoreApplication::translate("Form1", "Первый ответ"),
    .tooltip = QCoreApplication::translate("Form1", "Первый ответ из LastAns")};
const ui::Control command7Sheet{
    .name = "Command7",
    .rect = {1440, 1200, 1575, 255},
    .caption = QCoreApplication::translate("Form1", "Следующий ответ"),
    .tooltip = QCoreApplication::translate("Form1", "Следующий ответ из LastAns"),
    .enabled = false};
const ui::Control command8Sheet{
    .name = "Command8",
    .rect = {3000, 1200, 1575, 255},
    .caption = QCoreApplication::translate("Form1", "Последний ответ"),
    .tooltip = QCoreApplication::translate("Form1", "Последний полученный ответ")};
const ui::Control command4Sheet{
    .name = "Command4",
    .rect = {240, 1560, 1575, 255},
    .caption = QCoreApplication::translate("Form1", "Все ответы"),
    .tooltip = QCoreApplication::translate("Form1", "Показать и редактировать LastAns")};
const ui::Control text2Sheet{.name = "Text2",
                             .rect = {120, 1560, 4455, 2175},
                             .tooltip = QCoreApplication::translate("Form1", "Содержимое LastAns"),
                             .shown = false};
const ui::Control label1Sheet{.name = "Label1",
                              .rect = {120, 1920, 4455, 2055},
                              .tooltip =
                                  QCoreApplication::translate("Form1", "Преобразованный массив")};
const ui::Control command5Sheet{
    .name = "Command5",
    .rect = {120, 3720, 1095, 255},
    .caption = QCoreApplication::translate("Form1", "Сохранить"),
    .tooltip = QCoreApplication::translate("Form1", "Сохранить содержимое в LastAns"),
    .shown = false};
const ui::Control command6Sheet{
    .name = "Command6",
    .rect = {1200, 3720, 1095, 255},
    .caption = QCoreApplication::translate("Form1", "Скрыть"),
    .tooltip = QCoreApplication::translate("Form1", "Спрятать содержимое LastAns"),
    .shown = false};

} // namespace

Form1::Form1(SystemStore& store, AnswerLog& answerLog, Platform& platform, EnteredArray& array)
    : store_(store), answerLog_(answerLog), platform_(platform), array_(array) {
    setWindowTitle(tr("Решение систем уравнений"));
    // It can be maximised and enlarged, so that a large system with long values is seen whole.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setWindowIcon(icons::windowIcon());
    client_ = ui::blackClient(this);
    buildMenus();
    animation_ = new WindowAnimation(client_, SceneLayout::Main, graph, stoper);
    buildControls(client_);
    buildStepsCommand();
    // It opens at the sheet's client size, the least it can be made.
    client_->setMinimumSize(ui::px(4710), ui::px(4080));
    adjustSize();
    setMinimumSize(sizeHint());
    resize(minimumSize());
    client_->installEventFilter(this);
}

void Form1::fitToClient() {
    // The buttons and the entry box stay where the sheet puts them; the answer line takes the
    // extra width, and Label1 and the panel over it the extra width and height, the panel's
    // buttons staying below the panel.
    const QSize extra = (client_->size() - client_->minimumSize()).expandedTo(QSize(0, 0));
    const QPoint down(0, extra.height());
    picture1->setGeometry(ui::twips(picture1Sheet.rect).adjusted(0, 0, extra.width(), 0));
    label1->setGeometry(ui::twips(label1Sheet.rect).adjusted(0, 0, extra.width(), extra.height()));
    text2->setGeometry(ui::twips(text2Sheet.rect).adjusted(0, 0, extra.width(), extra.height()));
    command5->move(ui::twips(command5Sheet.rect).topLeft() + down);
    command6->move(ui::twips(command6Sheet.rect).topLeft() + down);
}

void Form1::buildStepsCommand() {
    // In the menu "Данные" below "Решить массив"; the context menus of the answer area and of
    // Label1 offer it too, and its shortcut works anywhere in the window.
    steps = new QAction(ui::withMnemonic(tr("Решение по шагам…"), u'ш'), this);
    steps->setObjectName(QStringLiteral("steps"));
    steps->setShortcut(QKeySequence(Qt::Key_F9));
    steps->setEnabled(false);
    addAction(steps);
    if (QMenu* mass = menuBar()->findChild<QMenu*>(QStringLiteral("mass")))
        mass->addAction(steps);
    picture1->addMenuAction(steps);
    label1->addMenuAction(steps);
    connect(steps, &QAction::triggered, this, &Form1::stepsClick);
}

void Form1::buildControls(QWidget* client) {
    command1 = ui::button(client, command1Sheet, ui::ButtonFace::Dark);
    // The entry box over the button's middle shows the caption; the button's own lettering,
    // drawn in another font box, would peek out at its edges.
    command1->setStyleSheet(command1->styleSheet() +
                            QStringLiteral("QPushButton#Command1 { color: black; }"));
    text1 = ui::lineEdit(client, text1Sheet);
    text1->setAlignment(Qt::AlignCenter);
    text1->setFrame(false);
    text1->setReadOnly(true);
    text1->setCursor(Qt::PointingHandCursor);
    text1->installEventFilter(this);
    command3 = ui::button(client, command3Sheet);

    picture1 = new AnswerArea(client);
    ui::place(picture1, picture1Sheet);
    ui::defaultFont(picture1);
    ui::colour(picture1, ui::green, ui::black);

    command2 = ui::button(client, command2Sheet);
    command7 = ui::button(client, command7Sheet);
    command8 = ui::button(client, command8Sheet);

    label1 = new MatrixLabel(client);
    ui::place(label1, label1Sheet);
    ui::defaultFont(label1);
    QPalette p = label1->palette();
    p.setColor(QPalette::WindowText, ui::green);
    label1->setPalette(p);
    label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QFont bold = label1->font();
    bold.setBold(true);
    label1->setFont(bold);
    // The label draws its values in columns of its own, where a mouse selection of the plain
    // text would not be seen; "Копировать" and Ctrl+C copy the whole matrix.
    label1->setTextInteractionFlags(Qt::NoTextInteraction);
    label1->setTakesTab(true);

    command4 = ui::button(client, command4Sheet);

    text2 = new QPlainTextEdit(client);
    ui::place(text2, text2Sheet);
    ui::defaultFont(text2);
    ui::colour(text2, ui::green, ui::black);
    text2->setLineWrapMode(QPlainTextEdit::NoWrap);
    text2->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    text2->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    text2->setTabChangesFocus(true);
    // Its frame, black on black, shows no focus of its own; the text cursor alone blinks.
    ui::markFocus(text2);

    command5 = ui::button(client, command5Sheet);
    command6 = ui::button(client, command6Sheet);
    command5->raise();
    command6->raise();

    QWidget* order[] = {command1, text1,    command2, picture1, command3, text2,
                        command4, command5, command6, command7, command8, label1};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i)
        setTabOrder(order[i], order[i + 1]);

    connect(command1, &QPushButton::clicked, this, &Form1::command1Click);
    connect(command3, &QPushButton::clicked, this, &Form1::command3Click);
    connect(command2, &QPushButton::clicked, this, &Form1::command2Click);
    connect(command7, &QPushButton::clicked, this, &Form1::command7Click);
    connect(command8, &QPushButton::clicked, this, &Form1::lastansClick);
    connect(command4, &QPushButton::clicked, this, &Form1::command4Click);
    connect(command5, &QPushButton::clicked, this, &Form1::command5Click);
    connect(command6, &QPushButton::clicked, this, &Form1::command6Click);
}

void Form1::buildMenus() {
    // Each title and item with its access key, unique within its menu.
    QMenu* file = ui::menu(menuBar(), "file", tr("Файл"), u'Ф');
    lastans = ui::menuItem(file, "lastans", tr("Последний ответ"), u'П');
    allans = ui::menuItem(file, "allans", tr("Показать все ответы"), u'в');
    file->addSeparator()->setObjectName(QStringLiteral("d"));
    exitAction = ui::menuItem(file, "Exit", tr("Выход из программы"), u'ы');

    QMenu* mass = ui::menu(menuBar(), "mass", tr("Данные"), u'Д');
    unloadmas = ui::menuItem(mass, "unloadmas", tr("Выгрузить массив"), u'В');
    masedit = ui::menuItem(mass, "masedit", tr("Редактор массивов..."), u'д');
    mass->addSeparator()->setObjectName(QStringLiteral("kh"));
    ans = ui::menuItem(mass, "ans", tr("Решить массив"), u'Р');
    ans->setEnabled(false);

    const SharedMenus extras = addSharedMenus(menuBar(), {"animat", "what", "h"});
    graph = extras.graph;
    stoper = extras.stoper;
    what = extras.what;
    report = extras.report;
    about = extras.about;

    connect(what, &QAction::triggered, this, &Form1::helpRequested);
    connect(about, &QAction::triggered, this, &Form1::aboutRequested);
    connect(lastans, &QAction::triggered, this, &Form1::lastansClick);
    connect(allans, &QAction::triggered, this, &Form1::allansClick);
    connect(exitAction, &QAction::triggered, this, &Form1::exitClick);
    connect(unloadmas, &QAction::triggered, this, &Form1::unloadmasClick);
    connect(masedit, &QAction::triggered, this, &Form1::command1Click);
    connect(ans, &QAction::triggered, this, &Form1::command3Click);
    ui::nameMenus(menuBar());
}

void Form1::formLoad() {
    text1->setText(command1->text());
    animation_->load();
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    if (watched == client_ && event->type() == QEvent::Resize)
        fitToClient();
    // From the keyboard the entry box answers Enter and Space as it answers a click.
    if (watched == text1 && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter ||
             key->key() == Qt::Key_Space) &&
            (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
            command1Click();
            return true;
        }
    }
    if (watched == text1 && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton &&
        text1->rect().contains(static_cast<QMouseEvent*>(event)->position().toPoint())) {
        command1Click();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void Form1::closeEvent(QCloseEvent* event) {
    event->accept();
    emit exitRequested();
}

void Form1::exitClick() {
    emit exitRequested();
}

void Form1::command1Click() {
    command3->setEnabled(true);
    ans->setEnabled(true);
    endBrowse();
    emit editorRequested();
    hide();
}

void Form1::command3Click() {
    endBrowse();
    command3->setEnabled(false);
    solveSystem();
}

void Form1::solveSystem() {
    endBrowse();
    picture1->cls();
    // After "Выгрузить массив" the store holds no system; the user solves what the editor shows.
    if (store_.matrix.order() < 1)
        array_.refill();
    const QString entryText = array_.entryText();
    // The answer is checked against the system as written: one without a unique solution is
    // never shown with the numbers the rounding made up.
    solver::CheckedSolve solved = solver::solveChecked(store_, lastSolve_, entryText);
    if (solved.outcome == solver::Outcome::NoSystem)
        return;
    const QChar separator = platform_.decimalSeparator();
    const QString line = solver::solutionLine(store_, solved.outcome, separator);
    picture1->print(line);
    label1Caption_ = solver::matrixText(store_.matrix, separator);
    label1->setWarning(solved.illConditioned ? solver::illConditionedText : QString());
    lastCheck_ = std::move(solved);
    label1->setMatrix(solver::matrixCells(store_.matrix, separator),
                      ui::screenText(label1Caption_));
    steps->setEnabled(true);
    if (stepsWindow_ && stepsWindow_->isVisible())
        showSteps();
    succeeded(answerLog_.appendAnswer(line));
}

void Form1::stepsClick() {
    if (!lastSolve_.complete)
        return;
    if (!stepsWindow_)
        stepsWindow_ = new StepsWindow(platform_, this);
    showSteps();
    stepsWindow_->show();
    stepsWindow_->activateWindow();
}

void Form1::showSteps() {
    stepsWindow_->setSolve(lastSolve_, lastCheck_, platform_.decimalSeparator());
}

void Form1::unloadmasClick() {
    store_.unload();
    command3->setEnabled(false);
    ans->setEnabled(false);
}

void Form1::endBrowse() {
    command7->setEnabled(false);
    answerLog_.closeFiles();
}

bool Form1::succeeded(const FileStatus& status) {
    if (status)
        return true;
    // A failed read leaves no browse behind.
    endBrowse();
    reportFailure(platform_, this, status);
    return false;
}

void Form1::command2Click() {
    endBrowse();
    AnswerLog& log = answerLog_;
    if (!succeeded(log.touchAndOpenCursor()))
        return;
    showNextAnswer();
}

void Form1::showNextAnswer() {
    std::optional<QString> answer;
    if (!succeeded(answerLog_.nextAnswer(answer)) || !answer)
        return;
    picture1->cls();
    picture1->print(*answer);
    command7->setEnabled(true);
}

void Form1::command7Click() {
    if (!answerLog_.cursorOpen()) {
        endBrowse();
        return;
    }
    showNextAnswer();
}

void Form1::lastansClick() {
    endBrowse();
    AnswerLog& log = answerLog_;
    std::optional<QString> answer;
    if (!succeeded(log.touchAndReadLast(answer)))
        return;
    picture1->cls();
    picture1->print(answer ? *answer : tr("Ничего не помню"));
}

void Form1::setPanelShown(bool shown) {
    // The focus goes into the panel it shows, and back to "Все ответы" when the panel that had
    // it is hidden.
    const bool focusInPanel = text2->hasFocus() || command5->hasFocus() || command6->hasFocus();
    panelShown_ = shown;
    text2->setVisible(shown);
    command4->setVisible(!shown);
    command5->setVisible(shown);
    command6->setVisible(shown);
    // The panel covers Label1: Tab passes it over while it cannot be seen.
    label1->setTakesTab(!shown);
    if (shown)
        text2->setFocus(Qt::OtherFocusReason);
    else if (focusInPanel)
        command4->setFocus(Qt::OtherFocusReason);
}

void Form1::command4Click() {
    ui::BusyCursor busy;
    stopPanelLoad();
    endBrowse();
    std::optional<AllAnswersRead> read;
    const FileStatus opened = AllAnswersRead::open(answerLog_, read);
    if (!opened) {
        busy.release();
        succeeded(opened);
        return;
    }
    setPanelShown(true);
    text2->clear();
    // The panel's filling is no edit to undo, and an undo record would be a second copy.
    text2->document()->setUndoRedoEnabled(false);
    panelRead_ = std::move(read);
    busy.release();
    loadPanelStep();
}

void Form1::loadPanelStep() {
    if (!panelRead_)
        return;
    if (panelProgress_ && panelProgress_->wasCanceled()) {
        cancelPanelLoad();
        return;
    }
    // A part of about 2 MB of the log is read, shown and written to the rewritten log at a time.
    constexpr qint64 bytesPerStep = 2 * 1024 * 1024;
    ui::BusyCursor busy;
    QStringList lines;
    const FileStatus read = panelRead_->readPart(bytesPerStep, lines);
    if (!read) {
        cancelPanelLoad();
        busy.release();
        succeeded(read);
        return;
    }
    QTextDocument* document = text2->document();
    const int firstNew = document->blockCount() - 1;
    QTextCursor cursor(document);
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(logpanel::panelText(lines));
    // A paragraph of several lines counts as one line until it is first seen, and the scroll
    // bar would grow under the user's hand: every new paragraph gets its true number of lines
    // (the panel does not wrap lines).
    for (QTextBlock block = document->findBlockByNumber(firstNew); block.isValid();
         block = block.next())
        block.setLineCount(int(block.text().count(QChar::LineSeparator)) + 1);
    QAbstractTextDocumentLayout* layout = document->documentLayout();
    emit layout->documentSizeChanged(layout->documentSize());
    if (panelRead_->atEnd()) {
        const FileStatus written = panelRead_->finish();
        stopPanelLoad();
        busy.release();
        succeeded(written);
        return;
    }
    if (!panelProgress_) {
        // Qt's own dialog, with its own "Cancel" caption; it keeps the window from being used,
        // so the panel cannot be saved while it holds a part of the log.
        panelProgress_ = new QProgressDialog(this);
        // Titled by the command: the main window's long title would not fit the narrow dialog.
        panelProgress_->setWindowTitle(command4->text());
        panelProgress_->setLabelText(tr("Загружаются все ответы…"));
        panelProgress_->setWindowModality(Qt::WindowModal);
        panelProgress_->setAutoClose(false);
        panelProgress_->setAutoReset(false);
        panelProgress_->setMinimumDuration(0);
        panelProgress_->setRange(0, 1000);
        // Its button, and Esc or closing it, stop the filling.
        connect(panelProgress_, &QProgressDialog::canceled, this, &Form1::cancelPanelLoad);
        connect(panelProgress_, &QDialog::rejected, this, &Form1::cancelPanelLoad);
    }
    panelProgress_->setValue(int(1000 * panelRead_->progress()));
    QTimer::singleShot(0, this, &Form1::loadPanelStep);
}

void Form1::stopPanelLoad() {
    // An unfinished read is dropped with its rewrite: the log stays as it was.
    panelRead_.reset();
    text2->document()->setUndoRedoEnabled(true);
    if (panelProgress_) {
        // Closing the dialog would tell "canceled" again: it is hidden and deleted quietly.
        panelProgress_->disconnect(this);
        panelProgress_->hide();
        panelProgress_->deleteLater();
        panelProgress_ = nullptr;
    }
}

void Form1::cancelPanelLoad() {
    stopPanelLoad();
    // A part of the log in the panel could be saved over the whole log: the panel closes empty.
    text2->clear();
    setPanelShown(false);
}

void Form1::command5Click() {
    if (panelRead_)
        return;
    endBrowse();
    // The panel is written a paragraph at a time: a panel holding a large log is never copied
    // whole.
    QTextBlock block = text2->document()->begin();
    QStringList lines;
    qsizetype next = 0;
    succeeded(answerLog_.replaceLog([&]() -> std::optional<QString> {
        while (next == lines.size()) {
            if (!block.isValid())
                return std::nullopt;
            lines = logpanel::logLines(block.text());
            next = 0;
            block = block.next();
        }
        return lines[next++];
    }));
}

void Form1::command6Click() {
    if (panelRead_)
        cancelPanelLoad();
    setPanelShown(false);
}

void Form1::allansClick() {
    if (panelShown_)
        command6Click();
    else
        command4Click();
}
