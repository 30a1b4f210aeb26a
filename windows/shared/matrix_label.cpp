#include "windows/shared/matrix_label.h"

#include "windows/shared/ui_kit.h"

#include <QClipboard>
#include <QColor>
#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>

namespace {

// The focus frame's line, kept clear of the values and the bars.
constexpr int focusMargin = 1;

} // namespace

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
    ui::colour(warning_, ui::warningYellow, ui::black);
    warning_->setAccessibleName(tr("Предупреждение об ответе"));
    warning_->hide();
    setContentsMargins(focusMargin, focusMargin, focusMargin, focusMargin);
    hbar_ = new QScrollBar(Qt::Horizontal, this);
    vbar_ = new QScrollBar(Qt::Vertical, this);
    for (QScrollBar* bar : {hbar_, vbar_}) {
        // The keyboard stays with the label itself; the bars are for the mouse.
        bar->setFocusPolicy(Qt::NoFocus);
        bar->hide();
        connect(bar, &QScrollBar::valueChanged, this, [this] { update(); });
    }
}

void MatrixLabel::setWarning(const QString& text) {
    warning_->setText(text);
    // Read out as its text while shown.
    warning_->setAccessibleName(text.isEmpty() ? tr("Предупреждение об ответе") : text);
    warning_->setVisible(!text.isEmpty());
    updateMargins();
}

void MatrixLabel::setTitle(const QString& title) {
    title_ = title;
    updateMargins();
}

void MatrixLabel::setRightHandBar(bool shown) {
    rightHandBar_ = shown;
    layoutCells();
}

void MatrixLabel::updateMargins() {
    int top = focusMargin;
    if (!warning_->isHidden()) {
        warning_->setFont(font());
        const int inner = width() - 2 * focusMargin;
        const int h = warning_->heightForWidth(inner);
        warning_->setGeometry(focusMargin, top, inner, h);
        top += h;
    }
    if (!title_.isEmpty())
        top += fontMetrics().lineSpacing();
    setContentsMargins(focusMargin, top, focusMargin, focusMargin);
    layoutCells();
}

QString MatrixLabel::warning() const {
    return warning_->isHidden() ? QString() : warning_->text();
}

void MatrixLabel::setTakesTab(bool takes) {
    // Set after the text interaction flags, which give a label a focus policy of their own.
    setFocusPolicy(takes ? Qt::StrongFocus : Qt::NoFocus);
}

void MatrixLabel::setMatrix(const std::vector<QStringList>& rows, const QString& text) {
    text_ = text;
    // Assistive technology reads the label by its name and the matrix as its description.
    setAccessibleDescription(warning().isEmpty() ? text : warning() + u'\n' + text);
    setText(text);
    cells_ = QList<QStringList>(rows.begin(), rows.end());
    hbar_->setValue(0);
    vbar_->setValue(0);
    layoutCells();
}

void MatrixLabel::layoutCells() {
    const QFontMetrics metrics = fontMetrics();
    columnWidth_.clear();
    for (const QStringList& row : cells_) {
        if (columnWidth_.size() < row.size())
            columnWidth_.resize(row.size(), 0);
        for (qsizetype j = 0; j < row.size(); ++j)
            columnWidth_[j] = std::max(columnWidth_[j], metrics.horizontalAdvance(row[j]));
    }
    // The two blanks the program puts between values keep the columns apart; the bar before the
    // right-hand sides has three on each side, as in the preview's text.
    const int gap = metrics.horizontalAdvance(QStringLiteral("  "));
    const int barGap = metrics.horizontalAdvance(QStringLiteral("   |   "));
    columnLeft_.clear();
    int x = 0;
    for (qsizetype j = 0; j < columnWidth_.size(); ++j) {
        if (j > 0)
            x += j == barColumn() ? barGap : gap;
        columnLeft_.append(x);
        x += columnWidth_[j];
    }
    content_ = QSize(x, static_cast<int>(cells_.size()) * metrics.lineSpacing());

    // A bar is shown only where the rows do not fit; one bar takes room the other may then need.
    const QRect area = contentsRect();
    bool needH = false;
    bool needV = false;
    for (int pass = 0; pass < 2; ++pass) {
        needH = content_.width() > area.width() - (needV ? vbar_->sizeHint().width() : 0);
        needV = content_.height() > area.height() - (needH ? hbar_->sizeHint().height() : 0);
    }
    const int barH = needH ? hbar_->sizeHint().height() : 0;
    const int barW = needV ? vbar_->sizeHint().width() : 0;
    hbar_->setGeometry(area.left(), area.bottom() + 1 - barH, area.width() - barW, barH);
    vbar_->setGeometry(area.right() + 1 - barW, area.top(), barW, area.height() - barH);
    hbar_->setVisible(needH);
    vbar_->setVisible(needV);
    const QRect view = viewport();
    hbar_->setRange(0, std::max(0, content_.width() - view.width()));
    hbar_->setPageStep(std::max(1, view.width()));
    hbar_->setSingleStep(std::max(1, metrics.averageCharWidth() * 3));
    vbar_->setRange(0, std::max(0, content_.height() - view.height()));
    vbar_->setPageStep(std::max(1, view.height()));
    vbar_->setSingleStep(metrics.lineSpacing());
    update();
}

QSize MatrixLabel::sizeHint() const {
    const QMargins m = contentsMargins();
    return content_.grownBy(m);
}

QSize MatrixLabel::sizeWithin(const QSize& least, const QSize& room) const {
    const QSize whole = sizeHint();
    const int barW = vbar_->sizeHint().width();
    const int barH = hbar_->sizeHint().height();
    bool needH = false;
    bool needV = false;
    for (int pass = 0; pass < 2; ++pass) {
        needH = whole.width() + (needV ? barW : 0) > room.width();
        needV = whole.height() + (needH ? barH : 0) > room.height();
    }
    const QSize withBars = whole + QSize(needV ? barW : 0, needH ? barH : 0);
    return withBars.expandedTo(least).boundedTo(room);
}

QRect MatrixLabel::viewport() const {
    QRect area = contentsRect();
    if (hbar_->isVisibleTo(this))
        area.setBottom(hbar_->geometry().top() - 1);
    if (vbar_->isVisibleTo(this))
        area.setRight(vbar_->geometry().left() - 1);
    return area;
}

QPoint MatrixLabel::origin() const {
    return viewport().topLeft() - QPoint(hbar_->value(), vbar_->value());
}

QRect MatrixLabel::valueRect(int row, int column) const {
    if (row < 0 || row >= cells_.size() || column < 0 || column >= cells_[row].size())
        return QRect();
    const QFontMetrics metrics = fontMetrics();
    const int w = metrics.horizontalAdvance(cells_[row][column]);
    // Right-aligned in its column, so that the decimal commas stand one under another.
    const int x = columnLeft_[column] + columnWidth_[column] - w;
    return QRect(origin() + QPoint(x, row * metrics.lineSpacing()),
                 QSize(w, metrics.lineSpacing()));
}

int MatrixLabel::barColumn() const {
    return rightHandBar_ && columnWidth_.size() >= 2 ? static_cast<int>(columnWidth_.size()) - 1
                                                     : -1;
}

QRect MatrixLabel::barRect(int row) const {
    const int column = barColumn();
    if (column < 0 || row < 0 || row >= cells_.size() || cells_[row].size() <= column)
        return QRect();
    const QFontMetrics metrics = fontMetrics();
    const int left = columnLeft_[column - 1] + columnWidth_[column - 1] +
                     metrics.horizontalAdvance(QStringLiteral("   "));
    return QRect(origin() + QPoint(left, row * metrics.lineSpacing()),
                 QSize(metrics.horizontalAdvance(u'|'), metrics.lineSpacing()));
}

void MatrixLabel::ensureVisible(int row, int column) {
    const QRect r = valueRect(row, column);
    const QRect view = viewport();
    if (r.isEmpty())
        return;
    if (r.left() < view.left())
        hbar_->setValue(hbar_->value() - (view.left() - r.left()));
    else if (r.right() > view.right())
        hbar_->setValue(hbar_->value() + (r.right() - view.right()));
    if (r.top() < view.top())
        vbar_->setValue(vbar_->value() - (view.top() - r.top()));
    else if (r.bottom() > view.bottom())
        vbar_->setValue(vbar_->value() + (r.bottom() - view.bottom()));
}

void MatrixLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setClipRect(viewport());
    painter.setFont(font());
    painter.setPen(palette().color(foregroundRole()));
    const QFontMetrics metrics = fontMetrics();
    if (!title_.isEmpty()) {
        painter.setClipping(false);
        const int top = contentsRect().top() - metrics.lineSpacing();
        painter.drawText(contentsRect().left(), top + metrics.ascent(), title_);
        painter.setClipRect(viewport());
    }
    for (int i = 0; i < cells_.size(); ++i) {
        if (cells_[i].isEmpty())
            continue;
        // The row's band is black from its first value to its last, with two pixels more at
        // each end, so that no dot of a scene line stands between or beside its values.
        const QRect band = valueRect(i, 0).united(valueRect(i, cells_[i].size() - 1));
        if (!band.intersects(viewport()))
            continue;
        painter.fillRect(band.adjusted(-2, 0, 2, 0), ui::black);
        for (int j = 0; j < cells_[i].size(); ++j) {
            const QRect r = valueRect(i, j);
            painter.drawText(r.left(), r.top() + metrics.ascent(), cells_[i][j]);
        }
        const QRect bar = barRect(i);
        if (!bar.isEmpty())
            painter.drawText(bar.left(), bar.top() + metrics.ascent(), QStringLiteral("|"));
    }
    if (hasFocus()) {
        painter.setClipping(false);
        ui::focusFrame(painter, this);
    }
}

void MatrixLabel::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    updateMargins();
}

void MatrixLabel::wheelEvent(QWheelEvent* event) {
    const QPoint delta = event->angleDelta();
    const bool sideways =
        delta.x() != 0 || (event->modifiers() & Qt::ShiftModifier) || !vbar_->isVisibleTo(this);
    QScrollBar* bar = sideways ? hbar_ : vbar_;
    if (!bar->isVisibleTo(this)) {
        QLabel::wheelEvent(event);
        return;
    }
    const int steps = (delta.x() != 0 ? delta.x() : delta.y()) / 120;
    bar->setValue(bar->value() - steps * bar->singleStep() * 3);
    event->accept();
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
    if (scrollByKey(event)) {
        event->accept();
        return;
    }
    QLabel::keyPressEvent(event);
}

bool MatrixLabel::scrollByKey(const QKeyEvent* event) {
    const bool toCorner = event->modifiers() & Qt::ControlModifier;
    // Page Up and Page Down turn the rows' pages; a matrix of a single page turns its columns'.
    QScrollBar* pages = vbar_->maximum() > 0 ? vbar_ : hbar_;
    QScrollBar* bar = nullptr;
    QAbstractSlider::SliderAction step = QAbstractSlider::SliderNoAction;
    switch (event->key()) {
    case Qt::Key_Left:
        bar = hbar_;
        step = QAbstractSlider::SliderSingleStepSub;
        break;
    case Qt::Key_Right:
        bar = hbar_;
        step = QAbstractSlider::SliderSingleStepAdd;
        break;
    case Qt::Key_Up:
        bar = vbar_;
        step = QAbstractSlider::SliderSingleStepSub;
        break;
    case Qt::Key_Down:
        bar = vbar_;
        step = QAbstractSlider::SliderSingleStepAdd;
        break;
    case Qt::Key_PageUp:
        bar = pages;
        step = QAbstractSlider::SliderPageStepSub;
        break;
    case Qt::Key_PageDown:
        bar = pages;
        step = QAbstractSlider::SliderPageStepAdd;
        break;
    case Qt::Key_Home:
        if (toCorner)
            vbar_->setValue(vbar_->minimum());
        bar = hbar_;
        step = QAbstractSlider::SliderToMinimum;
        break;
    case Qt::Key_End:
        if (toCorner)
            vbar_->setValue(vbar_->maximum());
        bar = hbar_;
        step = QAbstractSlider::SliderToMaximum;
        break;
    default:
        return false;
    }
    if (bar->maximum() == 0 && !toCorner)
        return false;
    bar->triggerAction(step);
    return true;
}
