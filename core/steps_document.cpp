#include "core/steps_document.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QStringList>
#include <algorithm>
#include <utility>

namespace steps {
namespace {

// ---- HTML -------------------------------------------------------------------------------------

QString escaped(const QString& text) {
    return text.toHtmlEscaped();
}

QString htmlMatrix(const PageLine& line) {
    const qsizetype columns = columnCount(line);
    const int bar = barColumn(line);
    const bool notes = hasNotes(line);
    QString table = QStringLiteral("<table class=\"m\">\n");
    for (std::size_t i = 0; i < line.rows.size(); ++i) {
        const QStringList& cells = line.rows[i];
        table += QStringLiteral("<tr>");
        for (qsizetype j = 0; j < columns; ++j) {
            QStringList classes;
            if (j == bar)
                classes.append(QStringLiteral("bar"));
            if (line.marks.determinant && j == 0)
                classes.append(QStringLiteral("dl"));
            if (line.marks.determinant && j == columns - 1)
                classes.append(QStringLiteral("dr"));
            const bool pivot = int(i) == line.marks.pivotRow && j == line.marks.pivotColumn;
            if (pivot)
                classes.append(QStringLiteral("p"));
            table += classes.isEmpty() ? QStringLiteral("<td>")
                                       : QStringLiteral("<td class=\"") + classes.join(u' ') +
                                             QStringLiteral("\">");
            const QString cell = escaped(cells.value(j));
            table += pivot ? QStringLiteral("<b><u>") + cell + QStringLiteral("</u></b>") : cell;
            table += QStringLiteral("</td>");
        }
        if (notes) {
            const QString note = line.marks.notes.value(qsizetype(i));
            table += QStringLiteral("<td class=\"n\">") +
                     (note.isEmpty() ? QString() : QStringLiteral("← ") + escaped(note)) +
                     QStringLiteral("</td>");
        }
        table += QStringLiteral("</tr>\n");
    }
    return table + QStringLiteral("</table>\n");
}

QString htmlStyle(const HtmlColours& c) {
    const QString rule = QStringLiteral("-width: 1px; border-%1-style: solid; border-%1-color: ") +
                         c.text + QStringLiteral("; ");
    auto side = [&](const char* which) {
        const QString name = QString::fromLatin1(which);
        return QStringLiteral("border-") + name + rule.arg(name);
    };
    return QStringLiteral("body { font-family: 'Liberation Sans', Arial, sans-serif; color: ") +
           c.text + QStringLiteral("; background-color: ") + c.background +
           QStringLiteral("; }\n"
                          "h2 { font-size: 130%; font-weight: bold; margin-top: 14px; "
                          "margin-bottom: 4px; page-break-after: avoid; }\n"
                          "p { margin-top: 2px; margin-bottom: 2px; }\n"
                          "p.c { page-break-after: avoid; }\n"
                          "p.w { font-weight: bold; color: ") +
           c.warning + QStringLiteral("; }\np.e { font-weight: bold; color: ") + c.error +
           QStringLiteral(
               "; }\n"
               "table.m { border-collapse: collapse; margin-top: 4px; "
               "margin-bottom: 8px; margin-left: 20px; page-break-inside: avoid; }\n"
               "td { text-align: right; padding-top: 1px; padding-bottom: 1px; padding-left: 4px; "
               "padding-right: 4px; white-space: nowrap; }\n"
               "td.bar { padding-left: 8px; ") +
           side("left") + QStringLiteral("}\ntd.dl { ") + side("left") +
           QStringLiteral("}\ntd.dr { ") + side("right") + QStringLiteral("}\ntd.p { ") +
           side("left") + side("right") + side("top") + side("bottom") +
           QStringLiteral("}\ntd.n { text-align: left; padding-left: 16px; color: ") + c.note +
           QStringLiteral("; }\n");
}

// ---- LaTeX ------------------------------------------------------------------------------------

// The page's signs that LaTeX does not take as they are, as math-mode commands.
struct MathSign {
    char16_t sign;
    const char* command;
};
constexpr MathSign mathSigns[] = {
    {u'κ', "\\kappa"},      {u'∞', "\\infty"}, {u'·', "\\cdot"},
    {u'×', "\\times"},      {u'−', "-"},       {u'←', "\\leftarrow"},
    {u'→', "\\rightarrow"}, {u'≠', "\\neq"},   {u'≈', "\\approx"},
    {u'≤', "\\leq"},        {u'≥', "\\geq"},   {u'Δ', "\\Delta"},
    {u'Σ', "\\Sigma"},      {u'∑', "\\sum"},   {u'±', "\\pm"},
    {u'√', "\\surd"},       {u'α', "\\alpha"}, {u'β', "\\beta"},
    {u'λ', "\\lambda"},     {u'δ', "\\delta"}, {u'∈', "\\in"},
    {u'⇒', "\\Rightarrow"}, {u'⋅', "\\cdot"},  {u'∣', "\\mid"},
    {u'‖', "\\|"},          {u'′', "'"},
};

// Text-mode replacements: LaTeX's special characters and the dashes.
struct TextSign {
    char16_t sign;
    const char* text;
};
constexpr TextSign textSigns[] = {
    {u'\\', "\\textbackslash{}"},
    {u'{', "\\{"},
    {u'}', "\\}"},
    {u'$', "\\$"},
    {u'&', "\\&"},
    {u'#', "\\#"},
    {u'^', "\\textasciicircum{}"},
    {u'_', "\\_"},
    {u'%', "\\%"},
    {u'~', "\\textasciitilde{}"},
    {u'|', "\\textbar{}"},
    {u'<', "\\textless{}"},
    {u'>', "\\textgreater{}"},
    {u'–', "--"},
    {u'—', "---"},
    {u'…', "\\ldots{}"},
    {u'\u00a0', "~"},
    {u'"', "\\textquotedbl{}"},
};

constexpr char16_t subscripts[] = u"₀₁₂₃₄₅₆₇₈₉";
constexpr char16_t superscripts[] = u"⁰¹²³⁴⁵⁶⁷⁸⁹";

// A subscript or superscript sign as its script ('_' or '^') and its text; none for another.
std::pair<char, QString> scriptOf(QChar c) {
    for (int d = 0; d < 10; ++d) {
        if (c == QChar(subscripts[d]))
            return {'_', QString::number(d)};
        if (c == QChar(superscripts[d]))
            return {'^', QString::number(d)};
    }
    if (c == u'⁻')
        return {'^', QStringLiteral("-")};
    if (c == u'⁺')
        return {'^', QStringLiteral("+")};
    if (c == u'₋')
        return {'_', QStringLiteral("-")};
    return {0, {}};
}

// Builds LaTeX text, gathering the signs that need math mode into one \ensuremath group and a run
// of subscript (superscript) signs into one script.
class LatexText {
  public:
    void add(QChar c, QChar next) {
        if (const auto [kind, script] = scriptOf(c); kind) {
            if (kind != scriptKind_)
                closeScript();
            scriptKind_ = kind;
            script_ += script;
            return;
        }
        for (const MathSign& m : mathSigns)
            if (c == QChar(m.sign)) {
                closeScript();
                math_ += QString::fromLatin1(m.command) + u' ';
                return;
            }
        closeMath();
        for (const TextSign& t : textSigns)
            if (c == QChar(t.sign)) {
                out_ += QString::fromLatin1(t.text);
                return;
            }
        if (c == u'-' && next == u'-')
            out_ += QStringLiteral("-{}"); // two hyphens stay two, not a dash
        else if (c.unicode() < 0x80 || c.script() == QChar::Script_Cyrillic ||
                 (c.unicode() >= 0xa0 && c.unicode() <= 0xff) || c == u'№')
            out_ += c;
        else
            out_ += u'?'; // a sign no T2A font has
    }
    QString take() {
        closeMath();
        return std::exchange(out_, {});
    }

  private:
    void closeScript() {
        if (!script_.isEmpty())
            math_ += QChar::fromLatin1(scriptKind_) + u'{' + script_ + u'}';
        script_.clear();
        scriptKind_ = 0;
    }
    void closeMath() {
        closeScript();
        if (!math_.isEmpty())
            out_ += QStringLiteral("\\ensuremath{") + math_.trimmed() + u'}';
        math_.clear();
    }
    QString out_, math_, script_;
    char scriptKind_ = 0;
};

QString latexEscaped(const QString& text) {
    static const QRegularExpression longDigits(QStringLiteral("[0-9]{10}(?=[0-9])"));
    LatexText latex;
    for (qsizetype i = 0; i < text.size(); ++i)
        latex.add(text[i], i + 1 < text.size() ? text[i + 1] : QChar());
    // A long number may break at a fraction's slash and every ten digits, not run into the margin.
    QString out = latex.take();
    out.replace(u'/', QStringLiteral("/\\allowbreak{}"));
    return out.replace(longDigits, QStringLiteral("\\0\\allowbreak{}"));
}

// A cell as math: an integer, a fraction p/q as \frac, a decimal with its comma braced, an
// exponent form as a power of ten; any other text as text.
QString latexCell(const QString& cell) {
    static const QRegularExpression integer(QStringLiteral("^([-−]?)([0-9]+)$"));
    static const QRegularExpression fraction(QStringLiteral("^([-−]?)([0-9]+)/([0-9]+)$"));
    static const QRegularExpression decimal(QStringLiteral("^([-−]?)([0-9]+)([.,])([0-9]+)$"));
    static const QRegularExpression exponent(
        QStringLiteral("^([-−]?)([0-9]+)([.,])([0-9]+)E([+-])0*([0-9]+)$"));
    auto sign = [](const QRegularExpressionMatch& m) {
        return m.captured(1).isEmpty() ? QString() : QStringLiteral("-");
    };
    auto point = [](const QString& p) { return p == u"," ? QStringLiteral("{,}") : p; };
    if (const auto m = integer.match(cell); m.hasMatch())
        return sign(m) + m.captured(2);
    if (const auto m = fraction.match(cell); m.hasMatch())
        return sign(m) + QStringLiteral("\\frac{") + m.captured(2) + QStringLiteral("}{") +
               m.captured(3) + u'}';
    if (const auto m = decimal.match(cell); m.hasMatch())
        return sign(m) + m.captured(2) + point(m.captured(3)) + m.captured(4);
    if (const auto m = exponent.match(cell); m.hasMatch())
        return sign(m) + m.captured(2) + point(m.captured(3)) + m.captured(4) +
               QStringLiteral("\\cdot 10^{") + (m.captured(5) == u"-" ? QStringLiteral("-") : "") +
               m.captured(6) + u'}';
    return cell.isEmpty() ? QString() : QStringLiteral("\\text{") + latexEscaped(cell) + u'}';
}

QString latexMatrix(const PageLine& line) {
    const qsizetype columns = columnCount(line);
    const int bar = barColumn(line);
    QString alignment;
    for (qsizetype j = 0; j < columns; ++j)
        alignment += (j == bar ? QStringLiteral("|r") : QStringLiteral("r"));
    QStringList rows, notes;
    for (std::size_t i = 0; i < line.rows.size(); ++i) {
        QStringList cells;
        for (qsizetype j = 0; j < columns; ++j) {
            const QString cell = latexCell(line.rows[i].value(j));
            cells.append(int(i) == line.marks.pivotRow && j == line.marks.pivotColumn
                             ? QStringLiteral("\\boxed{") + cell + u'}'
                             : cell);
        }
        rows.append(cells.join(QStringLiteral(" & ")));
        // The note's row as high as the matrix row beside it.
        const QString note = line.marks.notes.value(qsizetype(i));
        notes.append(QStringLiteral("\\vphantom{") + cells.join(u' ') + u'}' +
                     (note.isEmpty()
                          ? QString()
                          : QStringLiteral("\\leftarrow\\text{ ") + latexEscaped(note) + u'}'));
    }
    const bool det = line.marks.determinant;
    QString math = (det ? QStringLiteral("\\left|") : QStringLiteral("\\left(")) +
                   QStringLiteral("\\begin{array}{") + alignment + QStringLiteral("}\n") +
                   rows.join(QStringLiteral(" \\\\\n")) + QStringLiteral("\n\\end{array}") +
                   (det ? QStringLiteral("\\right|") : QStringLiteral("\\right)"));
    if (hasNotes(line))
        math += QStringLiteral("\n\\quad\\begin{array}{l}\n") +
                notes.join(QStringLiteral(" \\\\\n")) + QStringLiteral("\n\\end{array}");
    return QStringLiteral("\\begin{center}\n\\resizebox{\\ifdim\\width>\\linewidth\\linewidth"
                          "\\else\\width\\fi}{!}{$\n") +
           math + QStringLiteral("\n$}\n\\end{center}\n");
}

} // namespace

QString htmlPage(const Page& page, const HtmlColours& colours) {
    QString body;
    for (const PageLine& line : page.lines()) {
        switch (line.kind) {
        case LineKind::Matrix:
            body += htmlMatrix(line);
            break;
        case LineKind::Warning:
            body +=
                QStringLiteral("<p class=\"w\">") + escaped(line.text) + QStringLiteral("</p>\n");
            break;
        case LineKind::Error:
            body +=
                QStringLiteral("<p class=\"e\">") + escaped(line.text) + QStringLiteral("</p>\n");
            break;
        case LineKind::Heading:
            body += QStringLiteral("<h2>") + escaped(line.text) + QStringLiteral("</h2>\n");
            break;
        case LineKind::Text:
            // A line ending in a colon introduces what follows it: a browser prints the two
            // on one sheet.
            if (!line.text.isEmpty())
                body += (line.text.endsWith(u':') ? QStringLiteral("<p class=\"c\">")
                                                  : QStringLiteral("<p>")) +
                        escaped(line.text) + QStringLiteral("</p>\n");
            break;
        }
    }
    return QStringLiteral("<!DOCTYPE html>\n<html lang=\"ru\">\n<head>\n<meta charset=\"utf-8\" "
                          "/>\n<title>") +
           escaped(QCoreApplication::translate("steps", "Решение по шагам")) +
           QStringLiteral("</title>\n<style>\n") + htmlStyle(colours) +
           QStringLiteral("</style>\n</head>\n<body>\n") + body +
           QStringLiteral("</body>\n</html>\n");
}

QString latexDocument(const Page& page) {
    QString body;
    for (const PageLine& line : page.lines()) {
        switch (line.kind) {
        case LineKind::Matrix:
            body += latexMatrix(line);
            break;
        case LineKind::Heading:
            body += QStringLiteral("\\section*{") + latexEscaped(line.text) + QStringLiteral("}\n");
            break;
        case LineKind::Warning:
            body += QStringLiteral("{\\color[rgb]{0.55,0.35,0}\\bfseries ") +
                    latexEscaped(line.text) + QStringLiteral("\\par}\n");
            break;
        case LineKind::Error:
            body += QStringLiteral("{\\color[rgb]{0.75,0,0}\\bfseries ") + latexEscaped(line.text) +
                    QStringLiteral("\\par}\n");
            break;
        case LineKind::Text:
            body += line.text.trimmed().isEmpty()
                        ? QStringLiteral("\\medskip\n")
                        : latexEscaped(line.text) + QStringLiteral("\\par\n");
            break;
        }
    }
    return QStringLiteral("\\documentclass[a4paper]{article}\n"
                          "\\usepackage[T2A]{fontenc}\n"
                          "\\usepackage[utf8]{inputenc}\n"
                          "\\usepackage[russian]{babel}\n"
                          "\\usepackage{amsmath}\n"
                          "\\usepackage{graphicx}\n"
                          "\\usepackage{color}\n"
                          "\\setlength{\\parindent}{0pt}\n"
                          "\\renewcommand{\\arraystretch}{1.3}\n"
                          "\\sloppy\n"
                          "\\begin{document}\n") +
           body + QStringLiteral("\\end{document}\n");
}

} // namespace steps
