// The answer log's lines as the main window's panel holds them, and the panel's text as
// "Сохранить" writes it back: one panel line for every log line, a lone LF inside a line shown as
// a mark.
#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

namespace logpanel {

// A paragraph of the panel holds at most this many lines, and ends after the line that brings it
// to paragraphChars characters or more. The panel lays a paragraph out whole as soon as a part of
// it is seen, so a paragraph stays small; and one paragraph per line would cost more memory than
// the text itself on a log of a million answers.
constexpr int paragraphLines = 100;
constexpr qsizetype paragraphChars = 8 * 1024;

// The log's lines (without their line ends) as text for the panel: the lines of a paragraph
// joined by the line separator (U+2028), every paragraph followed by LF, which the panel takes
// as a paragraph break; a lone LF inside a line shown as a visible mark, every other character
// as it is. Nothing for no lines.
QString panelText(const QStringList& lines);

// A paragraph of the panel as "Сохранить" writes it to the log: one log line for every line of
// it, a line ending at a line separator or a mark, as at every other break of the panel.
QStringList logLines(QStringView paragraph);

} // namespace logpanel
