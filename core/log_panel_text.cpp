#include "core/log_panel_text.h"

namespace logpanel {
namespace {

// A lone LF inside a line of the log is shown as this mark, so that the line is seen as one line;
// it is not a Windows-1251 character, so no log text can hold it of its own.
constexpr QChar loneLineFeedMark{0x21B5};

} // namespace

QString panelText(const QString& logText) {
    QString shown;
    shown.reserve(logText.size());
    for (qsizetype i = 0; i < logText.size(); ++i) {
        const QChar c = logText[i];
        if (c == u'\r' && i + 1 < logText.size() && logText[i + 1] == u'\n') {
            shown += u'\n';
            ++i;
        } else {
            shown += c == u'\n' ? loneLineFeedMark : c;
        }
    }
    return shown;
}

QString logText(const QString& panelCrlfText) {
    QString text = panelCrlfText;
    text.replace(loneLineFeedMark, QStringLiteral("\r\n"));
    return text;
}

} // namespace logpanel
