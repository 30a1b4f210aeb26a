// The notes on the tokens the editor reads: which the value-of-text rule does not read whole,
// where they stand in the system, what they were read as; the reading itself stays as the refill
// makes it.
#include "core/entry_text.h"
#include "core/system_store.h"
#include "core/token_notes.h"
#include "support/numbers.h"

#include <QTest>

class TestTokenNotes : public QObject {
    Q_OBJECT
  private slots:
    void notes_data();
    void notes();
    void tokenKinds_data();
    void tokenKinds();
    void countNotes_data();
    void countNotes();
};

void TestTokenNotes::notes_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("count");         // notes for the order-2 system (6 tokens read)
    QTest::addColumn<int>("row");           // of the first note, from 1
    QTest::addColumn<int>("column");        // of the first note, from 1 (3: right-hand side)
    QTest::addColumn<QString>("firstLine"); // the start of the text shown
    QTest::addColumn<QString>("firstRow");  // the first matrix row the refill reads
    QTest::newRow("decimal comma")
        << QStringLiteral("2,5 1 3 1 3 5") << 1 << 1 << 1
        << QStringLiteral("Строка 1, столбец 1: «2,5» прочитано как 2: дробную часть отделяйте "
                          "точкой.")
        << QStringLiteral("2 1 3");
    QTest::newRow("letters after a number")
        << QStringLiteral("1 7x 3 1 3 5") << 1 << 1 << 2
        << QStringLiteral("Строка 1, столбец 2: «7x» прочитано как 7") << QStringLiteral("1 7 3");
    QTest::newRow("letters only") << QStringLiteral("1 2 abc 1 3 5") << 1 << 1 << 3
                                  << QStringLiteral("Строка 1, правая часть: «abc» прочитано как 0")
                                  << QStringLiteral("1 2 0");
    QTest::newRow("leading blank")
        << QStringLiteral(" 2 1 3 1 3 5") << 1 << 1 << 1
        << QStringLiteral("Строка 1, столбец 1: «» прочитано как 0: лишний пробел")
        << QStringLiteral("0 2 1");
    QTest::newRow("doubled blank")
        << QStringLiteral("2 1  3 1 3 5") << 1 << 1 << 3
        << QStringLiteral("Строка 1, правая часть: «»") << QStringLiteral("2 1 0");
    QTest::newRow("trailing blank read again")
        << QStringLiteral("2 1 3 ") << 1 << 2 << 1 << QStringLiteral("Строка 2, столбец 1: «»")
        << QStringLiteral("2 1 3");
    QTest::newRow("trailing blank never read")
        << QStringLiteral("2 1 3 1 3 5 ") << 0 << 0 << 0 << QString() << QStringLiteral("2 1 3");
    QTest::newRow("two notes") << QStringLiteral("2,5 1 3 1,5 3 5") << 2 << 1 << 1
                               << QStringLiteral("Строка 1, столбец 1: «2,5»")
                               << QStringLiteral("2 1 3");
}

void TestTokenNotes::notes() {
    QFETCH(QString, text);
    QFETCH(int, count);
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(QString, firstLine);
    QFETCH(QString, firstRow);
    const std::vector<entry::TokenNote> notes = entry::tokenNotes(text, 2);
    QCOMPARE(static_cast<int>(notes.size()), count);
    const QString shown = entry::notesText(notes, 2, u'.');
    QCOMPARE(shown.isEmpty(), count == 0);
    if (count > 0) {
        QCOMPARE(notes.front().row + 1, row);
        QCOMPARE(notes.front().column + 1, column);
        QVERIFY2(shown.startsWith(firstLine), qPrintable(shown));
        QCOMPARE(shown.contains(QStringLiteral("Ещё")), count > 1);
    }
    // The notes change nothing of the reading.
    SystemStore store;
    store.shapeForOrder(ArrayOrder(2));
    entry::fillMatrix(store.matrix, text, u'.');
    QStringList values;
    for (int j = 0; j <= 2; ++j)
        values.append(QString::number(store.matrix(0, j)));
    QCOMPARE(values.join(u' '), firstRow);
}

// A note is given exactly for the tokens the value-of-text rule does not read whole; the reader
// passes over tabs anywhere in a token.
void TestTokenNotes::tokenKinds_data() {
    QTest::addColumn<QString>("token");
    QTest::addColumn<QString>("note"); // none, comma, empty or other
    QTest::addColumn<double>("value"); // as the refill reads the token
    const struct {
        const char* token;
        const char* note;
        double value;
    } rows[] = {
        {"&HFF", "none", 255},  {"&hff", "none", 255},   {"&O17", "none", 15},
        {"&o7", "none", 7},     {"&H", "other", 0},      {"&O8", "other", 0},
        {"&H1G", "other", 1},   {"&X1", "other", 0},     {"1D5", "none", 1e5},
        {"1d-2", "none", 0.01}, {"1e-3", "none", 0.001}, {"1E", "other", 1},
        {"1E+", "other", 1},    {"1.2.3", "other", 1.2}, {"7x", "other", 7},
        {"-", "other", 0},      {"+", "other", 0},       {".", "other", 0},
        {"--1", "other", 0},    {"-.5", "none", -0.5},   {"+.5", "none", 0.5},
        {"5.", "none", 5},      {"1\t", "none", 1},      {"\t1", "none", 1},
        {"1\t2", "none", 12},   {"1\tE", "other", 1},    {"2,5", "comma", 2},
        {"-,5", "comma", 0},    {"5,", "comma", 5},      {"1,E3", "comma", 1},
        {",", "other", 0},      {"1,2,3", "other", 1},   {"", "empty", 0},
    };
    for (const auto& r : rows)
        QTest::newRow(*r.token ? r.token : "(empty)")
            << QString(r.token) << QString(r.note) << r.value;
}

void TestTokenNotes::tokenKinds() {
    QFETCH(QString, token);
    QFETCH(QString, note);
    QFETCH(double, value);
    // The token, then a plain number: the system of order 1 reads each once.
    const std::vector<entry::TokenNote> notes = entry::tokenNotes(token + QStringLiteral(" 1"), 1);
    const char* const kinds[] = {"comma", "empty", "other"}; // in the order of NoteKind
    QStringList shown;
    for (const entry::TokenNote& n : notes)
        shown.append(kinds[static_cast<int>(n.kind)]);
    QCOMPARE(shown.isEmpty() ? QStringLiteral("none") : shown.join(u' '), note);
    QCOMPARE(notes.empty() ? numbers::valueOfText(token) : notes.front().value, value);
}

namespace {

// "1 2 … count": each value tells which of the text's numbers a place took.
QString numbersUpTo(int count) {
    QStringList numbers;
    for (int k = 1; k <= count; ++k)
        numbers.append(QString::number(k));
    return numbers.join(u' ');
}

} // namespace

// The note under the entry tells a text too short or too long for the order as the refill reads
// it: the value it names as read last is the one the refill puts in the last right-hand side.
void TestTokenNotes::countNotes_data() {
    QTest::addColumn<int>("order");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("note"); // the whole text shown under the entry
    QTest::addColumn<double>("last");  // the last right-hand side as the refill reads it
    QTest::newRow("one short") << 3 << numbersUpTo(11)
                               << QStringLiteral("Чисел 11, а для порядка 3 нужно 12: последнее "
                                                 "число взято снова с начала (1-е).")
                               << 1.0;
    QTest::newRow("two short") << 2 << numbersUpTo(4)
                               << QStringLiteral("Чисел 4, а для порядка 2 нужно 6: последние 2 "
                                                 "взяты снова с начала (с 1-го по 2-е).")
                               << 2.0;
    QTest::newRow("half") << 2 << numbersUpTo(3)
                          << QStringLiteral("Чисел 3, а для порядка 2 нужно 6: последние 3 взяты "
                                            "снова с начала (с 1-го по 3-е).")
                          << 3.0;
    QTest::newRow("read round twice") << 3 << numbersUpTo(5)
                                      << QStringLiteral("Чисел 5, а для порядка 3 нужно 12: "
                                                        "недостающие 7 взяты по кругу, последним — "
                                                        "2-е.")
                                      << 2.0;
    QTest::newRow("one number") << 10 << QStringLiteral("1")
                                << QStringLiteral("Число одно, а для порядка 10 нужно 110: оно "
                                                  "взято на все места.")
                                << 1.0;
    QTest::newRow("exact") << 2 << numbersUpTo(6) << QString() << 6.0;
    QTest::newRow("exact, random fill's blank") << 4 << numbersUpTo(20) + u' ' << QString() << 20.0;
    QTest::newRow("exact, blanks after")
        << 2 << numbersUpTo(6) + QStringLiteral("   ") << QString() << 6.0;
    QTest::newRow("one too many") << 2 << numbersUpTo(7)
                                  << QStringLiteral("Чисел 7, а для порядка 2 нужно 6: лишнее "
                                                    "число не используется.")
                                  << 6.0;
    QTest::newRow("two too many") << 5 << numbersUpTo(32) + u' '
                                  << QStringLiteral("Чисел 32, а для порядка 5 нужно 30: лишние 2 "
                                                    "не используются.")
                                  << 30.0;
    // A blank at the end of a short text is an empty value the refill reads as 0.
    QTest::newRow("short, blank at the end")
        << 2 << numbersUpTo(3) + u' '
        << QStringLiteral("Чисел 4, а для порядка 2 нужно 6: последние 2 взяты снова с начала (с "
                          "1-го по 2-е). Строка 2, столбец 1: «» прочитано как 0.")
        << 2.0;
    QTest::newRow("short, with a comma")
        << 2 << QStringLiteral("2,5 1 3 1 3")
        << QStringLiteral("Чисел 5, а для порядка 2 нужно 6: последнее число взято снова с начала "
                          "(1-е). Строка 1, столбец 1: «2,5» прочитано как 2.")
        << 2.0;
}

void TestTokenNotes::countNotes() {
    QFETCH(int, order);
    QFETCH(QString, text);
    QFETCH(QString, note);
    QFETCH(double, last);
    const QString shown =
        entry::notesText(entry::tokenNotes(text, order), order, u'.',
                         entry::countText(entry::numberCount(text, order), order));
    QCOMPARE(shown, note);
    SystemStore store;
    store.shapeForOrder(ArrayOrder(order));
    entry::fillMatrix(store.matrix, text, u'.');
    QCOMPARE(store.matrix(order - 1, order), last);
}

QTEST_GUILESS_MAIN(TestTokenNotes)
#include "test_token_notes.moc"
