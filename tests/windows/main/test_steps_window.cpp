// The steps window: where it is found (the answer area's and Label1's context menus, F9), when
// it can be opened, its full text for the two worked systems, and over random systems through
// the real windows that its last matrix is the one Label1 was given.
#include "program_fixture.h"
#include "steps_blocks.h"

#include "core/steps_text.h"
#include "windows/main/steps_window.h"
#include "windows/shared/ui_kit.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPrinter>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTimer>
#include <random>

namespace {

QString rowExchangeText() {
    return QStringLiteral(
        "Система, как она решалась (в последнем столбце правые части):\n"
        "0,000  2,000  |  4,000\n"
        "1,000  1,000  |  3,000\n"
        "\n"
        "Шаг 1: столбец 1, строки 1–2.\n"
        "Ведущий элемент 1,000 в строке 2: наибольший по модулю в столбце 1.\n"
        "Строки 1 и 2 переставлены.\n"
        "Строка 2: множитель 0,000 / 1,000 = 0 точно; строка не меняется.\n"
        "Матрица после шага 1:\n"
        "1,000  1,000  |  3,000\n"
        "0,000  2,000  |  4,000\n"
        "\n"
        "Последний диагональный элемент 2,000 не равен нулю: исключение закончено.\n"
        "\n"
        "Обратная подстановка:\n"
        "x2 = 4,000 / 2,000 = 2,000\n"
        "x1 = (3,000 - 1,000·2,000) / 1,000 = 1,000\n"
        "\n"
        "Решение: 1,000  2,000  \n"
        "\n"
        "Проверка по системе, как она решалась:\n"
        "Наибольшая невязка |b - A·x|: 0\n"
        "Число обусловленности κ∞: 3,00E+00\n"
        "\n"
        "Точный ответ (числа взяты точно, как они записаны):\n"
        "x1 = 1\n"
        "x2 = 2\n"
        "Определитель матрицы коэффициентов: -2\n");
}

// The residual and the condition number of this system are checked by their form only.
QString firstRandomSystemText() {
    return QStringLiteral(
        "Система, как она решалась (в последнем столбце правые части):\n"
        "7,000  5,000  5,000  2,000  |  3,000\n"
        "7,000  0,000  7,000  8,000  |  7,000\n"
        "0,000  4,000  8,000  7,000  |  3,000\n"
        "9,000  8,000  0,000  9,000  |  3,000\n"
        "\n"
        "Шаг 1: столбец 1, строки 1–4.\n"
        "Ведущий элемент 9,000 в строке 4: наибольший по модулю в столбце 1.\n"
        "Строки 1 и 4 переставлены.\n"
        "Строка 2: множитель 7,000 / 9,000 = 0,778; строка 2 - 0,778 × строка 1.\n"
        "Строка 3: множитель 0,000 / 9,000 = 0 точно; строка не меняется.\n"
        "Строка 4: множитель 7,000 / 9,000 = 0,778; строка 4 - 0,778 × строка 1.\n"
        "Матрица после шага 1:\n"
        "9,000   8,000  0,000   9,000  |  3,000\n"
        "0,000  -6,222  7,000   1,000  |  4,667\n"
        "0,000   4,000  8,000   7,000  |  3,000\n"
        "0,000  -1,222  5,000  -5,000  |  0,667\n"
        "\n"
        "Шаг 2: столбец 2, строки 2–4.\n"
        "Ведущий элемент -6,222 в строке 2: наибольший по модулю в столбце 2.\n"
        "Перестановка строк не нужна.\n"
        "Строка 3: множитель 4,000 / (-6,222) = -0,643; строка 3 - (-0,643) × строка 2.\n"
        "Строка 4: множитель (-1,222) / (-6,222) = 0,196; строка 4 - 0,196 × строка 2.\n"
        "Матрица после шага 2:\n"
        "9,000   8,000   0,000   9,000  |   3,000\n"
        "0,000  -6,222   7,000   1,000  |   4,667\n"
        "0,000   0,000  12,500   7,643  |   6,000\n"
        "0,000   0,000   3,625  -5,196  |  -0,250\n"
        "\n"
        "Шаг 3: столбец 3, строки 3–4.\n"
        "Ведущий элемент 12,500 в строке 3: наибольший по модулю в столбце 3.\n"
        "Перестановка строк не нужна.\n"
        "Строка 4: множитель 3,625 / 12,500 = 0,290; строка 4 - 0,290 × строка 3.\n"
        "Матрица после шага 3:\n"
        "9,000   8,000   0,000   9,000  |   3,000\n"
        "0,000  -6,222   7,000   1,000  |   4,667\n"
        "0,000   0,000  12,500   7,643  |   6,000\n"
        "0,000   0,000   0,000  -7,413  |  -1,990\n"
        "\n"
        "Последний диагональный элемент -7,413 не равен нулю: исключение закончено.\n"
        "\n"
        "Обратная подстановка:\n"
        "x4 = (-1,990) / (-7,413) = 0,268\n"
        "x3 = (6,000 - 7,643·0,268) / 12,500 = 0,316\n"
        "x2 = (4,667 - 7,000·0,316 - 1,000·0,268) / (-6,222) = -0,352\n"
        "x1 = (3,000 - 8,000·(-0,352) - 0,000·0,316 - 9,000·0,268) / 9,000 = 0,377\n"
        "\n"
        "Решение: 0,377  -0,352  0,316  0,268  \n"
        "\n"
        "Проверка по системе, как она решалась:\n"
        "Наибольшая невязка |b - A·x|: <residual>\n"
        "Число обусловленности κ∞: <kappa>\n"
        "\n"
        "Точный ответ (числа взяты точно, как они записаны):\n"
        "x1 = 1958/5189\n"
        "x2 = -1824/5189\n"
        "x3 = 1639/5189\n"
        "x4 = 1393/5189\n"
        "Определитель матрицы коэффициентов: -5189\n");
}

QString openedText(ProgramFixture& f) {
    action(f.main(), "steps")->trigger();
    StepsWindow* w = f.main().stepsWindow();
    return w && w->isVisible() ? w->text() : QStringLiteral("<not open>");
}

} // namespace

class TestStepsWindow : public QObject {
    Q_OBJECT
  private slots:
    void disabledBeforeAnySolve();
    void workedSystems_data();
    void workedSystems();
    void contextMenusOfferSteps_data();
    void contextMenusOfferSteps();
    void shortcutOpensWindow();
    void followsTheLastSolve();
    void solvedAgainAfterElimination();
    void randomSystemsThroughTheWindows();
    void warningsInColour_data();
    void warningsInColour();
    void document_data();
    void document();
    void printsToPdf();
    void keys_data();
    void keys();
    void choicesRemembered();
};

void TestStepsWindow::disabledBeforeAnySolve() {
    ProgramFixture f;
    QVERIFY(!action(f.main(), "steps")->isEnabled());
    f.main().stepsClick();
    QVERIFY(!f.main().stepsWindow());
    f.enter(2, QStringLiteral("1 2 3 2 4 6"));
    f.click(button(f.main(), "Command3"));
    QCOMPARE(f.answer(), QStringLiteral("Одного решения нет"));
    QVERIFY(action(f.main(), "steps")->isEnabled());
    QVERIFY(openedText(f).contains(QStringLiteral("Последний диагональный элемент равен нулю: "
                                                  "одного решения нет.")));
}

void TestStepsWindow::workedSystems_data() {
    QTest::addColumn<int>("order");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("expected");
    QTest::newRow("row exchange") << 2 << "0 2 4 1 1 3" << rowExchangeText();
    QTest::newRow("first random system")
        << 4 << "7 5 5 2 3 7 0 7 8 7 0 4 8 7 3 9 8 0 9 3 " << firstRandomSystemText();
}

void TestStepsWindow::workedSystems() {
    QFETCH(int, order);
    QFETCH(QString, entry);
    QFETCH(QString, expected);
    ProgramFixture f(u',');
    f.enter(order, entry);
    f.click(button(f.main(), "Command3"));
    QString text = openedText(f);
    const QRegularExpression residual(
        QStringLiteral("(невязка \\|b - A·x\\|: )\\d,\\d\\dE-1\\d\n"));
    const QRegularExpression kappa(QStringLiteral("(κ∞: )[1-9],\\d\\dE\\+00\n"));
    if (expected.contains(QStringLiteral("<residual>"))) {
        text.replace(residual, QStringLiteral("\\1<residual>\n"));
        text.replace(kappa, QStringLiteral("\\1<kappa>\n"));
    }
    // The program's own steps are the page of the first method, the default.
    QVERIFY2(text.contains(expected), qPrintable(text));
    QCOMPARE(lastMatrixBlock(text, order), f.main().label1Caption());
    QCOMPARE(ui::screenText(f.main().label1Caption()),
             named<MatrixLabel>(f.main(), "Label1")->matrixText());
    const StepsWindow* w = f.main().stepsWindow();
    QCOMPARE(w->windowTitle(), QStringLiteral("Решение по шагам"));
    QVERIFY(named<QTextBrowser>(w, "Text1")->isReadOnly());
    QVERIFY(named<QTextBrowser>(w, "Text1")->textInteractionFlags() & Qt::TextSelectableByMouse);
    QVERIFY(w->minimumSize() != w->maximumSize());
}

// The items of the context menu a right click on the widget opens, and whether "Решение по
// шагам…" in it is enabled; the menu is closed again.
QStringList menuItems(QWidget* widget, QAction* steps, bool& stepsEnabled) {
    QStringList items;
    QTimer::singleShot(0, widget, [&] {
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            for (QAction* a : menu->actions())
                items.append(a->text().remove(u'&')); // the words, without the access-key mark
            stepsEnabled = menu->actions().contains(steps) && steps->isEnabled();
            menu->close();
        }
    });
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5),
                            widget->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(widget, &event);
    return items;
}

void TestStepsWindow::contextMenusOfferSteps_data() {
    QTest::addColumn<bool>("onLabel1");
    QTest::newRow("answer area") << false;
    QTest::newRow("Label1") << true;
}

void TestStepsWindow::contextMenusOfferSteps() {
    QFETCH(bool, onLabel1);
    ProgramFixture f;
    QWidget* widget = onLabel1 ? static_cast<QWidget*>(named<MatrixLabel>(f.main(), "Label1"))
                               : named<AnswerArea>(f.main(), "Picture1");
    bool enabled = true;
    const QStringList both{QStringLiteral("Копировать"), QStringLiteral("Решение по шагам…")};
    QCOMPARE(menuItems(widget, action(f.main(), "steps"), enabled), both);
    QVERIFY(!enabled);
    f.enter(2, QStringLiteral("0 2 4 1 1 3"));
    f.click(button(f.main(), "Command3"));
    QCOMPARE(menuItems(widget, action(f.main(), "steps"), enabled), both);
    QVERIFY(enabled);
}

void TestStepsWindow::shortcutOpensWindow() {
    ProgramFixture f;
    f.enter(2, QStringLiteral("0 2 4 1 1 3"));
    f.click(button(f.main(), "Command3"));
    QCOMPARE(action(f.main(), "steps")->shortcut(), QKeySequence(Qt::Key_F9));
    f.main().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&f.main()));
    QTest::keyClick(&f.main(), Qt::Key_F9);
    QVERIFY(f.main().stepsWindow() && f.main().stepsWindow()->isVisible());
    // Esc in its text closes it again; F9 shows it anew.
    QVERIFY(QTest::qWaitForWindowActive(f.main().stepsWindow()));
    named<QTextBrowser>(f.main().stepsWindow(), "Text1")->setFocus();
    QTest::keyClick(named<QTextBrowser>(f.main().stepsWindow(), "Text1"), Qt::Key_Escape);
    QVERIFY(!f.main().stepsWindow()->isVisible());
    QTest::keyClick(&f.main(), Qt::Key_F9);
    QVERIFY(f.main().stepsWindow()->isVisible());
}

void TestStepsWindow::followsTheLastSolve() {
    ProgramFixture f;
    f.enter(2, QStringLiteral("0 2 4 1 1 3"));
    f.click(button(f.main(), "Command3"));
    QVERIFY(openedText(f).contains(QStringLiteral("Решение: 1.000  2.000  \n")));
    // A new solve while the window is open shows there at once.
    f.enter(2, QStringLiteral("1 1 2 -1 1 0"));
    f.click(button(f.main(), "Command3"));
    QVERIFY(f.main().stepsWindow()->text().contains(
        QStringLiteral("наибольший по модулю в столбце 1 (из равных по модулю взят верхний)")));
    QVERIFY(
        f.main().stepsWindow()->text().contains(QStringLiteral("Перестановка строк не нужна.")));
}

void TestStepsWindow::solvedAgainAfterElimination() {
    // The menu item solves the eliminated matrix again: it no longer reads as the entry text,
    // so the exact part works on its doubles and says so.
    ProgramFixture f;
    f.enter(2, QStringLiteral("0 2 4 1 1 3"));
    f.click(button(f.main(), "Command3"));
    action(f.main(), "ans")->trigger();
    const QString text = openedText(f);
    QVERIFY(
        text.contains(QStringLiteral("Система, как она решалась (в последнем столбце правые "
                                     "части):\n1.000  1.000  |  3.000\n0.000  2.000  |  4.000")));
    QVERIFY(text.contains(QStringLiteral("по двоичным значениям чисел матрицы")));
    QVERIFY(text.contains(QStringLiteral("x1 = 1\nx2 = 2\n")));
}

void TestStepsWindow::randomSystemsThroughTheWindows() {
    ProgramFixture f(u',');
    std::mt19937 random(99);
    std::uniform_int_distribution<int> digit(-9, 9);
    for (int t = 0; t < 1000; ++t) {
        const int n = std::uniform_int_distribution<int>(2, 10)(random);
        QStringList tokens;
        for (int k = 0; k < n * (n + 1); ++k)
            tokens.append(t % 3 == 0 ? QString::number(digit(random))
                                     : QString::number(digit(random) * 0.125 + digit(random)));
        f.enter(n, tokens.join(u' '));
        f.click(button(f.main(), "Command3"));
        const QString text = openedText(f);
        QCOMPARE(lastMatrixBlock(text, n), f.main().label1Caption());
        QVERIFY(text.contains(QStringLiteral("Решение: ") + f.answer() + u'\n'));
        QVERIFY(text.contains(QStringLiteral("Точный ответ (числа взяты точно")));
    }
}

void TestStepsWindow::warningsInColour_data() {
    QTest::addColumn<int>("order");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QStringList>("warnings"); // the beginnings of the lines shown in yellow
    QTest::newRow("well conditioned") << 2 << "2 1 3 1 3 5" << QStringList{};
    QTest::newRow("exactly singular, unique in doubles")
        << 3 << "-9 8 -9 6 3 -3 4 8 -6 5 -5 -2"
        << QStringList{"Записанная система не имеет единственного решения (ранг 2 из 3)",
                       "Внимание: единственное решение выше получено только из-за ошибок"};
    QTest::newRow("beyond the double range as written")
        << 2 << "1e400 0 2e400 0 1 1"
        << QStringList{"Внимание: система в числах двойной точности отличается от записанной",
                       "Система плохо обусловлена"};
    QTest::newRow("unique only in exact arithmetic")
        << 2 << "1 0.1 1 1 0.10000000000000000001 2"
        << QStringList{"Внимание: в точной арифметике решение единственное"};
}

void TestStepsWindow::warningsInColour() {
    QFETCH(int, order);
    QFETCH(QString, entry);
    QFETCH(QStringList, warnings);
    ProgramFixture f(u',');
    f.enter(order, entry);
    f.click(button(f.main(), "Command3"));
    QVERIFY(openedText(f) != QStringLiteral("<not open>"));
    const auto* text = named<QTextBrowser>(*f.main().stepsWindow(), "Text1");
    QStringList yellow; // the paragraphs of the page shown in the warnings' colour
    for (QTextBlock b = text->document()->begin(); b.isValid(); b = b.next())
        if (!b.text().isEmpty() &&
            b.begin().fragment().charFormat().foreground().color() == QColor(255, 255, 0))
            yellow.append(b.text());
    QVERIFY2(yellow.size() == warnings.size(), qPrintable(yellow.join(u'\n')));
    for (qsizetype i = 0; i < warnings.size(); ++i)
        QVERIFY2(yellow[i].startsWith(warnings[i]), qPrintable(yellow[i]));
}

void TestStepsWindow::document_data() {
    QTest::addColumn<int>("order");
    QTest::addColumn<QString>("entry");
    // The system, one after every pass, and the reduced form of a system of lower rank.
    QTest::addColumn<int>("matrices");
    QTest::newRow("unique") << 4 << "7 5 5 2 3 7 0 7 8 7 0 4 8 7 3 9 8 0 9 3 " << 4;
    QTest::newRow("rank 2") << 4 << "1 2 3 4 10 2 4 6 8 20 1 1 1 1 4 3 3 3 3 12" << 4;
    QTest::newRow("tiny pivot") << 2 << "1 1 2 1 1.0001 2.0001" << 2;
}

void TestStepsWindow::document() {
    QFETCH(int, order);
    QFETCH(QString, entry);
    QFETCH(int, matrices);
    ProgramFixture f(u',');
    f.enter(order, entry);
    f.click(button(f.main(), "Command3"));
    const QString text = openedText(f);
    StepsWindow* w = f.main().stepsWindow();
    w->copyLatex();
    const QString latex = QApplication::clipboard()->text();
    QVERIFY(latex.startsWith(QStringLiteral("\\documentclass[a4paper]{article}")));
    QVERIFY(latex.endsWith(QStringLiteral("\\end{document}\n")));
    QCOMPARE(latex.count(QStringLiteral("\\begin{array}{") + QString(order, u'r') +
                         QStringLiteral("|r}")),
             matrices);
    QCOMPARE(latex.count(QStringLiteral("\\begin{")), latex.count(QStringLiteral("\\end{")));
    QCOMPARE(latex.count(QStringLiteral("\\left(")), latex.count(QStringLiteral("\\right)")));
    // No decimal comma left unbraced in a matrix's number.
    static const QRegularExpression array(
        QStringLiteral("\\\\begin\\{array\\}.*?\\\\end\\{array\\}"),
        QRegularExpression::DotMatchesEverythingOption);
    for (const QRegularExpressionMatch& m : array.globalMatch(latex))
        QVERIFY2(!m.captured().contains(QRegularExpression(QStringLiteral("[0-9],[0-9]"))),
                 qPrintable(m.captured()));

    QTemporaryDir folder;
    const QString plain = folder.filePath(QStringLiteral("steps.txt"));
    const QString page = folder.filePath(QStringLiteral("steps.htm"));
    QVERIFY(w->saveTo(plain) && w->saveTo(page));
    QFile p(plain), h(page);
    QVERIFY(p.open(QIODevice::ReadOnly) && h.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(p.readAll()), text);
    const QString html = QString::fromUtf8(h.readAll());
    QVERIFY(html.startsWith(QStringLiteral("<!DOCTYPE html>")));
    QCOMPARE(html.count(QStringLiteral("<table")), html.count(QStringLiteral("</table>")));
    QCOMPARE(html.count(QStringLiteral("<tr>")), qsizetype(order) * matrices);
    QVERIFY(html.contains(QStringLiteral("Решение по шагам")));
    const FileStatus failed =
        w->saveTo(folder.filePath(QStringLiteral("no/such/folder/steps.txt")));
    QVERIFY(!failed);
    QVERIFY(failed.message().contains(QStringLiteral("steps.txt")));
}

// "Печать…" without its dialog: the steps printed into a PDF file, every page of them (a long
// solve needs more pages than a short one).
void TestStepsWindow::printsToPdf() {
    std::mt19937 random(19);
    std::uniform_int_distribution<int> digit(-9, 9);
    QString order10;
    for (int i = 0; i < 10 * 11; ++i)
        order10 += QString::number(digit(random)) + u' ';
    const QString entries[] = {QStringLiteral("0 2 4 1 1 3"), order10};
    const int orders[] = {2, 10};
    QTemporaryDir folder;
    qsizetype pages[2] = {};
    for (int k = 0; k < 2; ++k) {
        ProgramFixture f(u',');
        f.enter(orders[k], entries[k]);
        f.click(button(f.main(), "Command3"));
        QVERIFY(openedText(f).contains(QStringLiteral("Точный ответ")));
        const QString path = folder.filePath(QStringLiteral("steps%1.pdf").arg(k));
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        f.main().stepsWindow()->printTo(printer);
        QFile pdf(path);
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        const QByteArray bytes = pdf.readAll();
        QVERIFY(bytes.startsWith("%PDF-"));
        static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?!s)"));
        pages[k] = QString::fromLatin1(bytes).count(page);
        QVERIFY(pages[k] > 0);
    }
    QVERIFY2(pages[1] > pages[0],
             qPrintable(QStringLiteral("%1 and %2 pages").arg(pages[0]).arg(pages[1])));
}

// The state the keys of a row are to leave, read back as a text.
QString observed(ProgramFixture& f, const QString& what) {
    StepsWindow* w = f.main().stepsWindow();
    const auto* text = named<QTextBrowser>(w, "Text1");
    if (what == u"asked")
        return f.platform.asked.join(u'|');
    if (what == u"visible")
        return w->isVisible() ? QStringLiteral("shown") : QStringLiteral("hidden");
    if (what == u"focus")
        return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
    if (what == u"clipboard")
        return QApplication::clipboard()->text();
    if (what == u"copied formats")
        return QApplication::clipboard()->mimeData()->hasHtml() ? QStringLiteral("rich")
                                                                : QStringLiteral("plain");
    if (what == u"selected")
        return text->textCursor().selectionStart() == 0 &&
                       text->textCursor().selectionEnd() == text->document()->characterCount() - 1
                   ? QStringLiteral("all")
                   : QStringLiteral("part");
    if (what == u"form")
        return w->form() == steps::NumberForm::Decimals ? QStringLiteral("decimals")
                                                        : QStringLiteral("fractions");
    if (what == u"menu") {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        const QString shown = menu && menu->activeAction()
                                  ? menu->objectName() + u'/' + menu->activeAction()->objectName()
                                  : QStringLiteral("no menu");
        if (menu)
            menu->close();
        return shown;
    }
    return QStringLiteral("unknown state ") + what;
}

void TestStepsWindow::keys_data() {
    QTest::addColumn<QString>("keys"); // QKeySequence's text: up to four keys, one after another
    QTest::addColumn<QString>("what");
    QTest::addColumn<QString>("expected"); // a part of what is read back
    QTest::newRow("Ctrl+S asks for a file") << "Ctrl+S"
                                            << "asked"
                                            << "Сохранить решение по шагам";
    QTest::newRow("Ctrl+P asks for a printer") << "Ctrl+P"
                                               << "asked"
                                               << "Печать решения по шагам";
    QTest::newRow("Esc hides") << "Esc"
                               << "visible"
                               << "hidden";
    QTest::newRow("Ctrl+A selects all") << "Ctrl+A"
                                        << "selected"
                                        << "all";
    QTest::newRow("Ctrl+C copies the selection") << "Ctrl+A, Ctrl+C"
                                                 << "clipboard"
                                                 << "Система, как она решалась";
    QTest::newRow("Ctrl+C copies a matrix row as cells") << "Ctrl+A, Ctrl+C"
                                                         << "clipboard"
                                                         << "\n2,000\t1,000\t-1,000\t│\t8,000\n";
    QTest::newRow("Ctrl+C copies plain text") << "Ctrl+A, Ctrl+C"
                                              << "copied formats"
                                              << "plain";
    QTest::newRow("Alt+М focuses the method") << "Alt+М"
                                              << "focus"
                                              << "Combo1";
    QTest::newRow("Alt+С chooses decimals") << "Alt+С"
                                            << "form"
                                            << "decimals";
    QTest::newRow("Alt with the Latin key of М") << "Alt+V"
                                                 << "focus"
                                                 << "Combo1";
    QTest::newRow("Alt with the Latin key of С") << "Alt+C"
                                                 << "form"
                                                 << "decimals";
    QTest::newRow("Tab from the method to the switch") << "Alt+М, Tab"
                                                       << "focus"
                                                       << "Option1";
    QTest::newRow("F10 opens «Файл»") << "F10"
                                      << "menu"
                                      << "file/save";
    QTest::newRow("Alt+П opens «Правка»") << "Alt+П"
                                          << "menu"
                                          << "edit/copy";
    QTest::newRow("Alt with the Latin key of П") << "Alt+G"
                                                 << "menu"
                                                 << "edit/copy";
    QTest::newRow("«Правка», «Копировать как LaTeX»") << "Alt+П, а"
                                                      << "clipboard"
                                                      << "\\documentclass[a4paper]{article}";
    QTest::newRow("«Файл», «Закрыть»") << "Alt+Ф, З"
                                       << "visible"
                                       << "hidden";
    QTest::newRow("«Файл», «Сохранить…»") << "Alt+Ф, С"
                                          << "asked"
                                          << "Сохранить решение по шагам";
}

void TestStepsWindow::keys() {
    QFETCH(QString, keys);
    QFETCH(QString, what);
    QFETCH(QString, expected);
    ProgramFixture f(u',');
    f.enter(3, QStringLiteral("2 1 -1 8 -3 -1 2 -11 -2 1 2 -3"));
    f.click(button(f.main(), "Command3"));
    QApplication::clipboard()->clear();
    action(f.main(), "steps")->trigger();
    StepsWindow* w = f.main().stepsWindow();
    QVERIFY(QTest::qWaitForWindowActive(w));
    named<QTextBrowser>(w, "Text1")->setFocus();
    const QKeySequence sequence(keys);
    for (int k = 0; k < sequence.count(); ++k) {
        const QKeyCombination key = sequence[k];
        QWidget* to = QApplication::activePopupWidget();
        if (!to)
            to = QApplication::focusWidget() ? QApplication::focusWidget() : w;
        // A letter's key carries the letter as its text, as a keyboard sends it.
        const QString letter =
            QChar(key.key()).isLetter() ? QString(QChar(key.key()).toLower()) : QString();
        QTest::sendKeyEvent(QTest::Click, to, key.key(), letter, key.keyboardModifiers());
    }
    // A button's access key clicks it a moment later, as a click of the mouse shows.
    QTest::qWait(250);
    const QString state = observed(f, what);
    QVERIFY2(state.contains(expected), qPrintable(state));
}

void TestStepsWindow::choicesRemembered() {
    ProgramFixture f(u',');
    f.enter(2, QStringLiteral("0 2 4 1 1 3"));
    f.click(button(f.main(), "Command3"));
    action(f.main(), "steps")->trigger();
    StepsWindow* w = f.main().stepsWindow();
    QCOMPARE(w->method(), steps::Method::AsSolved);
    QCOMPARE(w->form(), steps::NumberForm::Fractions);
    // The window opens with the page to read: its arrows scroll the page, not the methods.
    QVERIFY(QTest::qWaitForWindowActive(w));
    QCOMPARE(QApplication::focusWidget(), named<QTextBrowser>(w, "Text1"));
    // Each page shown replaces the one before: the documents do not pile up.
    const qsizetype documents = w->findChildren<QTextDocument*>().size();
    named<QComboBox>(w, "Combo1")->setCurrentIndex(3);
    named<QRadioButton>(w, "Option2")->setChecked(true);
    QCOMPARE(w->findChildren<QTextDocument*>().size(), documents);
    const QString chosen = w->text();
    named<QComboBox>(w, "Combo1")->setFocus();
    w->close();
    action(f.main(), "steps")->trigger();
    QCOMPARE(f.main().stepsWindow(), w);
    QVERIFY(QTest::qWaitForWindowActive(w));
    QCOMPARE(QApplication::focusWidget(), named<QTextBrowser>(w, "Text1"));
    QCOMPARE(w->method(), steps::methods[3]);
    QCOMPARE(w->form(), steps::NumberForm::Decimals);
    QCOMPARE(w->text(), chosen);
    // A new solve keeps the choice and shows its page.
    f.enter(2, QStringLiteral("1 1 2 -1 1 0"));
    f.click(button(f.main(), "Command3"));
    QCOMPARE(named<QComboBox>(w, "Combo1")->currentText(), steps::methodName(steps::methods[3]));
    QCOMPARE(w->form(), steps::NumberForm::Decimals);
    QVERIFY(w->text() != chosen);
}

QTEST_MAIN(TestStepsWindow)
#include "test_steps_window.moc"
