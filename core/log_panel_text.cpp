#include "core/log_panel_text.h"

namespace logpanel {
namespace {

// A lone LF inside a line of the log is shown as this mark, so that the line is seen as one line;
// it is not a Windows-1251 character, so no log text can hold it of its own.
constexpr QChar loneLineFeedMark{0x21B5};

} // namespace

QString panelText(const QStringList& lines) {
    qsizetype size = 0;
    for (const QString& line : lines)
        size += line.size() + 1;
    QString shown;
    shown.reserve(size);
    int inParagraph = 0;
    qsizetype paragraphStart = 0;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (inParagraph > 0)
            shown += QChar::LineSeparator;
        const qsizetype lineStart = shown.size();
        shown += lines[i];
        for (qsizetype c = lineStart; c < shown.size(); ++c)
            if (shown[c] == u'\n')
                shown[c] = loneLineFeedMark;
        ++inParagraph;
        if (inParagraph == paragraphLines || shown.size() - paragraphStart >= paragraphChars ||
            i + 1 == lines.size()) {
            shown += u'\n';
            inParagraph = 0;
            paragraphStart = shown.size();
        }
    }
    return shown;
}

QStringList logLines(QStringView paragraph) {
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= paragraph.size(); ++i) {
        if (i == paragraph.size() || paragraph[i] == QChar::LineSeparator ||
            paragraph[i] == loneLineFeedMark) {
            lines.append(paragraph.sliced(start, i - start).toString());
            start = i + 1;
        }
    }
    return lines;
}

} // namespace logpanel
