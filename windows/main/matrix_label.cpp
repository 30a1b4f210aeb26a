#include "windows/main/matrix_label.h"

#include "windows/ui_kit.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>

MatrixLabel::MatrixLabel(QWidget* parent) : QLabel(parent) {
    setWordWrap(false);
    setTextFormat(Qt::PlainText);
}

void MatrixLabel::setTakesTab(bool takes) {
    // Set after the text interaction flags, which give a label a focus policy of their own.
    setFocusPolicy(takes ? Qt::StrongFocus : Qt::NoFocus);
}

QStringList MatrixLabel::wrapRow(const QString& row, const QFontMetrics& metrics, int width) {
    QStringList lines;
    QString line;
    qsizetype i = 0;
    while (i < row.size()) {
        // The next value together with the blanks in front of it.
        qsizetype start = i;
        while (i < row.size() && row[i] == u' ')
            ++i;
        const qsizetype wordStart = i;
        while (i < row.size() && row[i] != u' ')
            ++i;
        if (wordStart == i) {
            line += row.mid(start); // trailing blanks stay on the line they end
            break;
        }
        const QString withBlanks = row.mid(start, i - start);
        if (!line.isEmpty() && metrics.horizontalAdvance(line + withBlanks) > width) {
            lines.append(line);
            line = row.mid(wordStart, i - wordStart);
        } else {
            line += withBlanks;
        }
    }
    lines.append(line);
    return lines;
}

void MatrixLabel::setMatrixText(const QString& text) {
    text_ = text;
    // Assistive technology reads the label by its name and the matrix as its description.
    setAccessibleDescription(text);
    const QFontMetrics metrics = fontMetrics();
    QStringList shown;
    for (const QString& row : text.split(u'\n'))
        shown += wrapRow(row, metrics, width());
    setText(shown.join(u'\n'));
}

void MatrixLabel::copyToClipboard() const {
    QGuiApplication::clipboard()->setText(text_);
}

void MatrixLabel::contextMenuEvent(QContextMenuEvent* event) {
    ui::copyMenu(
        this, event->globalPos(), !text_.isEmpty(), [this] { copyToClipboard(); }, menuActions_);
}

void MatrixLabel::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Copy) && !hasSelectedText()) {
        copyToClipboard();
        event->accept();
        return;
    }
    QLabel::keyPressEvent(event);
}

void MatrixLabel::paintEvent(QPaintEvent* event) {
    QLabel::paintEvent(event);
    if (hasFocus()) {
        QPainter painter(this);
        ui::focusFrame(painter, this);
    }
}
