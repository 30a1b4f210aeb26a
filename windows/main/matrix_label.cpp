#include "windows/main/matrix_label.h"

#include "windows/ui_kit.h"

#include <QClipboard>
#include <QColor>
#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QGuiApplication>

MatrixLabel::MatrixLabel(QWidget* parent) : QLabel(parent) {
    setWordWrap(false);
    setTextFormat(Qt::PlainText);
    warning_ = new QLabel(this);
    warning_->setObjectName(QStringLiteral("Label1Warning"));
    warning_->setTextFormat(Qt::PlainText);
    warning_->setWordWrap(true);
    warning_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // On black, so that no line of the window's scene crosses it.
    warning_->setAutoFillBackground(true);
    ui::colour(warning_, QColor(255, 255, 0), ui::black);
    warning_->setAccessibleName(QStringLiteral("Предупреждение об ответе"));
    warning_->hide();
}

void MatrixLabel::setWarning(const QString& text) {
    warning_->setText(text);
    // Read out as its text while shown.
    warning_->setAccessibleName(text.isEmpty() ? QStringLiteral("Предупреждение об ответе") : text);
    warning_->setVisible(!text.isEmpty());
    int top = 0;
    if (!text.isEmpty()) {
        warning_->setFont(font());
        top = warning_->heightForWidth(width());
        warning_->setGeometry(0, 0, width(), top);
    }
    setContentsMargins(0, top, 0, 0);
}

QString MatrixLabel::warning() const {
    return warning_->isHidden() ? QString() : warning_->text();
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
    setAccessibleDescription(warning().isEmpty() ? text : warning() + u'\n' + text);
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
