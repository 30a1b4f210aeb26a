#include "windows/library/form3.h"

#include "core/array_library.h"
#include "core/entered_array.h"
#include "core/program_files.h"
#include "windows/extras/window_animation.h"
#include "windows/library/list_edit.h"
#include "windows/shared/error_box.h"
#include "windows/shared/icons.h"
#include "windows/shared/platform.h"
#include "windows/shared/ui_kit.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTextDocument>
#include <algorithm>

namespace {

// The window's design sheet, in twips, in tab order.
const ui::Control command1Sheet{
    .name = "Command1",
    .rect = {240, 120, 2055, 255},
    .caption = QCoreApplication::translate("Form3", "Сохранить"),
    .tooltip = QCoreApplication::translate("Form3", "Сохранить текущий массив")};
const ui::Control command2Sheet{.name = "Command2",
                                .rect = {2400, 120, 2055, 255},
                                .caption = QCoreApplication::translate("Form3", "Загрузить")};
const ui::Control combo1Sheet{.name = "Combo1",
                              .rect = {240, 360, 2055, 315},
                              .tooltip =
                                  QCoreApplication::translate("Form3", "В какой файл сохраняем")};
const ui::Control check1Sheet{.name = "Check1",
                              .rect = {240, 720, 1815, 255},
                              .caption = QCoreApplication::translate("Form3", "Добавить в список"),
                              .tooltip =
                                  QCoreApplication::translate("Form3", "Добавить в SaveList")};
const ui::Control combo2Sheet{
    .name = "Combo2",
    .rect = {2400, 360, 2055, 2010},
    .tooltip = QCoreApplication::translate("Form3", "Список доступных массивов")};
const ui::Control command3Sheet{
    .name = "Command3",
    .rect = {240, 1080, 2055, 255},
    .caption = QCoreApplication::translate("Form3", "Редактировать список"),
    .tooltip = QCoreApplication::translate("Form3", "Показать содержимое SaveList")};
const ui::Control text1Sheet{.name = "Text1",
                             .rect = {240, 1080, 1935, 2685},
                             .tooltip = QCoreApplication::translate("Form3", "Содержимое SaveList"),
                             .shown = false};
const ui::Control command4Sheet{
    .name = "Command4",
    .rect = {240, 3840, 975, 255},
    .caption = QCoreApplication::translate("Form3", "Сохранить"),
    .tooltip = QCoreApplication::translate("Form3", "Сохранить новое содержимое в SaveList"),
    .shown = false};
const ui::Control command5Sheet{.name = "Command5",
                                .rect = {240, 4080, 975, 255},
                                .caption = QCoreApplication::translate("Form3", "Скрыть"),
                                .tooltip = QCoreApplication::translate("Form3", "Скрыть SaveList"),
                                .shown = false};
const ui::Control command6Sheet{
    .name = "Command6",
    .rect = {3240, 2520, 1215, 255},
    .caption = QCoreApplication::translate("Form3", "Готово"),
    .tooltip = QCoreApplication::translate("Form3", "Перейти к редактору массивов")};

constexpr int clientWidth = 4710;
constexpr int clientHeight = 4410;

// A key with character code 13: Return, the keypad's Enter, or a control key that types CR.
bool isEnter(const QKeyEvent* key) {
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter ||
           key->text() == QStringLiteral("\r");
}

// Narrows the control's font, when its caption is wider than the room it has, until it fits:
// the design sheet was drawn for a narrower face than most desktops' sans-serif.
void fitCaption(QWidget* control, const QString& caption, int room) {
    QFont font = control->font();
    for (int stretch = 95; stretch >= 75; stretch -= 5) {
        if (QFontMetrics(font).horizontalAdvance(caption) <= room)
            break;
        font.setStretch(stretch);
    }
    control->setFont(font);
}

void fitCaption(QPushButton* button) {
    // One pixel of border on either side, one of air.
    fitCaption(button, button->text(), button->width() - 4);
}

void fitCaption(QCheckBox* box) {
    const QStyle* style = box->style();
    const int indicator = style->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, box) +
                          style->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, box);
    fitCaption(box, box->text(), box->width() - indicator);
}

// Green on black, with the outline of the box drawn from a grey window colour (a black one would
// hide it); the window behind shows through around it.
void greyOutline(QWidget* control) {
    QPalette p = control->palette();
    p.setColor(QPalette::Window, ui::grey);
    control->setPalette(p);
    control->setAutoFillBackground(false);
}

// The list editor's scroll bars look like the answer panel's in the main window: dark, with green
// arrows, drawn from the editor's own colours but for the grey kept for its outline.
void darkScrollBars(QPlainTextEdit* edit) {
    for (QScrollBar* bar : {edit->horizontalScrollBar(), edit->verticalScrollBar()}) {
        QPalette p = bar->palette();
        p.setColor(QPalette::Window, ui::black);
        bar->setPalette(p);
    }
    // The square between the two bars is black too, not the outline's grey.
    auto* corner = new QWidget(edit);
    ui::colour(corner, ui::green, ui::black);
    edit->setCornerWidget(corner);
}

// The name box. The style draws its face from pictures it keeps in the program's picture cache
// under keys made from the palette's identity; this window is made afresh at every showing, each
// time with new palettes, so every opening would add pictures and keys that are never used again.
// Drawing every name box with shared palettes of the same colours reuses them instead.
class NameBox : public QComboBox {
  public:
    using QComboBox::QComboBox;

  protected:
    void initStyleOption(QStyleOptionComboBox* option) const override {
        QComboBox::initStyleOption(option);
        // The box is measured with its palette as it is while being built and drawn with its
        // finished one: a few palettes are kept.
        static QList<QPalette> shared;
        const auto same = std::find(shared.cbegin(), shared.cend(), option->palette);
        if (same != shared.cend()) {
            option->palette = *same;
            return;
        }
        if (shared.size() == 4)
            shared.removeFirst();
        shared.append(option->palette);
    }
};

} // namespace

Form3::Form3(Platform& platform, SweepMemory& sweep, EnteredArray& array, QWidget* parent)
    : QWidget(parent,
              Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      platform_(platform), array_(array) {
    setWindowTitle(tr("Сохранение/Загрузка массивов"));
    setWindowIcon(icons::libraryIcon());
    setAttribute(Qt::WA_DeleteOnClose);
    ui::blackWindow(this);
    // The scene comes first and stays beneath every control.
    animation_ = new WindowAnimation(this, SceneLayout::Library, nullptr, nullptr, &sweep);
    animation_->scene().lower();
    buildControls();
    // The window is its own client area.
    setFixedSize(ui::px(clientWidth), ui::px(clientHeight));
}

void Form3::buildControls() {
    command1 = ui::button(this, command1Sheet);
    command2 = ui::button(this, command2Sheet);

    combo1 = new NameBox(this);
    combo1->setEditable(true);
    // The typed text is the name: no completion from the list, and Enter adds nothing to it.
    combo1->setCompleter(nullptr);
    combo1->setInsertPolicy(QComboBox::NoInsert);
    ui::place(combo1, combo1Sheet);
    ui::defaultFont(combo1);
    ui::colour(combo1, ui::green, ui::black);
    ui::colour(combo1->view(), ui::green, ui::black);
    greyOutline(combo1);

    check1 = new QCheckBox(check1Sheet.caption, this);
    ui::place(check1, check1Sheet);
    ui::defaultFont(check1);
    ui::colour(check1, ui::green, ui::black);
    greyOutline(check1);
    check1->setChecked(true);

    combo2 = new QListWidget(this);
    combo2->setSelectionMode(QAbstractItemView::SingleSelection);
    ui::place(combo2, combo2Sheet);
    ui::defaultFont(combo2);
    ui::colour(combo2, ui::green, ui::black);
    greyOutline(combo2);
    // The style marks the focus of an empty list nowhere, of a full one only on its current row.
    ui::markFocus(combo2);

    command3 = ui::button(this, command3Sheet);

    auto* listEdit = new ListEdit(this);
    text1 = listEdit;
    text1->setLineWrapMode(QPlainTextEdit::NoWrap);
    text1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    text1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    ui::place(text1, text1Sheet);
    ui::defaultFont(text1);
    ui::colour(text1, ui::green, ui::black);
    greyOutline(text1);
    darkScrollBars(text1);
    connect(listEdit, &ListEdit::refused, this, [this](const QString& reason) {
        showError(platform_, this, tr("Текст не вставлен в список: %1.").arg(reason));
    });

    command4 = ui::button(this, command4Sheet);
    // Two buttons read "Сохранить" while the list editor is shown: this one is read out by its
    // tooltip.
    command4->setAccessibleName(command4Sheet.tooltip);
    command5 = ui::button(this, command5Sheet);
    command6 = ui::button(this, command6Sheet);

    for (QPushButton* b : {command1, command2, command3, command4, command5, command6})
        fitCaption(b);
    fitCaption(check1);

    const QList<QWidget*> tabOrder = {command1, command2, combo1,   check1,   combo2,
                                      command3, text1,    command4, command5, command6};
    for (qsizetype i = 1; i < tabOrder.size(); ++i)
        setTabOrder(tabOrder[i - 1], tabOrder[i]);

    combo1->installEventFilter(this);
    combo1->lineEdit()->installEventFilter(this);
    combo2->installEventFilter(this);

    connect(command1, &QPushButton::clicked, this, &Form3::command1Click);
    connect(command2, &QPushButton::clicked, this, &Form3::command2Click);
    connect(command3, &QPushButton::clicked, this, &Form3::command3Click);
    connect(command4, &QPushButton::clicked, this, &Form3::command4Click);
    connect(command5, &QPushButton::clicked, this, &Form3::command5Click);
    connect(command6, &QPushButton::clicked, this, &Form3::command6Click);
}

void Form3::formLoad() {
    ui::BusyCursor busy;
    animation_->load();
    combo1->clear();
    combo1->clearEditText();
    combo2->clear();
    QStringList names;
    const FileStatus read = library::touchAndReadSaveListNames(names);
    busy.release();
    reportFailure(platform_, this, read);
    combo1->addItems(names);
    combo2->addItems(names);
    // Adding the first name makes it current; the name box starts empty and nothing is selected.
    combo1->setCurrentIndex(-1);
    combo1->clearEditText();
    combo2->clearSelection();
}

bool Form3::acceptName(const QString& name) {
    const auto problem = library::nameProblem(name);
    if (!problem)
        return true;
    showError(platform_, this, tr("Имя «%1» не годится для массива: %2.").arg(name, *problem));
    return false;
}

void Form3::command1Click() {
    const QString name = combo1->currentText();
    if (name.isEmpty() || !acceptName(name))
        return;
    // A name the list cannot take stops the save before the array file is written.
    if (check1->isChecked()) {
        const FileStatus room = library::roomForName(name);
        if (!room) {
            reportFailure(platform_, this, room);
            return;
        }
    }
    const FileStatus saved = library::saveArrayFile(name, array_.order(), array_.entryText());
    if (!saved) {
        reportFailure(platform_, this, saved);
        return;
    }
    if (!check1->isChecked())
        return;
    const FileStatus listed = library::addToSaveList(name);
    if (!listed) {
        reportFailure(platform_, this, listed);
        return;
    }
    formLoad();
}

void Form3::command2Click() {
    const QList<QListWidgetItem*> selected = combo2->selectedItems();
    const QString name = selected.isEmpty() ? QString() : selected.first()->text();
    if (name.isEmpty() || !acceptName(name))
        return;
    // The whole file is read and checked before anything in the editor changes.
    arrayfile::Content content;
    const FileStatus read = library::loadArrayFile(name, content);
    if (!read) {
        reportFailure(platform_, this, read);
        return;
    }
    const QString path = programfiles::inFolder(name);
    if (content.empty) {
        reportFailure(platform_, this,
                      FileStatus::failure(path, FileStatus::Action::Read, tr("файл пуст")));
        return;
    }
    if (!content.order) {
        showError(platform_, this, arrayfile::noOrderMessage(path, content));
        return;
    }
    array_.load(*content.order, content.fields);
}

void Form3::showPanel(bool shown) {
    // The focus goes into the list editor it shows, and back to "Редактировать список" when the
    // panel that had it is hidden.
    const bool focusInPanel = text1->hasFocus() || command4->hasFocus() || command5->hasFocus();
    panelShown_ = shown;
    command3->setVisible(!shown);
    text1->setVisible(shown);
    command4->setVisible(shown);
    command5->setVisible(shown);
    if (shown)
        text1->setFocus(Qt::OtherFocusReason);
    else if (focusInPanel)
        command3->setFocus(Qt::OtherFocusReason);
}

void Form3::command3Click() {
    ui::BusyCursor busy;
    QString list;
    const FileStatus read = library::readSaveListText(list);
    if (!read) {
        busy.release();
        reportFailure(platform_, this, read);
        return;
    }
    text1->clear();
    showPanel(true);
    text1->setPlainText(list);
    listAsRead_ = list;
    listAsShown_ = listEditorText();
}

// The editor's text with CR LF between its lines; non-breaking blanks are kept as they are.
QString Form3::listEditorText() const {
    return ui::crlfText(text1);
}

void Form3::command4Click() {
    const QString shown = listEditorText();
    // A list read with a control character in it is written back as read; an edited one is
    // checked before anything is written.
    if (shown != listAsShown_) {
        if (const auto problem = library::listTextProblem(shown)) {
            showError(platform_, this, tr("Список не сохранён: %1.").arg(*problem));
            return;
        }
    }
    const FileStatus replaced =
        library::replaceSaveList(shown == listAsShown_ ? listAsRead_ : shown);
    if (!replaced) {
        reportFailure(platform_, this, replaced);
        return;
    }
    formLoad();
}

void Form3::command5Click() {
    showPanel(false);
}

void Form3::command6Click() {
    close();
}

void Form3::formUnload() {
    emit editorRequested();
}

void Form3::closeEvent(QCloseEvent* event) {
    formUnload();
    event->accept();
}

void Form3::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool Form3::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && isEnter(static_cast<QKeyEvent*>(event))) {
        if (watched == combo1 || watched == combo1->lineEdit()) {
            command1Click();
            return true;
        }
        if (watched == combo2) {
            command2Click();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
