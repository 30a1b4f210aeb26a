// Reading the steps text in tests: the rows of the last matrix it shows.
#pragma once

#include <QString>
#include <QStringList>

// The rows after the last line that introduces a matrix ("Матрица …:" or "Система …:"), each
// ended by CR LF as Label1's text is; "<none>" when the text has no such block of that size.
inline QString lastMatrixBlock(const QString& text, int rows) {
    const QStringList lines = text.split(u'\n');
    int start = -1;
    for (int i = 0; i < lines.size(); ++i)
        if ((lines[i].startsWith(QStringLiteral("Матрица")) ||
             lines[i].startsWith(QStringLiteral("Система"))) &&
            lines[i].endsWith(u':'))
            start = i + 1;
    if (start < 0 || start + rows > lines.size())
        return QStringLiteral("<none>");
    QString block;
    for (int i = start; i < start + rows; ++i)
        block += lines[i] + QStringLiteral("\r\n");
    return block;
}
