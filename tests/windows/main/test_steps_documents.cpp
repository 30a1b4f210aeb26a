// The steps' documents of a page with every kind of line: the HTML page is well-formed XML with
// a table per matrix block and its marks, the LaTeX document compiles with pdflatex without an
// overfull line for order 3 and order 10 with long fractions, the printed page keeps every
// table on one sheet with the line that introduces it, and on the screen every matrix's
// columns line up.
#include "core/steps_document.h"
#include "windows/main/steps_view.h"
#include "windows/main/steps_window.h"

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextLayout>
#include <QTextTable>
#include <QXmlStreamReader>
#include <QtTest>

namespace {

// A number of the form the pages write: long fractions, decimals with a comma, exponents.
QString cell(int order, int i, int j) {
    const qint64 numerator = (i + 1) * 7919LL * (j + 3) * (order > 5 ? 1000003LL : 1);
    switch ((i + j) % 4) {
    case 0:
        return QStringLiteral("-%1/%2").arg(numerator).arg(97 * (i + 2) * (order > 5 ? 100003 : 1));
    case 1:
        return QString::number(numerator % 1000) + QStringLiteral(",125");
    case 2:
        return QStringLiteral("1,00E-04");
    default:
        return QString::number(numerator);
    }
}

// Every kind of line, the signs the pages use, and LaTeX's special characters in a text.
steps::Page samplePage(int order, int blocks) {
    steps::Page page;
    page.heading(QStringLiteral("Метод Гаусса: прямой ход"));
    page.text(QStringLiteral("Проверка: |b − A·x| ≈ 0, κ∞ ≠ ∞; x₁₀ = Δ₁/Δ, A⁻¹ × b — «ответ» "
                             "50% {a} & $b_1 # ~ ^ \\ < > – …\n\n"));
    page.warning(QStringLiteral("Внимание: система плохо обусловлена\n"));
    page.error(QStringLiteral("Ошибка: проверка A·x = b не сошлась\n"));
    for (int b = 0; b < blocks; ++b) {
        page.heading(QStringLiteral("Шаг %1").arg(b + 1));
        std::vector<QStringList> rows;
        QStringList notes;
        for (int i = 0; i < order; ++i) {
            QStringList row;
            for (int j = 0; j <= order; ++j)
                row.append(cell(order, i + b, j));
            rows.push_back(row);
            notes.append(i == 0 ? QString() : QStringLiteral("стр. %1 − 3/2 · стр. 1").arg(i + 1));
        }
        page.matrix(rows, {.bar = -1,
                           .pivotRow = 0,
                           .pivotColumn = b % order,
                           .notes = notes,
                           .determinant = false});
        page.text(QStringLiteral("Определитель:\n"));
        std::vector<QStringList> square(rows.begin(), rows.end());
        for (QStringList& row : square)
            row.removeLast();
        page.matrix(
            square,
            {.bar = 0, .pivotRow = -1, .pivotColumn = -1, .notes = {}, .determinant = true});
    }
    return page;
}

} // namespace

class TestStepsDocuments : public QObject {
    Q_OBJECT
  private slots:
    void documents_data();
    void documents();
    void printedTablesStayWhole();
    void screenColumnsAlign_data() { documents_data(); }
    void screenColumnsAlign();
};

void TestStepsDocuments::documents_data() {
    QTest::addColumn<int>("order");
    QTest::addColumn<int>("blocks");
    QTest::newRow("order 3") << 3 << 2;
    QTest::newRow("order 10, long fractions") << 10 << 3;
}

void TestStepsDocuments::documents() {
    QFETCH(int, order);
    QFETCH(int, blocks);
    const steps::Page page = samplePage(order, blocks);

    // The HTML page: well-formed, a table per block, a framed pivot, a bar, a note per row, and
    // each line that introduces a table kept with it.
    QXmlStreamReader xml(steps::htmlPage(page));
    int tables = 0, pivots = 0, bars = 0, notes = 0, warnings = 0, errors = 0, captions = 0;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QStringList classes =
            xml.attributes().value(QStringLiteral("class")).toString().split(u' ');
        tables += xml.name() == u"table";
        pivots += xml.name() == u"td" && classes.contains(QStringLiteral("p"));
        bars += xml.name() == u"td" && classes.contains(QStringLiteral("bar"));
        notes += xml.name() == u"td" && classes.contains(QStringLiteral("n"));
        warnings += xml.name() == u"p" && classes.contains(QStringLiteral("w"));
        errors += xml.name() == u"p" && classes.contains(QStringLiteral("e"));
        captions += xml.name() == u"p" && classes.contains(QStringLiteral("c"));
    }
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    QCOMPARE(tables, 2 * blocks);
    QCOMPARE(pivots, blocks);
    QCOMPARE(bars, order * blocks); // the determinants have none
    QCOMPARE(notes, order * blocks);
    QCOMPARE(warnings, 1);
    QCOMPARE(errors, 1);
    QCOMPARE(captions, blocks); // «Определитель:», kept with its table

    // The LaTeX document: it compiles, and no line (no matrix) runs over the margin.
    const QString pdflatex = QStandardPaths::findExecutable(QStringLiteral("pdflatex"));
    if (pdflatex.isEmpty())
        QSKIP("pdflatex is not installed (texlive-latex-base, texlive-lang-cyrillic)");
    QTemporaryDir folder;
    QFile tex(folder.filePath(QStringLiteral("steps.tex")));
    QVERIFY(tex.open(QIODevice::WriteOnly));
    tex.write(steps::latexDocument(page).toUtf8());
    tex.close();
    QProcess run;
    run.setWorkingDirectory(folder.path());
    run.start(pdflatex, {QStringLiteral("-interaction=nonstopmode"),
                         QStringLiteral("-halt-on-error"), QStringLiteral("steps.tex")});
    QVERIFY(run.waitForFinished(120000));
    QFile log(folder.filePath(QStringLiteral("steps.log")));
    QVERIFY(log.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(log.readAll());
    QVERIFY2(run.exitCode() == 0, qPrintable(text.right(3000)));
    QVERIFY(QFile::exists(folder.filePath(QStringLiteral("steps.pdf"))));
    QVERIFY2(!text.contains(QStringLiteral("Overfull \\hbox")), qPrintable(text.right(3000)));
}

// A long page printed: no table crosses the foot of a sheet, nor stands apart from the line that
// introduces it; some had to be moved for it.
void TestStepsDocuments::printedTablesStayWhole() {
    QTemporaryDir folder;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(folder.filePath(QStringLiteral("steps.pdf")));
    const std::unique_ptr<QTextDocument> document =
        StepsWindow::printedDocument(samplePage(10, 12), printer);
    const qreal sheet = document->pageSize().height();
    QVERIFY(document->pageCount() > 2);
    int moved = 0, tables = 0;
    for (QTextFrame* frame : document->rootFrame()->childFrames()) {
        auto* table = qobject_cast<QTextTable*>(frame);
        if (!table)
            continue;
        ++tables;
        const QTextBlock caption = document->findBlock(table->firstPosition()).previous();
        QVERIFY2(caption.text() == u"Определитель:" || caption.text().startsWith(u"Шаг "),
                 qPrintable(caption.text()));
        moved += caption.blockFormat().pageBreakPolicy() == QTextFormat::PageBreak_AlwaysBefore;
        QRectF box = document->documentLayout()->frameBoundingRect(table);
        box.setTop(document->documentLayout()->blockBoundingRect(caption).top());
        QVERIFY2(int(box.top() / sheet) == int((box.bottom() - 1) / sheet),
                 qPrintable(QStringLiteral("«%1» and its table from %2 to %3, sheets of %4")
                                .arg(caption.text())
                                .arg(box.top())
                                .arg(box.bottom())
                                .arg(sheet)));
    }
    QCOMPARE(tables, 24);
    QVERIFY(moved > 0);
}

// The page on the screen: in each matrix the cells of a column end at one x, each column right
// of the one before; a bar or a determinant's side stands clear between two columns, the notes
// begin right of the last one, and the pivot of each step is the one bold cell.
void TestStepsDocuments::screenColumnsAlign() {
    QFETCH(int, order);
    QFETCH(int, blocks);
    QTextDocument document;
    stepsview::Look look;
    look.font = QFont(QStringLiteral("Liberation Sans"), 10);
    stepsview::layOut(document, samplePage(order, blocks), look);
    document.documentLayout()->documentSize();
    std::vector<qreal> ends; // the right edges of the matrix on hand, its first row's
    QStringList pivots;
    int matrices = 0;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QString text = block.text();
        if (!text.contains(u'\t')) {
            ends.clear();
            continue;
        }
        const QTextLine line = block.layout()->lineAt(0);
        QStringList parts = text.split(u'\t');
        const bool note = parts.last().startsWith(u'←');
        std::vector<qreal> row; // each part's left and right edge
        for (qsizetype k = 0, at = 0; k < parts.size(); at += parts[k++].size() + 1) {
            row.push_back(line.cursorToX(int(at)));
            row.push_back(line.cursorToX(int(at + parts[k].size())));
        }
        for (std::size_t e = 3; e < row.size(); e += 2)
            QVERIFY2(parts[qsizetype(e / 2) - 1].isEmpty() || row[e - 1] > row[e - 2],
                     qPrintable(text)); // no cell runs into the one before it
        if (note)
            row.resize(row.size() - 2);
        if (ends.empty()) {
            ends = row;
            ++matrices;
        }
        QCOMPARE(row.size(), ends.size());
        for (std::size_t e = 1; e < row.size(); e += 2)
            QVERIFY2(qAbs(row[e] - ends[e]) < 0.5, qPrintable(text));
        for (QTextBlock::iterator f = block.begin(); !f.atEnd(); ++f)
            if (f.fragment().charFormat().fontWeight() == QFont::Bold)
                pivots.append(f.fragment().text());
    }
    QCOMPARE(matrices, 2 * blocks);
    QStringList expected;
    for (int b = 0; b < blocks; ++b)
        expected.append(cell(order, b, b % order));
    QCOMPARE(pivots, expected);
}

QTEST_MAIN(TestStepsDocuments)
#include "test_steps_documents.moc"
