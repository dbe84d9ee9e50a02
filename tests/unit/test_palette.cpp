// The web-safe palette picture: the PNG compiled into the program is what the drawing
// code draws, every cell holds its cube colour and snaps to its web-safe colour, and the
// grid and the grey filler are where they belong.
#include "PaletteArt.h"

#include <QFile>
#include <QImage>
#include <QRect>
#include <QTest>

namespace {

const char PaletteResource[] = ":/res/palette.png";

// Stored channel values by level number.
constexpr int RedBlue[6] = {0x00, 0x2F, 0x60, 0x90, 0xCF, 0xFF};
constexpr int Green[6] = {0x00, 0x30, 0x67, 0x97, 0xC8, 0xFF};

const QRgb Black = qRgb(0, 0, 0);
const QRgb Grey = qRgb(0xDF, 0xD8, 0xDF);

// Grey over the unused end of the last row, through its right and bottom lines.
const QRect Trailing(QPoint(163, 109), QPoint(198, 120));

const QImage &File()
{
    static const QImage Image(PaletteResource);
    return Image;
}

QString Describe(QRgb Pixel)
{
    return QStringLiteral("#%1").arg(Pixel & 0xFFFFFF, 6, 16, QLatin1Char('0'));
}

int Snap(int V)
{
    return (V + 25) / 51 * 51;
}

// Fails at the first pixel in Area that isn't Want.
bool AllAre(const QImage &Image, const QRect &Area, QRgb Want, QString *Why)
{
    for (int Y = Area.top(); Y <= Area.bottom(); ++Y)
        for (int X = Area.left(); X <= Area.right(); ++X)
            if ((Image.pixel(X, Y) & 0xFFFFFF) != (Want & 0xFFFFFF)) {
                *Why = QStringLiteral("(%1, %2) is %3, want %4")
                           .arg(X).arg(Y).arg(Describe(Image.pixel(X, Y)), Describe(Want));
                return false;
            }
    return true;
}

} // namespace

class TestPalette : public QObject
{
    Q_OBJECT

private slots:
    void committedFileMatchesDrawing();
    void fileIsRgbPng();
    void cells_data();
    void cells();
    void cellsSnapToWebSafe_data();
    void cellsSnapToWebSafe();
    void gridLines_data();
    void gridLines();
    void trailingArea_data();
    void trailingArea();
};

void TestPalette::committedFileMatchesDrawing()
{
    QVERIFY2(!File().isNull(), "the palette picture is missing from the resources");
    const QImage Art = DrawPalettePicture();
    QCOMPARE(Art.format(), QImage::Format_RGB888);
    QCOMPARE(Art.size(), QSize(200, 121));
    QCOMPARE(File().size(), Art.size());
    QVERIFY(!File().hasAlphaChannel());
    for (int Y = 0; Y < Art.height(); ++Y)
        for (int X = 0; X < Art.width(); ++X)
            if (File().pixel(X, Y) != Art.pixel(X, Y))
                QFAIL(qPrintable(QStringLiteral("res/palette.png is stale at (%1, %2): "
                                                "file has %3, drawing has %4; rerun gen_palette")
                                     .arg(X).arg(Y)
                                     .arg(Describe(File().pixel(X, Y)),
                                          Describe(Art.pixel(X, Y)))));
}

void TestPalette::fileIsRgbPng()
{
    QFile Png(PaletteResource);
    QVERIFY(Png.open(QIODevice::ReadOnly));
    const QByteArray Bytes = Png.readAll();
    QVERIFY(Bytes.startsWith("\x89PNG\r\n\x1a\n"));
    QCOMPARE(Bytes.mid(12, 4), QByteArray("IHDR"));
    QCOMPARE(int(Bytes.at(24)), 8); // bit depth
    QCOMPARE(int(Bytes.at(25)), 2); // colour type: RGB, no alpha
    QVERIFY2(!Bytes.contains("tRNS"), "the picture carries transparency");
}

// One row per cube colour, counting red slowest and blue fastest, placed left to
// right and top to bottom 22 to a row.
void TestPalette::cells_data()
{
    QTest::addColumn<QRect>("cell");
    QTest::addColumn<QPoint>("levels"); // red, green
    QTest::addColumn<int>("blueLevel");
    QTest::addColumn<QRgb>("colour");
    int Index = 0;
    for (int R = 0; R < 6; ++R)
        for (int G = 0; G < 6; ++G)
            for (int B = 0; B < 6; ++B, ++Index) {
                const int Column = Index % 22, Row = Index / 22;
                const QRect Cell(9 * Column + 1, 12 * Row + 1, 8, 11);
                QTest::addRow("%d: row %d column %d", Index, Row, Column)
                    << Cell << QPoint(R, G) << B << qRgb(RedBlue[R], Green[G], RedBlue[B]);
            }
}

void TestPalette::cells()
{
    QFETCH(QRect, cell);
    QFETCH(QRgb, colour);
    QString Why;
    QVERIFY2(AllAre(File(), cell, colour, &Why), qPrintable(Why));
}

void TestPalette::cellsSnapToWebSafe_data()
{
    cells_data();
}

void TestPalette::cellsSnapToWebSafe()
{
    QFETCH(QRect, cell);
    QFETCH(QPoint, levels);
    QFETCH(int, blueLevel);
    const QRgb Pixel = File().pixel(cell.center());
    QCOMPARE(Snap(qRed(Pixel)), 51 * levels.x());
    QCOMPARE(Snap(qGreen(Pixel)), 51 * levels.y());
    QCOMPARE(Snap(qBlue(Pixel)), 51 * blueLevel);
}

// Each grid line, in the part of it the grey filler leaves alone.
void TestPalette::gridLines_data()
{
    QTest::addColumn<QRect>("line");
    for (int K = 0; K <= 22; ++K) {
        const int X = 9 * K;
        const int Bottom = X > Trailing.left() ? Trailing.top() - 1 : 120;
        QTest::addRow("x = %d", X) << QRect(QPoint(X, 0), QPoint(X, Bottom));
    }
    for (int K = 0; K <= 10; ++K) {
        const int Y = 12 * K;
        const int Right = Y >= Trailing.top() ? Trailing.left() - 1 : 198;
        QTest::addRow("y = %d", Y) << QRect(QPoint(0, Y), QPoint(Right, Y));
    }
}

void TestPalette::gridLines()
{
    QFETCH(QRect, line);
    QString Why;
    QVERIFY2(AllAre(File(), line, Black, &Why), qPrintable(Why));
}

void TestPalette::trailingArea_data()
{
    QTest::addColumn<QRect>("area");
    QTest::addColumn<QRgb>("colour");
    QTest::newRow("first pixel") << QRect(163, 109, 1, 1) << Grey;
    QTest::newRow("whole area") << Trailing << Grey;
    QTest::newRow("line left of it") << QRect(QPoint(162, 109), QPoint(162, 120)) << Black;
    QTest::newRow("line above it") << QRect(QPoint(162, 108), QPoint(198, 108)) << Black;
    QTest::newRow("last cell left of it") << QRect(154, 109, 8, 11) << qRgb(0xFF, 0xFF, 0xFF);
    QTest::newRow("last column") << QRect(QPoint(199, 0), QPoint(199, 120)) << Grey;
}

void TestPalette::trailingArea()
{
    QFETCH(QRect, area);
    QFETCH(QRgb, colour);
    QString Why;
    QVERIFY2(AllAre(File(), area, colour, &Why), qPrintable(Why));
}

QTEST_GUILESS_MAIN(TestPalette)
#include "test_palette.moc"
