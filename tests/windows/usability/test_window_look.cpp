// What the windows show: the save/load window's place on every path that shows it, the main
// window's matrix label wrapped at blanks, a lone LF of the log marked in the answer panel, the
// about window's title face, the list editor's scroll bars, the editor's picture button and the
// focus marks clear of the text.
#include "program_windows.h"
#include "window_layout.h"

#include "support/text_file.h"
#include "windows/about/form4.h"
#include "windows/extras/window_animation.h"
#include "windows/library/form3.h"
#include "windows/shared/ui_kit.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QScreen>
#include <QScrollBar>

namespace {

QStringList valuesOf(const QString& text) {
    return text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
}

// Every scene line magenta, so that a scene pixel over a text can be told from the text.
void markScene(LineScene& scene) {
    for (int group = 1; group <= 3; ++group) {
        for (int index = 0; index < 40; ++index)
            scene.setColour(group, index, QColor(255, 0, 255));
    }
}

// Each value of a matrix label, brought into view with the keys from the top-left corner, lies
// whole in the part of the label the rows are seen in, inside the client area, clear of the
// scroll bars and of the window's other controls, and no pixel of a scene line or of a grey
// button is among its digits: the green or cyan text on black has no red in it, every scene
// colour and the grey have. values holds each row's values as the label's text gives them.
void everyMatrixValueSeen(MatrixLabel* label, WindowAnimation* animation,
                          const QList<QStringList>& values) {
    markScene(animation->scene());
    const QFontMetrics metrics(label->font());
    QWidget* client = label->parentWidget();
    for (int i = 0; i < values.size(); ++i) {
        for (int j = 0; j < values[i].size(); ++j) {
            QTest::keyClick(label, Qt::Key_Home, Qt::ControlModifier);
            for (int step = 0;
                 step < 500 && label->valueRect(i, j).right() > label->viewport().right(); ++step)
                QTest::keyClick(label, Qt::Key_Right);
            for (int step = 0;
                 step < 50 && label->valueRect(i, j).bottom() > label->viewport().bottom(); ++step)
                QTest::keyClick(label, Qt::Key_Down);
            const QRect r = label->valueRect(i, j);
            QVERIFY2(label->viewport().contains(r), qPrintable(values[i][j]));
            QVERIFY(r.width() >= metrics.horizontalAdvance(values[i][j]));
            const QRect inClient(label->mapTo(client, r.topLeft()), r.size());
            QVERIFY2(client->rect().contains(inClient), qPrintable(values[i][j]));
            for (QWidget* other : client->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
                if (other != label && other->isVisible() &&
                    (qobject_cast<QAbstractButton*>(other) || qobject_cast<QLineEdit*>(other)))
                    QVERIFY2(!other->geometry().intersects(inClient),
                             qPrintable(values[i][j] + u' ' + other->objectName()));
            }
            for (QScrollBar* bar : label->findChildren<QScrollBar*>()) {
                if (bar->isVisible())
                    QVERIFY(!bar->geometry().intersects(r));
            }
            const QImage shot =
                label->window()
                    ->grab(QRect(label->mapTo(label->window(), r.topLeft()), r.size()))
                    .toImage();
            for (int y = 0; y < shot.height(); ++y) {
                for (int x = 0; x < shot.width(); ++x)
                    QVERIFY2(shot.pixelColor(x, y).red() == 0, qPrintable(values[i][j]));
            }
            // The bar before the right-hand sides stands in one place in every row, between the
            // coefficients and the right-hand side.
            const QRect bar = label->barRect(i);
            if (!bar.isEmpty() && j == values[i].size() - 1) {
                QCOMPARE(bar.left(), label->barRect(0).left());
                QVERIFY(label->valueRect(i, j - 1).right() < bar.left() && bar.right() < r.left());
            }
        }
    }
}

// The main window's matrix label with the values of its own text, one row per line.
void everyMatrixValueSeen(Form1& w) {
    MatrixLabel* label = named<MatrixLabel>(w, "Label1");
    QList<QStringList> values;
    for (const QString& row : label->matrixText().split(u'\n', Qt::SkipEmptyParts))
        values.append(valuesOf(row));
    everyMatrixValueSeen(label, w.animation(), values);
}

} // namespace

class TestWindowLook : public QObject {
    Q_OBJECT
  private slots:
    void applicationFont_data();
    void applicationFont();
    void libraryPlacement_data();
    void libraryPlacement();
    void orderTenMatrixHoldsEveryValue_data();
    void orderTenMatrixHoldsEveryValue();
    void everyValueSeenAtEveryOrder_data();
    void everyValueSeenAtEveryOrder();
    void previewShowsEveryValue_data();
    void previewShowsEveryValue();
    void loneLineFeedMarked_data();
    void loneLineFeedMarked();
    void aboutTitleRegularWidth();
    void listEditorScrollBarsLikeAnswerPanel();
    void pictureButtonFramedAllRound();
    void focusedButtonMarked();
    void focusMarkClearOfText_data();
    void focusMarkClearOfText();
};

void TestWindowLook::libraryPlacement_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("editorAtLeft"); // room beside the editor, or not
    for (const bool left : {false, true}) {
        const char* where = left ? "editor at the left" : "editor centred";
        for (const char* path : {"button", "menu", "after the close box", "after a re-create"})
            QTest::newRow(qPrintable(QStringLiteral("%1, %2").arg(path, where))) << path << left;
    }
}

void TestWindowLook::libraryPlacement() {
    QFETCH(QString, path);
    QFETCH(bool, editorAtLeft);
    ProgramFixture f;
    f.click(button(f.main(), "Command1"));
    Form2& editor = f.editor();
    if (editorAtLeft)
        editor.move(0, 0);
    if (path == u"after the close box") {
        QVERIFY(!editor.close()); // creates the save/load window hidden
        QVERIFY(f.program->form3IfExists() && f.program->form3IfExists()->isHidden());
        f.click(button(f.main(), "Command1"));
    } else if (path == u"after a re-create") {
        editor.command3Click();
        Form3* first = f.program->form3IfExists();
        first->move(5, 5); // where the user left it
        f.click(button(first, "Command6"));
        QTRY_VERIFY(!f.program->form3IfExists());
    }
    if (path == u"menu")
        action(editor, "loadsave")->trigger();
    else
        f.click(button(editor, "Command3"));
    Form3* form = f.program->form3IfExists();
    QVERIFY(form && form->isVisible());
    const QRect placed = form->frameGeometry();
    const QRect shown = editor.frameGeometry();
    if (editorAtLeft) {
        // Room beside the editor: to its right, the tops level, a narrow gap between.
        QCOMPARE(placed.top(), shown.top());
        QVERIFY2(placed.left() > shown.right() && placed.left() - shown.right() <= 16,
                 qPrintable(QStringLiteral("%1 beside %2").arg(placed.left()).arg(shown.right())));
    } else {
        // No room beside it: centred on the screen.
        const QPoint off = placed.center() - form->screen()->availableGeometry().center();
        QVERIFY2(off.manhattanLength() <= 1,
                 qPrintable(QStringLiteral("%1, %2 off the centre").arg(off.x()).arg(off.y())));
    }
    QVERIFY(form->screen()->availableGeometry().contains(form->frameGeometry()));
    QCOMPARE(form->frameGeometry().intersects(editor.frameGeometry()), !editorAtLeft);
    // Shown again while it exists, it stays where it is.
    form->move(form->pos() + QPoint(3, 4));
    const QPoint moved = form->pos();
    f.click(button(editor, "Command3"));
    QCOMPARE(form->pos(), moved);
}

void TestWindowLook::orderTenMatrixHoldsEveryValue_data() {
    QTest::addColumn<bool>("wide");
    QTest::newRow("solved random system") << false;
    QTest::newRow("widest values") << true;
}

void TestWindowLook::orderTenMatrixHoldsEveryValue() {
    QFETCH(bool, wide);
    ProgramFixture f;
    Form1& w = f.main();
    QString matrix;
    if (wide) {
        // Eleven values of the widest kind the pattern gives below 1E15, per row.
        const QString cell = QStringLiteral("-123456789012.345");
        const std::vector<QStringList> rows(10, QStringList(11, cell));
        for (int i = 0; i < 10; ++i)
            matrix += (cell + QStringLiteral("  ")).repeated(11) + u'\n';
        named<MatrixLabel>(w, "Label1")->setMatrix(rows, matrix);
    } else {
        f.click(button(w, "Command1"));
        named<QScrollBar>(f.editor(), "VScroll1")->setValue(2);
        f.editor().command1Click();
        f.click(button(f.editor(), "Command4"));
        f.click(button(w, "Command3"));
        matrix = named<MatrixLabel>(w, "Label1")->matrixText();
        QCOMPARE(valuesOf(matrix).size(), 110);
    }
    // Each row is one line of the label, and every value can be scrolled into view.
    QCOMPARE(named<MatrixLabel>(w, "Label1")->text(), matrix);
    everyMatrixValueSeen(w);
    // "Копировать" gives the whole text, one line per row.
    named<MatrixLabel>(w, "Label1")->copyToClipboard();
    QCOMPARE(QGuiApplication::clipboard()->text(), matrix);
    QCOMPARE(layoutFault(w.centralWidget(), {"Text1"}), QString());
}

void TestWindowLook::everyValueSeenAtEveryOrder_data() {
    QTest::addColumn<int>("order");
    for (int order = 2; order <= 10; ++order)
        QTest::addRow("order %d", order) << order;
}

void TestWindowLook::everyValueSeenAtEveryOrder() {
    QFETCH(int, order);
    ProgramFixture f(u',');
    Form1& w = f.main();
    // Negative five-digit values with three decimals; the answer is made of such values too.
    QStringList tokens;
    for (int i = 0; i < order; ++i) {
        double sum = 0;
        for (int j = 0; j < order; ++j) {
            const double a = -(10000 + (i * 7919 + j * 104729 + (i == j) * 45007) % 89999 + 0.125);
            sum += a * -(12345.5 + 1000 * j);
            tokens << QString::number(a, 'f', 3);
        }
        tokens << QString::number(sum, 'f', 3);
    }
    f.click(button(w, "Command1"));
    named<OrderBar>(f.editor(), "VScroll1")->setOrder(ArrayOrder(order));
    named<QLineEdit>(f.editor(), "Text1")->setText(tokens.join(u' '));
    QCoreApplication::processEvents();
    f.click(button(f.editor(), "Command4"));
    f.click(button(w, "Command3"));
    const QString line = f.answer();
    QCOMPARE(valuesOf(line).size(), order);
    QVERIFY2(line.startsWith(u'-'), qPrintable(line));
    everyMatrixValueSeen(w);
    // Each value of the answer can be brought whole into the area with the arrow keys.
    AnswerArea* area = named<AnswerArea>(w, "Picture1");
    const QFontMetrics metrics(area->font());
    qsizetype from = 0;
    for (const QString& value : valuesOf(line)) {
        from = line.indexOf(value, from);
        const int left = metrics.horizontalAdvance(line.left(from));
        const int right = metrics.horizontalAdvance(line.left(from + value.size()));
        from += value.size();
        QTest::keyClick(area, Qt::Key_Home);
        auto seen = [&] {
            const QRect view = area->textViewport();
            return left + area->lineStart() >= view.left() &&
                   right + area->lineStart() <= view.right() + 1;
        };
        for (int step = 0; !seen() && area->scrollOffset() < area->scrollRange(); ++step)
            QTest::keyClick(area, Qt::Key_Right);
        QVERIFY2(seen(), qPrintable(value));
    }
    // However long the line and wide the matrix, the answer area and the label keep their
    // places among the controls.
    QCOMPARE(layoutFault(w.centralWidget(), {"Text1"}), QString());
}

void TestWindowLook::previewShowsEveryValue_data() {
    QTest::addColumn<int>("order");
    QTest::addColumn<QString>("value");
    for (int order = 2; order <= 10; ++order) {
        for (const char* value : {"-123.45", "-98765432.1234", "-1.23456789012345E+20"})
            QTest::addRow("order %d, %s", order, value) << order << QString(value);
    }
}

void TestWindowLook::previewShowsEveryValue() {
    QFETCH(int, order);
    QFETCH(QString, value);
    ProgramFixture f;
    f.click(button(f.main(), "Command1"));
    Form2& e = f.editor();
    MatrixLabel* preview = named<MatrixLabel>(e, "Label1");
    const QPoint place = preview->pos();
    named<OrderBar>(e, "VScroll1")->setOrder(ArrayOrder(order));
    // Values of the same width that differ from one to the next.
    QStringList tokens;
    for (int i = 0; i < order * (order + 1); ++i)
        tokens << QString(value).replace(1, 2, QString::number(10 + i % 90));
    named<QLineEdit>(e, "Text1")->setText(tokens.join(u' '));
    QCoreApplication::processEvents();
    QCOMPARE(preview->pos(), place);
    QVERIFY(e.centralWidget()->rect().contains(preview->geometry()));
    // The values as the preview's text gives them, under its title line, the bar left out.
    QList<QStringList> values;
    for (const QString& row : preview->text().split(u'\n').mid(1))
        values.append(valuesOf(row).filter(QRegularExpression(QStringLiteral("^[^|]"))));
    QCOMPARE(values.size(), order);
    everyMatrixValueSeen(preview, e.animation(), values);
}

void TestWindowLook::loneLineFeedMarked_data() {
    QTest::addColumn<QByteArray>("log");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<QByteArray>("saved");
    const QString mark(QChar(0x21B5));
    QTest::newRow("lone LF inside a line") << QByteArray("1.000  \nx\r\n2.000  \r\n")
                                           << QStringList{"1.000  " + mark + "x", "2.000  ", ""}
                                           << QByteArray("1.000  \r\nx\r\n2.000  \r\n\r\n");
    QTest::newRow("two lone LFs, one at the line's end")
        << QByteArray("a\nb\n\r\n") << QStringList{"a" + mark + "b" + mark, ""}
        << QByteArray("a\r\nb\r\n\r\n\r\n");
    QTest::newRow("no lone LF") << QByteArray("a\r\nb\r\n") << QStringList{"a", "b", ""}
                                << QByteArray("a\r\nb\r\n\r\n");
}

void TestWindowLook::loneLineFeedMarked() {
    QFETCH(QByteArray, log);
    QFETCH(QStringList, shown);
    QFETCH(QByteArray, saved);
    ProgramFixture f;
    writeBytes(QStringLiteral("files/lastans"), log);
    f.click(button(f.main(), "Command4"));
    QCOMPARE(named<QPlainTextEdit>(f.main(), "Text2")->toPlainText().split(u'\n'), shown);
    // "Сохранить" writes the panel's lines, each mark as a line break, and CR LF after the last.
    f.click(button(f.main(), "Command5"));
    QCOMPARE(readBytes(QStringLiteral("files/lastans")), saved);
}

void TestWindowLook::aboutTitleRegularWidth() {
    Form4 form;
    const QFont font = named<QLabel>(form, "Label1")->font();
    QVERIFY(font.stretch() == QFont::AnyStretch || font.stretch() == QFont::Unstretched);
    QCOMPARE(font.pointSizeF(), 18.0);
    QVERIFY(font.bold());
    const int width = QFontMetrics(font).horizontalAdvance(named<QLabel>(form, "Label1")->text());
    QVERIFY2(width <= named<QLabel>(form, "Label1")->width(), qPrintable(QString::number(width)));
}

void TestWindowLook::listEditorScrollBarsLikeAnswerPanel() {
    ProgramFixture f;
    f.click(button(f.main(), "Command4"));
    f.click(button(f.main(), "Command1"));
    f.editor().command3Click();
    Form3& form = *f.program->form3IfExists();
    f.click(button(form, "Command3"));
    QScrollBar* panel = named<QPlainTextEdit>(f.main(), "Text2")->verticalScrollBar();
    QScrollBar* list = named<QPlainTextEdit>(form, "Text1")->verticalScrollBar();
    for (const auto role : {QPalette::Window, QPalette::Button, QPalette::ButtonText,
                            QPalette::WindowText, QPalette::Base})
        QCOMPARE(list->palette().color(role), panel->palette().color(role));
    // The arrow at the top, drawn, is the same picture in both.
    const int side = std::min(list->width(), panel->width());
    QCOMPARE(list->grab(QRect(0, 0, side, side)).toImage(),
             panel->grab(QRect(0, 0, side, side)).toImage());
}

void TestWindowLook::pictureButtonFramedAllRound() {
    ProgramFixture f;
    f.click(button(f.main(), "Command1"));
    QPushButton* picture = button(f.editor(), "Command3");
    QCOMPARE(picture->size(), QSize(41, 32));
    const QImage image = picture->grab().toImage();
    const QColor frame(200, 200, 200);
    // Every pixel of the outermost ring is the frame's colour.
    for (int x = 0; x < image.width(); ++x) {
        QCOMPARE(image.pixelColor(x, 0), frame);
        QCOMPARE(image.pixelColor(x, image.height() - 1), frame);
    }
    for (int y = 0; y < image.height(); ++y) {
        QCOMPARE(image.pixelColor(0, y), frame);
        QCOMPARE(image.pixelColor(image.width() - 1, y), frame);
    }
}

void TestWindowLook::focusedButtonMarked() {
    ProgramFixture f;
    f.main().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&f.main()));
    // A grey button and a black one: the focus changes the frame's line, not the size.
    for (QPushButton* button : {button(f.main(), "Command4"), button(f.main(), "Command1")}) {
        button->clearFocus();
        const QImage plain = button->grab().toImage();
        button->setFocus();
        const QImage focused = button->grab().toImage();
        QCOMPARE(focused.size(), plain.size());
        int changed = 0;
        for (int x = 0; x < plain.width(); ++x)
            changed += plain.pixel(x, 0) != focused.pixel(x, 0);
        QVERIFY2(changed > plain.width() / 4, qPrintable(button->objectName()));
    }
}

void TestWindowLook::focusMarkClearOfText_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("control");
    QTest::addColumn<bool>("text");      // it shows a text the mark must keep clear of
    QTest::addColumn<bool>("backwards"); // reached with Shift+Tab rather than Tab
    const struct {
        const char* window;
        const char* control;
        bool text;
    } controls[] = {{"Form1 negative", "Picture1", true}, {"Form1 answers", "Text2", true},
                    {"Form2", "VScroll1", false},         {"Form3", "Combo2", true},
                    {"Form3 list", "Text1", true},        {"Steps", "Text1", true}};
    for (const auto& [window, control, text] : controls) {
        for (const bool backwards : {false, true})
            QTest::newRow(qPrintable(
                QStringLiteral("%1 %2, %3").arg(window, control, backwards ? "Shift+Tab" : "Tab")))
                << QString(window) << QString(control) << text << backwards;
    }
}

// Reached from the keyboard, the control shows that it has the focus, and the mark keeps clear
// of what it shows: no pixel the mark changes lies on or beside a green (text) pixel of the
// control without the focus.
void TestWindowLook::focusMarkClearOfText() {
    QFETCH(QString, window);
    QFETCH(QString, control);
    QFETCH(bool, text);
    QFETCH(bool, backwards);
    ProgramFixture f;
    QWidget* w = nullptr;
    if (window == u"Form1 negative") {
        f.enter(2, QStringLiteral("1 0 -1.5 0 1 2"));
        f.click(button(f.main(), "Command3"));
        QVERIFY2(f.answer().startsWith(u'-'), qPrintable(f.answer()));
        w = &f.main();
    } else {
        w = openWindow(f, window);
    }
    if (auto* form1 = qobject_cast<Form1*>(w))
        markScene(form1->animation()->scene());
    QWidget* c = w->findChild<QWidget*>(control);
    QVERIFY(c);
    // The blinking text cursor is no part of the mark.
    if (auto* edit = qobject_cast<QPlainTextEdit*>(c))
        edit->setCursorWidth(0);
    if (auto* edit = qobject_cast<QTextEdit*>(c))
        edit->setCursorWidth(0);
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w));
    c->setFocus(Qt::OtherFocusReason);
    auto tab = [w](bool back) {
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus ? focus : w, back ? Qt::Key_Backtab : Qt::Key_Tab,
                        back ? Qt::ShiftModifier : Qt::NoModifier);
    };
    // Away and back by the keys, so that the focus arrives as a keyboard user brings it.
    tab(!backwards);
    if (c->hasFocus()) // the window's only control: Tab stays on it
        c->clearFocus();
    const QImage plain = c->grab().toImage();
    tab(backwards);
    QVERIFY(c->hasFocus());
    const QImage focused = c->grab().toImage();
    QCOMPARE(focused.size(), plain.size());
    auto lit = [&plain](int x, int y) {
        if (x < 0 || y < 0 || x >= plain.width() || y >= plain.height())
            return false;
        const QColor colour = plain.pixelColor(x, y);
        return colour.green() > 0 && colour.red() == 0 && colour.blue() == 0;
    };
    int changed = 0;
    for (int y = 0; y < plain.height(); ++y) {
        for (int x = 0; x < plain.width(); ++x) {
            if (plain.pixel(x, y) == focused.pixel(x, y))
                continue;
            ++changed;
            for (int dy = -1; dy <= 1 && text; ++dy) {
                for (int dx = -1; dx <= 1; ++dx)
                    QVERIFY2(!lit(x + dx, y + dy),
                             qPrintable(QStringLiteral("mark at %1,%2 on the text").arg(x).arg(y)));
            }
        }
    }
    // A dotted frame changes about every other pixel of the outline.
    QVERIFY2(changed >= (plain.width() + plain.height()) / 2, "no focus mark");
}

// Qt's menus and message boxes take the application font: a fixed-pitch one is replaced by a
// proportional sans-serif of the same size, a proportional one is kept as it is.
void TestWindowLook::applicationFont_data() {
    QTest::addColumn<QString>("family");
    QTest::addColumn<bool>("kept");
    QTest::newRow("fixed-pitch") << "Liberation Mono" << false;
    QTest::newRow("proportional") << "Liberation Serif" << true;
}

void TestWindowLook::applicationFont() {
    QFETCH(QString, family);
    QFETCH(bool, kept);
    const QFont before = QApplication::font();
    QFont start(family, 11);
    if (QFontInfo(start).family() != family)
        QSKIP("the font of this row is not installed (fonts-liberation)");
    QApplication::setFont(start);
    ui::proportionalApplicationFont();
    const QFont after = QApplication::font();
    QApplication::setFont(before);
    QVERIFY(!QFontInfo(after).fixedPitch());
    QCOMPARE(after.pointSizeF(), 11.0);
    QCOMPARE(QFontInfo(after).family() == family, kept);
}

QTEST_MAIN(TestWindowLook)
#include "test_window_look.moc"
