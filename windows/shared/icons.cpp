#include "windows/shared/icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygon>

namespace {

const QColor green{0, 255, 0};
const QColor darkGreen{0, 128, 0};

// Draws one character of the pictures with strokes, so that no font is needed: the digits in
// seven segments, and x, y, +, = in lines. The cell is w by h pixels at (x, y).
void drawGlyph(QPainter& p, char c, qreal x, qreal y, qreal w, qreal h) {
    if (c == '1') {
        p.drawLine(QPointF(x + w / 2, y), QPointF(x + w / 2, y + h)); // centred in its cell
        return;
    }
    if (c >= '0' && c <= '9') {
        // Segments a (top), b, c (right), d (bottom), e, f (left), g (middle) as end points.
        const QPointF tl(x, y), tr(x + w, y), ml(x, y + h / 2), mr(x + w, y + h / 2);
        const QPointF bl(x, y + h), br(x + w, y + h);
        const QLineF segment[7] = {{tl, tr}, {tr, mr}, {mr, br}, {bl, br},
                                   {ml, bl}, {tl, ml}, {ml, mr}};
        static const char* const lit[10] = {"abcdef", "bc",     "abged", "abgcd",   "fgbc",
                                            "afgcd",  "afgedc", "abc",   "abcdefg", "abcdfg"};
        for (const char* s = lit[c - '0']; *s; ++s)
            p.drawLine(segment[*s - 'a']);
        return;
    }
    const QPointF bl(x, y + h), br(x + w, y + h);
    const QPointF lowMid(x, y + h * 0.4), lowMidR(x + w, y + h * 0.4);
    switch (c) {
    case 'x':
        p.drawLine(lowMid, br);
        p.drawLine(lowMidR, bl);
        break;
    case 'y':
        p.drawLine(lowMid, QPointF(x + w / 2, y + h * 0.75));
        p.drawLine(lowMidR, QPointF(x + w * 0.2, y + h * 1.15));
        break;
    case '+':
        p.drawLine(QPointF(x, y + h * 0.65), QPointF(x + w, y + h * 0.65));
        p.drawLine(QPointF(x + w / 2, y + h * 0.4), QPointF(x + w / 2, y + h * 0.9));
        break;
    case '=':
        p.drawLine(QPointF(x, y + h * 0.5), QPointF(x + w, y + h * 0.5));
        p.drawLine(QPointF(x, y + h * 0.8), QPointF(x + w, y + h * 0.8));
        break;
    default:
        break;
    }
}

void drawText(QPainter& p, const char* text, qreal x, qreal y, qreal w, qreal h, qreal pitch) {
    for (; *text; ++text, x += pitch)
        drawGlyph(p, *text, x, y, w, h);
}

QPen stroke(const QColor& colour, qreal width) {
    return QPen(colour, width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
}

// The desktop icon (data/icons/slau.svg, rendered at 128 pixels) laid on black: a 24-bit picture
// with the same matrix in brackets.
QImage drawWindowImage() {
    const QImage icon(QStringLiteral(":/icons/slau-128.png"));
    QImage image(128, 128, QImage::Format_RGB888);
    image.fill(Qt::black);
    QPainter p(&image);
    p.drawImage(QRect(0, 0, 128, 128), icon);
    return image;
}

// A system of two equations under a brace, and its solution below a rule.
QImage drawAboutImage() {
    QImage image(128, 128, QImage::Format_RGB888);
    image.fill(QColor(38, 38, 38));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(stroke(green, 3));
    QPainterPath brace;
    brace.moveTo(22, 10);
    brace.cubicTo(12, 10, 16, 36, 8, 38);
    brace.cubicTo(16, 40, 12, 66, 22, 66);
    p.drawPath(brace);
    drawText(p, "2x+y=4", 28, 12, 10, 18, 16);
    drawText(p, "x+3y=7", 28, 44, 10, 18, 16);
    p.setPen(stroke(darkGreen, 2));
    p.drawLine(QPoint(8, 78), QPoint(120, 78));
    p.setPen(stroke(QColor(0, 255, 255), 3));
    drawText(p, "x=1", 10, 92, 10, 20, 16);
    drawText(p, "y=2", 72, 92, 10, 20, 16);
    return image;
}

// A red arrow going down into a yellow folder, without smoothing so that only the 16 VGA
// colours appear; drawn on a 32-pixel grid and scaled for the small size.
QImage drawLibraryImage(int size) {
    QImage image(size, size, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.scale(size / 32.0, size / 32.0);
    p.setPen(QPen(QColor(128, 128, 0), 2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(QColor(255, 255, 0));
    p.drawRect(3, 11, 10, 4);
    p.drawRect(3, 14, 26, 15);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 0, 0));
    p.drawRect(13, 0, 6, 12);
    p.drawPolygon(QPolygon({QPoint(7, 11), QPoint(25, 11), QPoint(16, 22)}));
    p.end();
    return image.convertToFormat(QImage::Format_Indexed8, icons::vgaColours(),
                                 Qt::ThresholdDither | Qt::AvoidDither);
}

} // namespace

namespace icons {

const QVector<QRgb>& vgaColours() {
    static const QVector<QRgb> colours = {
        qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
        qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
        qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
        qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255)};
    return colours;
}

QImage windowImage() {
    static const QImage image = drawWindowImage();
    return image;
}

QImage aboutImage() {
    static const QImage image = drawAboutImage();
    return image;
}

QImage libraryImage(int size) {
    static const QImage large = drawLibraryImage(32);
    static const QImage small = drawLibraryImage(16);
    return size <= 16 ? small : large;
}

QIcon windowIcon() {
    return QIcon(QPixmap::fromImage(windowImage()));
}

QPixmap aboutPicture() {
    // One picture for every about window, which is made afresh at every showing, for the reason
    // the save/load window's icon is made once (below).
    static const QPixmap picture = QPixmap::fromImage(aboutImage());
    return picture;
}

QIcon libraryIcon() {
    // One icon for every save/load window, which is made afresh at every showing. Under X the
    // window's icon is drawn at each of its sizes through the program's picture cache, keyed by
    // the picture's identity: new pictures at every opening would add entries, kept until the
    // cache is full, that no window uses again.
    static const QIcon icon = [] {
        QIcon made;
        made.addPixmap(QPixmap::fromImage(libraryImage(32)));
        made.addPixmap(QPixmap::fromImage(libraryImage(16)));
        return made;
    }();
    return icon;
}

} // namespace icons
