// The main icon: the PNG compiled into the program is what the drawing code draws,
// it is a palette image with a hard mask, and each part of the picture is where a
// person looks for it.
#include "IconArt.h"

#include <QColor>
#include <QFile>
#include <QHash>
#include <QImage>
#include <QSet>
#include <QTest>

namespace {

const char IconResource[] = ":/res/tpicker.png";

// What a region of the picture should look like.
enum class Look { Clear, BlueViolet, Yellow, Red, DarkRed, White };

bool IsRedHue(const QColor &C)
{
    return C.hsvHue() >= 0 && (C.hsvHue() <= 12 || C.hsvHue() >= 348);
}

bool Shows(QRgb Pixel, Look L)
{
    const QColor C = QColor::fromRgba(Pixel);
    if (L == Look::Clear)
        return C.alpha() == 0;
    if (C.alpha() != 255)
        return false;
    switch (L) {
    case Look::BlueViolet:
        return C.hsvHue() >= 230 && C.hsvHue() <= 275 && C.hsvSaturation() >= 80
            && C.value() >= 140;
    case Look::Yellow:
        return C.hsvHue() >= 40 && C.hsvHue() <= 65 && C.hsvSaturation() >= 150 && C.value() >= 220;
    case Look::Red:
        return IsRedHue(C) && C.hsvSaturation() >= 150 && C.value() >= 180;
    case Look::DarkRed:
        return IsRedHue(C) && C.hsvSaturation() >= 150 && C.value() >= 40 && C.value() <= 100;
    case Look::White:
        return C.hsvSaturation() <= 20 && C.value() >= 240;
    case Look::Clear:
        break;
    }
    return false;
}

bool IsBalloon(QRgb Pixel)
{
    return Shows(Pixel, Look::BlueViolet);
}

// Each size is drawn once for the whole run; 32 px is the icon the program ships.
const QImage &Drawn(int Size)
{
    static QHash<int, QImage> Cache;
    auto It = Cache.find(Size);
    if (It == Cache.end())
        It = Cache.insert(Size, Size == 32 ? DrawMainIcon() : DrawMainIconAt(Size));
    return *It;
}

// The pixel of a Size-px icon over the centre of pixel At of the 32-px one.
QRgb SampleAt(const QImage &Icon, QPoint At)
{
    const double Scale = Icon.width() / 32.0;
    return Icon.pixel(int((At.x() + 0.5) * Scale), int((At.y() + 0.5) * Scale));
}

QString Describe(QRgb Pixel)
{
    return QStringLiteral("#%1").arg(Pixel, 8, 16, QLatin1Char('0'));
}

QImage Source(const QString &Name)
{
    return Name == QLatin1String("file") ? QImage(IconResource) : Drawn(32);
}

} // namespace

Q_DECLARE_METATYPE(Look)

class TestIcon : public QObject
{
    Q_OBJECT

private slots:
    void committedFileMatchesDrawing();
    void fileIsPalettePng();
    void format_data();
    void format();
    void cornersAreClear_data();
    void cornersAreClear();
    void regions_data();
    void regions();
    void rimIsLighter_data();
    void rimIsLighter();
    void tailPointsDownRight_data();
    void tailPointsDownRight();
};

void TestIcon::committedFileMatchesDrawing()
{
    const QImage File(IconResource);
    QVERIFY2(!File.isNull(), "the icon is missing from the resources");
    const QImage Art = DrawMainIcon();
    QCOMPARE(File.format(), Art.format());
    QCOMPARE(File.size(), Art.size());
    QCOMPARE(File.colorTable(), Art.colorTable());
    for (int Y = 0; Y < Art.height(); ++Y)
        for (int X = 0; X < Art.width(); ++X)
            if (File.pixelIndex(X, Y) != Art.pixelIndex(X, Y))
                QFAIL(qPrintable(QStringLiteral("res/tpicker.png is stale at (%1, %2): "
                                                "file has %3, drawing has %4; rerun gen_icon")
                                     .arg(X).arg(Y)
                                     .arg(File.pixelIndex(X, Y))
                                     .arg(Art.pixelIndex(X, Y))));
}

void TestIcon::fileIsPalettePng()
{
    QFile File(IconResource);
    QVERIFY(File.open(QIODevice::ReadOnly));
    const QByteArray Png = File.readAll();
    QVERIFY(Png.startsWith("\x89PNG\r\n\x1a\n"));
    QCOMPARE(Png.mid(12, 4), QByteArray("IHDR"));
    QCOMPARE(int(Png.at(24)), 8); // bit depth
    QCOMPARE(int(Png.at(25)), 3); // colour type: palette
    QVERIFY(Png.contains("PLTE"));
    QVERIFY2(Png.contains("tRNS"), "the palette carries no transparency");
}

void TestIcon::format_data()
{
    QTest::addColumn<QString>("source");
    QTest::newRow("file") << QStringLiteral("file");
    QTest::newRow("drawing") << QStringLiteral("drawing");
}

void TestIcon::format()
{
    QFETCH(QString, source);
    const QImage Icon = Source(source);
    QCOMPARE(Icon.size(), QSize(32, 32));
    QCOMPARE(Icon.format(), QImage::Format_Indexed8);
    QVERIFY(Icon.colorCount() > 0 && Icon.colorCount() <= 256);
    QCOMPARE(qAlpha(Icon.color(0)), 0);

    QSet<int> Used;
    for (int Y = 0; Y < Icon.height(); ++Y)
        for (int X = 0; X < Icon.width(); ++X)
            Used.insert(Icon.pixelIndex(X, Y));
    QVERIFY2(Used.size() >= 12 && Used.size() <= 16,
             qPrintable(QStringLiteral("%1 colours in use").arg(Used.size())));
    for (int Index : Used) {
        const int Alpha = qAlpha(Icon.color(Index));
        QVERIFY2(Alpha == 0 || Alpha == 255,
                 qPrintable(QStringLiteral("colour %1 has alpha %2").arg(Index).arg(Alpha)));
    }
}

void TestIcon::cornersAreClear_data()
{
    QTest::addColumn<QPoint>("corner");
    QTest::newRow("top left") << QPoint(0, 0);
    QTest::newRow("top right") << QPoint(31, 0);
    QTest::newRow("bottom left") << QPoint(0, 31);
    QTest::newRow("bottom right") << QPoint(31, 31);
}

void TestIcon::cornersAreClear()
{
    QFETCH(QPoint, corner);
    QCOMPARE(qAlpha(Drawn(32).pixel(corner)), 0);
}

void TestIcon::regions_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<Look>("look");

    // Positions on the 32-px icon; the larger drawing must agree with it.
    const struct {
        const char *Name;
        QPoint At;
        Look L;
    } Samples[] = {
        {"balloon body, left", {2, 9}, Look::BlueViolet},
        {"balloon body, top", {16, 3}, Look::BlueViolet},
        {"balloon body, right", {29, 9}, Look::BlueViolet},
        {"balloon rim, top", {16, 1}, Look::BlueViolet},
        {"above the balloon", {16, 0}, Look::Clear},
        {"R stem", {5, 8}, Look::Yellow},
        {"R leg", {10, 12}, Look::Yellow},
        {"between R and G", {12, 8}, Look::BlueViolet},
        {"G stem", {13, 9}, Look::Yellow},
        {"G bar", {17, 9}, Look::Yellow},
        {"G opening", {18, 8}, Look::BlueViolet},
        {"B upper bowl", {25, 6}, Look::Yellow},
        {"B lower counter", {24, 11}, Look::BlueViolet},
        {"tail root", {10, 18}, Look::BlueViolet},
        {"tail tip", {12, 21}, Look::BlueViolet},
        {"left of the tail", {4, 20}, Look::Clear},
        {"between tail and mouth", {15, 21}, Look::Clear},
        {"under the balloon, right", {24, 18}, Look::Clear},
        {"left of the mouth", {16, 24}, Look::Clear},
        {"upper lip", {24, 20}, Look::Red},
        {"side of the mouth", {18, 24}, Look::Red},
        {"lower lip", {24, 30}, Look::Red},
        {"front tooth", {22, 21}, Look::White},
        {"side tooth", {26, 22}, Look::White},
        {"inside of the mouth", {24, 24}, Look::DarkRed},
        {"inside, lower left", {21, 26}, Look::DarkRed},
    };
    for (int Size : {32, 64})
        for (const auto &S : Samples)
            QTest::addRow("%d px: %s", Size, S.Name) << Size << S.At << S.L;
}

void TestIcon::regions()
{
    QFETCH(int, size);
    QFETCH(QPoint, at);
    QFETCH(Look, look);
    const QRgb Pixel = SampleAt(Drawn(size), at);
    QVERIFY2(Shows(Pixel, look), qPrintable(Describe(Pixel)));
}

void TestIcon::rimIsLighter_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<QPoint>("rim");
    QTest::addColumn<QPoint>("body");
    for (int Size : {32, 64}) {
        QTest::addRow("%d px: top", Size) << Size << QPoint(16, 1) << QPoint(16, 3);
        QTest::addRow("%d px: left", Size) << Size << QPoint(0, 9) << QPoint(2, 9);
        QTest::addRow("%d px: right", Size) << Size << QPoint(31, 9) << QPoint(29, 9);
        QTest::addRow("%d px: tail", Size) << Size << QPoint(9, 19) << QPoint(10, 19);
    }
}

void TestIcon::rimIsLighter()
{
    QFETCH(int, size);
    QFETCH(QPoint, rim);
    QFETCH(QPoint, body);
    const QImage &Icon = Drawn(size);
    const QColor Rim = QColor::fromRgba(SampleAt(Icon, rim));
    const QColor Body = QColor::fromRgba(SampleAt(Icon, body));
    QVERIFY2(IsBalloon(Rim.rgba()), qPrintable(Describe(Rim.rgba())));
    QVERIFY2(IsBalloon(Body.rgba()), qPrintable(Describe(Body.rgba())));
    QVERIFY2(Rim.lightness() > Body.lightness() + 20,
             qPrintable(Describe(Rim.rgba()) + " vs " + Describe(Body.rgba())));
}

void TestIcon::tailPointsDownRight_data()
{
    QTest::addColumn<int>("size");
    QTest::newRow("32 px") << 32;
    QTest::newRow("64 px") << 64;
}

// Below the balloon, only the tail is balloon-coloured: it hangs from the left half
// and its middle moves right as it goes down.
void TestIcon::tailPointsDownRight()
{
    QFETCH(int, size);
    const QImage &Icon = Drawn(size);
    const int Mid = size / 2;

    int Bottom = -1;
    for (int Y = 0; Y < size; ++Y)
        if (IsBalloon(Icon.pixel(Mid, Y)))
            Bottom = Y;
    QVERIFY2(Bottom >= size * 3 / 8 && Bottom < size * 5 / 8,
             qPrintable(QStringLiteral("balloon ends at row %1").arg(Bottom)));

    QList<double> Middles;
    for (int Y = Bottom + 1; Y < size; ++Y) {
        double Sum = 0;
        int Count = 0;
        for (int X = 0; X < size; ++X) {
            if (!IsBalloon(Icon.pixel(X, Y)))
                continue;
            QVERIFY2(X < Mid,
                     qPrintable(QStringLiteral("balloon colour at (%1, %2)").arg(X).arg(Y)));
            Sum += X;
            ++Count;
        }
        if (Count == 0)
            break;
        Middles.append(Sum / Count);
    }
    QVERIFY2(Middles.size() >= size / 10,
             qPrintable(QStringLiteral("tail is %1 rows long").arg(Middles.size())));
    for (qsizetype I = 1; I < Middles.size(); ++I)
        QVERIFY2(Middles[I] >= Middles[I - 1],
                 qPrintable(QStringLiteral("tail turns left below row %1").arg(Bottom + I)));
    QVERIFY(Middles.last() - Middles.first() >= size / 16.0);
}

QTEST_GUILESS_MAIN(TestIcon)
#include "test_icon.moc"
