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
    case NoteKind::Other:
        break;
    }
    return QCoreApplication::translate("entry", "пишите только число: цифры, знак, точку, E");
}

} // namespace

std::vector<TokenNote> tokenNotes(QStringView text, int n) {
    std::vector<TokenNote> notes;
    const QList<QStringView> all = tokens(text);
    if (all.isEmpty() || n < 1)
        return notes;
    const qsizetype read = static_cast<qsizetype>(n) * (n + 1);
    // Each token is first read at its own index; a short text is read again from its start.
    for (qsizetype k = 0; k < all.size() && k < read; ++k) {
        if (numbers::readsWhole(all[k]))
            continue;
        notes.push_back({kindOf(all[k]), static_cast<int>(k / (n + 1)),
                         static_cast<int>(k % (n + 1)), all[k].toString(),
                         numbers::valueOfText(all[k])});
    }
    return notes;
}

QString notesText(const std::vector<TokenNote>& notes, int n, QChar decimalSeparator) {
    if (notes.empty())
        return {};
    const TokenNote& first = notes.front();
    const QString place =
        first.column == n
            ? QCoreApplication::translate("entry", "Строка %1, правая часть").arg(first.row + 1)
            : QCoreApplication::translate("entry", "Строка %1, столбец %2")
                  .arg(first.row + 1)
                  .arg(first.column + 1);
    QString text = QCoreApplication::translate("entry", "%1: «%2» прочитано как %3: %4.")
                       .arg(place, first.token, numbers::displayText(first.value, decimalSeparator),
                            advice(first.kind));
    if (notes.size() > 1)
        text +=
            QCoreApplication::translate("entry", " Ещё таких значений: %1.").arg(notes.size() - 1);
    return text;
}

} // namespace entry
