// The characters beyond the Latin and Russian letters that the program draws, each in the font of
// the control or page that draws it: the face Qt lays the character out with, the control's own
// or the fallback it takes, must hold a glyph for it, or the character shows as an empty box.
#include "tests/common/program_fixture.h"
#include "windows/about/form4.h"
#include "windows/main/steps_window.h"
#include "windows/shared/ui_kit.h"

#include <QApplication>
#include <QGlyphRun>
#include <QMenu>
#include <QRawFont>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTextLayout>
#include <QtTest>
#include <utility>

namespace {

// The fonts a text is drawn in: the fragments of a document that hold the mark, each in its own
// format over the document's default font.
QList<QFont> fragmentFonts(const QTextDocument& document, const QString& mark) {
    QList<QFont> fonts;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            if (it.fragment().text().contains(mark))
                fonts.append(it.fragment().charFormat().font().resolve(document.defaultFont()));
    return fonts;
}

// Empty when every glyph run of the mark laid out in the font comes from a face that has it;
// otherwise which face draws it without a glyph.
QString missingFace(const QString& mark, const QFont& font) {
    QTextLayout layout(mark, font);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    const QList<QGlyphRun> runs = layout.glyphRuns();
    if (runs.isEmpty())
        return QStringLiteral("no glyphs laid out");
    for (const QGlyphRun& run : runs) {
        const QRawFont face = run.rawFont();
        if (!face.supportsCharacter(mark.front()) || run.glyphIndexes().contains(0))
            return QStringLiteral("drawn from %1 (%2), which has no glyph for it")
                .arg(face.familyName(), font.families().join(u','));
    }
    return QString();
}

} // namespace

class TestDrawnMarks : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { ui::proportionalApplicationFont(); }
    void markHasAFace_data();
    void markHasAFace();
};

void TestDrawnMarks::markHasAFace_data() {
    QTest::addColumn<QString>("mark");
    QTest::addColumn<QString>("where");
    const std::pair<const char*, const char*> drawn[] = {
        {"answer line", "◂▸∞"},   {"log panel", "↵"},      {"steps window", "₀κ∞·×–—«»"},
        {"steps warning", "₀·—"}, {"steps page", "₀·×–—"}, {"menu", "…"},
        {"message box", "«»—…"},  {"about window", "©"}};
    for (const auto& [where, marks] : drawn)
        for (const QChar mark : QString::fromUtf8(marks))
            QTest::addRow("%s %s", qPrintable(QString(mark)), where) << QString(mark) << where;
}

void TestDrawnMarks::markHasAFace() {
    QFETCH(QString, mark);
    QFETCH(QString, where);
    ProgramFixture f;
    // A system of rank 1: its steps show elimination and a general solution x = x₀ + t·v.
    f.enter(2, QStringLiteral("1 2 3 2 4 6"));
    f.click(button(f.main(), "Command3"));
    action(f.main(), "steps")->trigger();
    StepsWindow* steps = f.main().stepsWindow();
    QVERIFY(steps);
    auto* text1 = named<QTextBrowser>(steps, "Text1");
    QList<QFont> fonts;
    if (where == QLatin1String("answer line")) {
        fonts.append(named<AnswerArea>(f.main(), "Picture1")->font());
    } else if (where == QLatin1String("log panel")) {
        fonts.append(named<QPlainTextEdit>(f.main(), "Text2")->font());
    } else if (where == QLatin1String("steps window")) {
        fonts.append(text1->document()->defaultFont());
    } else if (where == QLatin1String("steps warning")) {
        QFont bold = text1->document()->defaultFont();
        bold.setBold(true);
        fonts.append(bold);
    } else if (where == QLatin1String("steps page")) {
        // The HTML page "Сохранить…" writes and "Печать…" lays out, in the faces its style names.
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("steps.htm"));
        QVERIFY(steps->saveTo(path));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QTextDocument page;
        page.setHtml(QString::fromUtf8(file.readAll()));
        fonts = fragmentFonts(page, mark);
        QVERIFY2(!fonts.isEmpty(),
                 qPrintable(QStringLiteral("the page does not show it: ") + page.toPlainText()));
    } else if (where == QLatin1String("menu")) {
        fonts.append(named<QMenu>(f.main(), "mass")->font());
    } else if (where == QLatin1String("message box")) {
        fonts.append(QApplication::font("QMessageBox"));
    } else {
        Form4 about;
        fonts.append(named<QLabel>(about, "Label5")->font());
    }
    for (const QFont& font : fonts) {
        const QString missing = missingFace(mark, font);
        QVERIFY2(missing.isEmpty(),
                 qPrintable(mark + u' ' + where + QStringLiteral(": ") + missing));
    }
}

QTEST_MAIN(TestDrawnMarks)
#include "test_drawn_marks.moc"
