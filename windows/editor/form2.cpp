#include "windows/editor/form2.h"

#include "core/array_file.h"
#include "core/array_library.h"
#include "core/entered_array.h"
#include "core/entry_text.h"
#include "core/program_files.h"
#include "core/system_store.h"
#include "core/token_notes.h"
#include "support/numbers.h"
#include "support/random_source.h"
#include "support/text_file.h"
#include "windows/editor/entry_edit.h"
#include "windows/editor/order_bar.h"
#include "windows/extras/window_animation.h"
#include "windows/shared/error_box.h"
#include "windows/shared/icons.h"
#include "windows/shared/matrix_label.h"
#include "windows/shared/platform.h"
#include "windows/shared/shared_menus.h"
#include "windows/shared/ui_kit.h"

#include <QAccessible>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>

namespace {

// What assistive technology calls the note while it says nothing; when shown, its text.
const QString tokenWarningName = QCoreApplication::translate("Form2", "Как прочитаны числа");

// The design sheet of the editor (twips within the client area).
const ui::Control text1Sheet{.name = "Text1",
                             .rect = {840, 120, 3255, 285},
                             .tooltip = QCoreApplication::translate("Form2", "Содержимое массива")};
const ui::Control label1Sheet{.name = "Label1",
                              .rect = {2040, 720, 615, 195},
                              .caption = QCoreApplication::translate("Form2", "Массив"),
                              .tooltip = QCoreApplication::translate("Form2", "Система уравнений")};
const ui::Control text2Sheet{.name = "Text2",
                             .rect = {0, 120, 615, 285},
                             .caption = QStringLiteral("4"),
                             .tooltip = QCoreApplication::translate("Form2", "Порядок массива")};
const ui::Control command1Sheet{
    .name = "Command1",
    .rect = {840, 390, 3255, 210},
    .caption = QStringLiteral("RND"),
    .tooltip = QCoreApplication::translate("Form2", "Случайное содержимое массива")};
const ui::Control vscroll1Sheet{.name = "VScroll1", .rect = {615, 120, 135, 270}};
const ui::Control command2Sheet{
    .name = "Command2",
    .rect = {0, 390, 750, 210},
    .caption = QStringLiteral("RND"),
    .tooltip = QCoreApplication::translate("Form2", "Случайный порядок массива")};
const ui::Control command3Sheet{
    .name = "Command3",
    .rect = {4080, 120, 615, 480},
    .tooltip = QCoreApplication::translate("Form2", "Сохранить/загрузить готовый массив")};
const ui::Control command4Sheet{
    .name = "Command4",
    .rect = {2880, 600, 1215, 255},
    .caption = QCoreApplication::translate("Form2", "Готово"),
    .tooltip = QCoreApplication::translate("Form2", "Перейти на основное окно")};

} // namespace

Form2::Form2(SystemStore& store, EnteredArray& array, RandomSource& random, Platform& platform)
    : store_(store), array_(array), random_(random), platform_(platform) {
    // Another window's load is put in as the editor's own load puts it in.
    connect(&array_, &EnteredArray::loadRequested, this, &Form2::applyArray);
    connect(&array_, &EnteredArray::refillRequested, this, &Form2::refillStore);
    setWindowTitle(tr("Редактор массивов"));
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setWindowIcon(icons::windowIcon());
    QWidget* client = ui::blackClient(this);
    buildMenus();
    animation_ = new WindowAnimation(client, SceneLayout::Editor, graph, stoper);
    buildControls(client);
    ui::fixClientSize(this, client, 4710, 4125);
}

void Form2::buildControls(QWidget* client) {
    auto* entryBox = new EntryEdit(client);
    text1 = entryBox;
    ui::place(text1, text1Sheet);
    ui::defaultFont(text1);
    ui::colour(text1, ui::green, ui::black);

    // The preview: its title, then the rows in columns with a bar before the right-hand sides.
    label1 = new MatrixLabel(client);
    ui::place(label1, label1Sheet);
    ui::defaultFont(label1);
    label1->setText(label1Sheet.caption);
    label1->setTitle(label1Sheet.caption);
    label1->setRightHandBar(true);
    label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label1->setTextInteractionFlags(Qt::NoTextInteraction);
    // Tab reaches it, so that a preview wider or taller than its box is scrolled by the keys.
    label1->setTakesTab(true);
    // The preview's box is black over the scene, so that no scene line crosses its digits.
    ui::colour(label1, ui::cyan, ui::black);

    text2 = ui::lineEdit(client, text2Sheet);
    text2->setReadOnly(true);

    // Below the preview, on black so that no scene line crosses it; it says, and changes
    // nothing of the text.
    tokenWarning = new QLabel(client);
    tokenWarning->setObjectName(QStringLiteral("TokenWarning"));
    tokenWarning->setGeometry(ui::twips(120, 3420, 4470, 630));
    tokenWarning->setTextFormat(Qt::PlainText);
    tokenWarning->setWordWrap(true);
    tokenWarning->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    ui::defaultFont(tokenWarning);
    tokenWarning->setAutoFillBackground(true);
    ui::colour(tokenWarning, ui::warningYellow, ui::black);
    tokenWarning->setAccessibleName(tokenWarningName);
    tokenWarning->hide();

    command1 = ui::button(client, command1Sheet);

    vscroll1 = new OrderBar(client);
    ui::place(vscroll1, vscroll1Sheet);
    vscroll1->setRange(ArrayOrder(ArrayOrder::largest).scrollPosition(),
                       ArrayOrder(ArrayOrder::smallest).scrollPosition());
    vscroll1->setSingleStep(1);
    vscroll1->setPageStep(1);
    // The order Text2 starts with.
    vscroll1->setOrder(ArrayOrder(4));
    // Tab reaches it; the arrow and page keys and the wheel then step the order as a click does.
    vscroll1->setFocusPolicy(Qt::StrongFocus);
    vscroll1->setAccessibleName(tr("Порядок массива"));

    command2 = ui::button(client, command2Sheet);
    command3 = ui::button(client, command3Sheet, ui::ButtonFace::Dark);
    // The 32-pixel picture fills the button's height: its outermost ring of pixels, background
    // but for the arrow's tip, is left out so that the button's frame shows whole around it.
    const QImage picture = icons::libraryImage(32).copy(1, 1, 30, 30);
    command3->setIcon(QIcon(QPixmap::fromImage(picture)));
    command3->setIconSize(picture.size());
    command4 = ui::button(client, command4Sheet);
    // Both random buttons read "RND": their tooltips tell them apart when read out.
    command1->setAccessibleName(command1Sheet.tooltip);
    command2->setAccessibleName(command2Sheet.tooltip);

    setTabOrder(text1, text2);
    setTabOrder(text2, command1);
    setTabOrder(command1, vscroll1);
    setTabOrder(vscroll1, command2);
    setTabOrder(command2, command3);
    setTabOrder(command3, command4);
    setTabOrder(command4, label1);

    connect(vscroll1, &QScrollBar::valueChanged, this, &Form2::vscroll1Change);
    connect(text2, &QLineEdit::textChanged, this, &Form2::text2Change);
    connect(text1, &QLineEdit::textChanged, this, &Form2::text1Change);
    connect(command1, &QPushButton::clicked, this, &Form2::command1Click);
    connect(command2, &QPushButton::clicked, this, &Form2::command2Click);
    connect(command3, &QPushButton::clicked, this, &Form2::command3Click);
    connect(command4, &QPushButton::clicked, this, &Form2::command4Click);
}

void Form2::buildMenus() {
    // Each title and item with its access key, unique within its menu.
    QMenu* file = ui::menu(menuBar(), "file", tr("Файл"), u'Ф');
    newAction = ui::menuItem(file, "new", tr("Новый массив"), u'Н');
    createlist = ui::menuItem(file, "createlist", tr("Создать SaveList"), u'д');
    load = ui::menuItem(file, "load", tr("Загрузить последний массив"), u'З');
    save = ui::menuItem(file, "save", tr("Сохранить в последний массив"), u'С');
    loadsave = ui::menuItem(file, "loadsave", tr("Загрузить/сохранить массив"), u'м');
    ready = ui::menuItem(file, "ready", tr("Готово"), u'Г');
    file->addSeparator();
    exit = ui::menuItem(file, "exit", tr("Выход из программы"), u'ы');

    const SharedMenus extras = addSharedMenus(menuBar(), {"animation", "what2", "fgg"});
    graph = extras.graph;
    stoper = extras.stoper;
    what2 = extras.what;
    report = extras.report;
    about = extras.about;

    connect(what2, &QAction::triggered, this, &Form2::helpRequested);
    connect(about, &QAction::triggered, this, &Form2::aboutRequested);
    connect(newAction, &QAction::triggered, this, &Form2::newClick);
    connect(createlist, &QAction::triggered, this, &Form2::createlistClick);
    connect(load, &QAction::triggered, this, &Form2::loadClick);
    connect(save, &QAction::triggered, this, &Form2::saveClick);
    connect(loadsave, &QAction::triggered, this, &Form2::command3Click);
    connect(ready, &QAction::triggered, this, &Form2::command4Click);
    connect(exit, &QAction::triggered, this, &Form2::exitClick);
    ui::nameMenus(menuBar());
}

ArrayOrder Form2::order() const {
    return vscroll1->order();
}

void Form2::formLoad() {
    animation_->load();
    store_.shapeForOrder(order());
    command1Click();
}

void Form2::command1Click() {
    text1->setText(QString());
    const int n = order().value();
    for (int i = 0; i < n + n * n; ++i) {
        const int digit = static_cast<int>(random_.next() * 10);
        text1->setText(text1->text() + QString::number(digit) + u' ');
    }
}

void Form2::command2Click() {
    const double r = random_.next();
    vscroll1->setOrder(ArrayOrder::drawn(r));
}

void Form2::command3Click() {
    emit libraryRequested();
}

void Form2::command4Click() {
    saveClick();
    hide();
    emit readyRequested();
}

void Form2::newClick() {
    vscroll1->setOrder(ArrayOrder(ArrayOrder::smallest));
    formLoad();
}

void Form2::exitClick() {
    emit exitRequested();
}

void Form2::vscroll1Change() {
    text2->setText(QString::number(order().value()));
}

void Form2::text2Change() {
    store_.shapeForOrder(order());
    fillMatrix();
}

void Form2::text1Change() {
    // After "Выгрузить массив" the store is a single element while the order box still shows
    // the order: give the store that order's shape before any element is written.
    Matrix& m = store_.matrix;
    const int n = order().value();
    if (m.order() != n || m.rows() != n)
        store_.shapeForOrder(order());
    fillMatrix();
}

void Form2::showTokenNotes() {
    const int n = order().value();
    const QString entryText = text1->text();
    const QString text = entry::notesText(
        entry::tokenNotes(entryText, n, text1->pastedEmptyCells()), n, platform_.decimalSeparator(),
        entry::countText(entry::numberCount(entryText, n), n));
    if (text == tokenWarning->text() && tokenWarning->isHidden() == text.isEmpty())
        return;
    tokenWarning->setText(text);
    tokenWarning->setAccessibleName(text.isEmpty() ? tokenWarningName : text);
    tokenWarning->setVisible(!text.isEmpty());
    tokenWarning->raise();
    if (!text.isEmpty() && QAccessible::isActive()) {
        QAccessibleEvent alert(tokenWarning, QAccessible::Alert);
        QAccessible::updateAccessibility(&alert);
    }
}

void Form2::fillMatrix() {
    array_.setShown(order(), text1->text());
    showTokenNotes();
    const auto preview =
        entry::fillMatrix(store_.matrix, text1->text(), platform_.decimalSeparator());
    if (!preview)
        return;
    // The label's text (copied, and read out as its description) is the preview's text.
    label1->setMatrix(entry::previewCells(store_.matrix, platform_.decimalSeparator()),
                      ui::screenText(*preview));
    // A random fill or a load runs many refills in a row: the label is fitted to its rows once
    // they are done.
    if (!labelFitPending_) {
        labelFitPending_ = true;
        QTimer::singleShot(0, this, [this] {
            labelFitPending_ = false;
            fitPreview();
        });
    }
}

void Form2::fitPreview() {
    // The preview grows with its rows from its place in the sheet, as far as the client area
    // holds it: to the client's right edge and down to the note below it. Rows wider or taller
    // than that scroll inside the preview.
    const QRect sheet = ui::twips(label1Sheet.rect);
    const QSize room(label1->parentWidget()->width() - sheet.left(),
                     tokenWarning->geometry().top() - sheet.top());
    label1->resize(label1->sizeWithin(sheet.size(), room));
}

void Form2::applyArray(ArrayOrder order, const QStringList& values) {
    text1->setText(QString());
    vscroll1->setOrder(order);
    QString text;
    for (const QString& value : values) {
        text += value;
        text += u' ';
    }
    // Assigned once: the refills of the values one by one would end in the same state.
    text1->setText(text);
}

bool Form2::saveLastArray() {
    const FileStatus s = arrayfile::write(programfiles::lastArray, order(), text1->text());
    return reportFailure(platform_, this, s);
}

void Form2::saveClick() {
    saveLastArray();
}

void Form2::loadClick() {
    // The file gains an empty line first, so that it exists when it is read.
    arrayfile::Content content;
    ui::BusyCursor busy;
    const FileStatus s = arrayfile::touchAndRead(programfiles::lastArray, content);
    busy.release();
    if (!s) {
        reportFailure(platform_, this, s);
        return;
    }
    QStringList values;
    for (const QString& field : content.fields)
        if (!field.isEmpty())
            values.append(field);
    if (content.firstField.isEmpty()) {
        text1->setText(QString());
        showError(platform_, this, tr("Нет данных"));
        text1->setText(values.isEmpty() ? QString() : values.join(u' ') + u' ');
        return;
    }
    if (!content.order) {
        showError(platform_, this, arrayfile::noOrderMessage(programfiles::lastArray, content));
        return;
    }
    applyArray(*content.order, values);
}

void Form2::createlistClick() {
    const auto answer =
        platform_.messageBox(this,
                             tr("Вы уверены что хотите создать Новый SaveList?\r\n"
                                "Новый SaveList заменит старый.\r\nПодробности в справке."),
                             tr("Создать SaveList"), Platform::Buttons::OkCancel);
    if (answer != Platform::Answer::Ok)
        return;
    const FileStatus s = library::resetSaveList();
    if (!s) {
        reportFailure(platform_, this, s);
        return;
    }
    platform_.messageBox(this, tr("Создан новый SaveList"), tr("Готово"), Platform::Buttons::Ok);
}

void Form2::closeEvent(QCloseEvent* event) {
    event->ignore();
    saveClick();
    emit libraryHideRequested();
    hide();
    emit readyRequested();
}

QString Form2::entryText() const {
    return text1->text();
}

Form2::Array Form2::currentArray() const {
    return {order(), text1->text()};
}
