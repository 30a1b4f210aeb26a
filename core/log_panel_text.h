// The answer log's text as the main window's panel shows it, and the panel's text as "Сохранить"
// writes it back: one panel line for every log line, a lone LF inside a line shown as a mark.
#pragma once

#include <QString>

namespace logpanel {

// The log's text (lines joined by CR LF) as the panel shows it: LF between the panel's lines, a
// lone LF inside a line shown as a visible mark; every other character, a lone CR too, as it is.
QString panelText(const QString& logText);

// The panel's text (CR LF between its lines) as it is written to the log: a mark becomes CR LF,
// as every other break of the panel is.
QString logText(const QString& panelCrlfText);

} // namespace logpanel
