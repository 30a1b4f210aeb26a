// The desktop icons: every size has an alpha channel with transparent corners and an opaque
// tile, the 16-pixel one is drawn for its size, and the window icon is the same picture.
#include "windows/shared/icons.h"

#include <QDir>
#include <QImage>
#include <QtTest>

class TestIcons : public QObject {
    Q_OBJECT
  private slots:
    void pngHasAlpha_data();
    void pngHasAlpha();
    void smallIconIsDrawnForItsSize();
    void windowIconIsTheDesktopIcon();
};

namespace {

QImage icon(int size) {
    return QImage(QDir(QStringLiteral(SLAU_ICON_FOLDER))
                      .filePath(QStringLiteral("slau-%1.png").arg(size)))
        .convertToFormat(QImage::Format_ARGB32);
}

} // namespace

void TestIcons::pngHasAlpha_data() {
    QTest::addColumn<int>("size");
    for (const int size : {16, 32, 48, 64, 128, 256})
        QTest::addRow("%d", size) << size;
}

void TestIcons::pngHasAlpha() {
    QFETCH(int, size);
    const QString path =
        QDir(QStringLiteral(SLAU_ICON_FOLDER)).filePath(QStringLiteral("slau-%1.png").arg(size));
    const QImage raw(path);
    QVERIFY2(!raw.isNull(), qPrintable(path));
    QCOMPARE(raw.size(), QSize(size, size));
    QVERIFY(raw.hasAlphaChannel());
    const QImage image = icon(size);
    for (const QPoint corner :
         {QPoint(0, 0), QPoint(size - 1, 0), QPoint(0, size - 1), QPoint(size - 1, size - 1)})
        QCOMPARE(qAlpha(image.pixel(corner)), 0);
    QCOMPARE(qAlpha(image.pixel(size / 2, size / 2)), 255);
    // Bright green marks on the tile at every size.
    int bright = 0;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            bright += qGreen(image.pixel(x, y)) == 255 && qAlpha(image.pixel(x, y)) == 255;
    QVERIFY2(bright >= size * size / 20, qPrintable(QString::number(bright)));
}

// Scaled down from the large picture, the 16-pixel icon would be mostly half-tones; drawn on its
// own grid, its pixels are whole colours: black tile, full green, the rim.
void TestIcons::smallIconIsDrawnForItsSize() {
    const QImage small = icon(16);
    int halfTones = 0;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            const QRgb c = small.pixel(x, y);
            const bool whole =
                qAlpha(c) == 0 ||
                (qAlpha(c) == 255 && (qGreen(c) == 0 || qGreen(c) == 255 || qGreen(c) == 160));
            halfTones += !whole;
        }
    }
    QCOMPARE(halfTones, 0);
    const QImage scaled = icon(128).scaled(16, 16, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QVERIFY(scaled != small);
}

void TestIcons::windowIconIsTheDesktopIcon() {
    QImage expected(128, 128, QImage::Format_RGB888);
    expected.fill(Qt::black);
    const QImage desktop = icon(128);
    for (int y = 0; y < 128; ++y) {
        for (int x = 0; x < 128; ++x) {
            const QRgb c = desktop.pixel(x, y);
            const int a = qAlpha(c);
            // Laid on black, a pixel keeps its colour scaled by its coverage.
            expected.setPixel(x, y,
                              qRgb(qRed(c) * a / 255, qGreen(c) * a / 255, qBlue(c) * a / 255));
        }
    }
    const QImage window = icons::windowImage();
    QCOMPARE(window.size(), QSize(128, 128));
    int far = 0;
    for (int y = 0; y < 128; ++y)
        for (int x = 0; x < 128; ++x)
            far += std::abs(qGreen(window.pixel(x, y)) - qGreen(expected.pixel(x, y))) > 2;
    QCOMPARE(far, 0);
}

QTEST_MAIN(TestIcons)
#include "test_icons.moc"
