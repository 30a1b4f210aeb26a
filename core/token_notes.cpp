#include "core/token_notes.h"

#include "core/entry_text.h"
#include "support/numbers.h"

namespace entry {
namespace {

bool isDigit(QChar c, int radix) {
    if (c >= u'0' && c <= u'9')
        return c.unicode() - u'0' < radix;
    const char16_t lower = c.toLower().unicode();
    return radix == 16 && lower >= u'a' && lower <= u'f';
}

// The position after the digits of the radix from position i.
qsizetype skipDigits(QStringView t, qsizetype i, int radix = 10) {
    while (i < t.size() && isDigit(t[i], radix))
        ++i;
    return i;
}

bool plainRadixInteger(QStringView t) {
    if (t.size() < 3 || t[0] != u'&')
        return false;
    const QChar kind = t[1].toUpper();
    const int radix = kind == u'H' ? 16 : (kind == u'O' ? 8 : 0);
    return radix != 0 && skipDigits(t, 2, radix) == t.size();
}

NoteKind kindOf(QStringView token) {
    if (token.isEmpty())
        return NoteKind::Empty;
    const qsizetype comma = token.indexOf(u',');
    if (comma >= 0 && token.indexOf(u',', comma + 1) < 0) {
        QString withPoint = token.toString();
        withPoint[comma] = u'.';
        if (plainNumber(withPoint))
            return NoteKind::Comma;
    }
    return NoteKind::Other;
}

QString advice(NoteKind kind) {
    switch (kind) {
    case NoteKind::Comma:
        return QStringLiteral("дробную часть отделяйте точкой");
    case NoteKind::Empty:
        return QStringLiteral("лишний пробел: между числами ставьте один пробел");
    case NoteKind::Other:
        break;
    }
    return QStringLiteral("пишите только число: цифры, знак, точку, E");
}

} // namespace

bool plainNumber(QStringView t) {
    if (plainRadixInteger(t))
        return true;
    qsizetype i = 0;
    if (i < t.size() && (t[i] == u'+' || t[i] == u'-'))
        ++i;
    const qsizetype intStart = i;
    i = skipDigits(t, i);
    bool digits = i > intStart;
    if (i < t.size() && t[i] == u'.') {
        const qsizetype fracStart = ++i;
        i = skipDigits(t, i);
        digits = digits || i > fracStart;
    }
    if (!digits)
        return false;
    if (i < t.size() && QStringLiteral("EeDd").contains(t[i])) {
        ++i;
        if (i < t.size() && (t[i] == u'+' || t[i] == u'-'))
            ++i;
        const qsizetype expStart = i;
        i = skipDigits(t, i);
        if (i == expStart)
            return false;
    }
    return i == t.size();
}

std::vector<TokenNote> tokenNotes(QStringView text, int n) {
    std::vector<TokenNote> notes;
    const QList<QStringView> all = tokens(text);
    if (all.isEmpty() || n < 1)
        return notes;
    const qsizetype read = static_cast<qsizetype>(n) * (n + 1);
    // Each token is first read at its own index; a short text is read again from its start.
    for (qsizetype k = 0; k < all.size() && k < read; ++k) {
        if (plainNumber(all[k]))
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
            ? QStringLiteral("Строка %1, правая часть").arg(first.row + 1)
            : QStringLiteral("Строка %1, столбец %2").arg(first.row + 1).arg(first.column + 1);
    QString text = QStringLiteral("%1: «%2» прочитано как %3: %4.")
                       .arg(place, first.token, numbers::displayText(first.value, decimalSeparator),
                            advice(first.kind));
    if (notes.size() > 1)
        text += QStringLiteral(" Ещё таких значений: %1.").arg(notes.size() - 1);
    return text;
}

} // namespace entry
