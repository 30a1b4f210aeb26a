#include "core/token_notes.h"

#include "core/entry_text.h"
#include "support/numbers.h"

#include <QCoreApplication>

namespace entry {
namespace {

NoteKind kindOf(QStringView token) {
    if (token.isEmpty())
        return NoteKind::Empty;
    return commaAsPoint(token) ? NoteKind::Comma : NoteKind::Other;
}

QString advice(NoteKind kind) {
    switch (kind) {
    case NoteKind::Comma:
        return QCoreApplication::translate("entry", "дробную часть отделяйте точкой");
    case NoteKind::Empty:
        return QCoreApplication::translate("entry",
                                           "лишний пробел: между числами ставьте один пробел");
    case NoteKind::EmptyCell:
        return QCoreApplication::translate("entry", "пустая ячейка вставленной таблицы");
    case NoteKind::Other:
        break;
    }
    return QCoreApplication::translate("entry", "пишите только число: цифры, знак, точку, E");
}

} // namespace

std::vector<TokenNote> tokenNotes(QStringView text, int n, const QList<qsizetype>& emptyCells) {
    std::vector<TokenNote> notes;
    const QList<QStringView> all = tokens(text);
    if (all.isEmpty() || n < 1)
        return notes;
    const qsizetype read = static_cast<qsizetype>(n) * (n + 1);
    // Each token is first read at its own index; a short text is read again from its start.
    qsizetype at = 0; // where token k starts in the text
    for (qsizetype k = 0; k < all.size() && k < read; at += all[k].size() + 1, ++k) {
        if (numbers::readsWhole(all[k]))
            continue;
        NoteKind kind = kindOf(all[k]);
        if (kind == NoteKind::Empty && emptyCells.contains(at))
            kind = NoteKind::EmptyCell;
        notes.push_back({kind, static_cast<int>(k / (n + 1)), static_cast<int>(k % (n + 1)),
                         all[k].toString(), numbers::valueOfText(all[k])});
    }
    return notes;
}

NumberCount numberCount(QStringView text, int n) {
    const QList<QStringView> all = tokens(text);
    NumberCount count{all.size(), static_cast<qsizetype>(n) * (n + 1)};
    while (count.held > count.needed && all[count.held - 1].isEmpty())
        --count.held;
    return count;
}

QString countText(NumberCount count, int n) {
    const qsizetype held = count.held;
    const qsizetype needed = count.needed;
    if (held == 0 || held == needed)
        return {};
    if (held == 1)
        return QCoreApplication::translate("entry",
                                           "Число одно, а для порядка %1 нужно %2: оно взято на "
                                           "все места.")
            .arg(n)
            .arg(needed);
    QString what;
    if (held > needed) {
        // The refill stops after the values it needs.
        const qsizetype unused = held - needed;
        what = unused == 1
                   ? QCoreApplication::translate("entry", "лишнее число не используется")
                   : QCoreApplication::translate("entry", "лишние %1 не используются").arg(unused);
    } else {
        // The refill reads the places past the text's end from its first value on, round and
        // round: place k takes value k mod held.
        const qsizetype missing = needed - held;
        if (missing == 1)
            what =
                QCoreApplication::translate("entry", "последнее число взято снова с начала (1-е)");
        else if (missing <= held)
            what = QCoreApplication::translate("entry",
                                               "последние %1 взяты снова с начала (с 1-го по %1-е)")
                       .arg(missing);
        else
            what = QCoreApplication::translate("entry",
                                               "недостающие %1 взяты по кругу, последним — %2-е")
                       .arg(missing)
                       .arg((needed - 1) % held + 1);
    }
    return QCoreApplication::translate("entry", "Чисел %1, а для порядка %2 нужно %3: %4.")
        .arg(held)
        .arg(n)
        .arg(needed)
        .arg(what);
}

QString notesText(const std::vector<TokenNote>& notes, int n, QChar decimalSeparator,
                  const QString& count) {
    if (notes.empty())
        return count;
    const TokenNote& first = notes.front();
    const QString place =
        first.column == n
            ? QCoreApplication::translate("entry", "Строка %1, правая часть").arg(first.row + 1)
            : QCoreApplication::translate("entry", "Строка %1, столбец %2")
                  .arg(first.row + 1)
                  .arg(first.column + 1);
    const QString value = numbers::displayText(first.value, decimalSeparator);
    const qsizetype more = static_cast<qsizetype>(notes.size()) - 1;
    if (!count.isEmpty()) {
        // After the count, the value's note in short.
        const QString note =
            more == 0
                ? QCoreApplication::translate("entry", "%1: «%2» прочитано как %3.")
                      .arg(place, first.token, value)
                : QCoreApplication::translate("entry", "%1: «%2» прочитано как %3; ещё таких: %4.")
                      .arg(place, first.token, value)
                      .arg(more);
        return count + u' ' + note;
    }
    QString text = QCoreApplication::translate("entry", "%1: «%2» прочитано как %3: %4.")
                       .arg(place, first.token, value, advice(first.kind));
    if (more > 0)
        text += QCoreApplication::translate("entry", " Ещё таких значений: %1.").arg(more);
    return text;
}

} // namespace entry
