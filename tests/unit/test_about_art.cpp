// The About picture: the committed PNG has the bands and the two lines of text where
// they belong, in their colours, with nothing else on the white, and the drawing code
// still produces it for the project's version.
#include "AboutArt.h"

#include <QFile>
#include <QFontDatabase>
#include <QImage>
#include <QRect>
#include <QTest>
#include <cmath>

namespace {

const char AboutResource[] = ":/res/about.png";
const char FontFamily[] = "DejaVu Sans Mono";

const QRgb White = qRgb(0xFF, 0xFF, 0xFF);
const QRgb Green = qRgb(0xC7, 0xE1, 0x9E);
const QRgb Yellow = qRgb(0xFF, 0xF9, 0x9D);
const QRgb Salmon = qRgb(0xF4, 0x9F, 0x9B);
const QRgb Teal = qRgb(0x11, 0x49, 0x48);
const QRgb SalmonRed = qRgb(0xE6, 0x75, 0x70);

const QRect GreenBand(205, 0, 9, 170);
const QRect YellowBand(0, 114, 283, 13);
const QRect SalmonLine(0, 131, 283, 3);

// The text's ink boxes, in whole pixels.
const QRect NameBox(QPoint(11, 71), QPoint(162, 88));
const QRect VersionBox(QPoint(88, 94), QPoint(173, 102));
// How far ink may stray past its box.
constexpr int Slack = 1;

// Rows that no horizontal band crosses.
const struct {
    int Top, Bottom;
} OpenRows[] = {{0, 113}, {127, 130}, {134, 169}};

const QImage &File()
{
    static const QImage Image(AboutResource);
    return Image;
}

QString Describe(QRgb Pixel)
{
    return QStringLiteral("#%1").arg(Pixel & 0xFFFFFF, 6, 16, QLatin1Char('0'));
}

QString At(QPoint P, QRgb Pixel)
{
    return QStringLiteral("(%1, %2) is %3").arg(P.x()).arg(P.y()).arg(Describe(Pixel));
}

bool Same(QRgb A, QRgb B)
{
    return (A & 0xFFFFFF) == (B & 0xFFFFFF);
}

// How much of Ink a smoothed pixel holds, 0 for white to 1 for Ink, or -1 when the
// pixel is not a mix of white and Ink (off by more than rounding in some channel).
double InkShare(QRgb Pixel, QRgb Ink)
{
    const int Have[3] = {qRed(Pixel), qGreen(Pixel), qBlue(Pixel)};
    const int Full[3] = {qRed(Ink), qGreen(Ink), qBlue(Ink)};
    // The channel furthest from white measures the share best.
    int Widest = 0;
    for (int C = 1; C < 3; ++C)
        if (255 - Full[C] > 255 - Full[Widest])
            Widest = C;
    const double Share = double(255 - Have[Widest]) / (255 - Full[Widest]);
    for (int C = 0; C < 3; ++C)
        if (std::abs(255 - Share * (255 - Full[C]) - Have[C]) > 2.5)
            return -1;
    return Share;
}

bool InBands(QPoint P)
{
    return GreenBand.contains(P) || YellowBand.contains(P) || SalmonLine.contains(P);
}

bool FontInstalled()
{
    return QFontDatabase::families().contains(QLatin1String(FontFamily));
}

} // namespace

class TestAboutArt : public QObject
{
    Q_OBJECT

private slots:
    void fileIsRgbPng();
    void bands_data();
    void bands();
    void text_data();
    void text();
    void noOtherInk();
    void drawingReproducesFile();
    void versionOnlyChangesItsLine();
};

void TestAboutArt::fileIsRgbPng()
{
    QVERIFY2(!File().isNull(), "the About picture is missing from the resources");
    QCOMPARE(File().size(), QSize(283, 170));
    QVERIFY(!File().hasAlphaChannel());

    QFile Png(AboutResource);
    QVERIFY(Png.open(QIODevice::ReadOnly));
    const QByteArray Bytes = Png.readAll();
    QVERIFY(Bytes.startsWith("\x89PNG\r\n\x1a\n"));
    QCOMPARE(Bytes.mid(12, 4), QByteArray("IHDR"));
    QCOMPARE(int(Bytes.at(24)), 8); // bit depth
    QCOMPARE(int(Bytes.at(25)), 2); // colour type: RGB, no alpha
    QVERIFY2(!Bytes.contains("tRNS"), "the picture carries transparency");
}

// Each band whole, the horizontal ones on top where they cross the green one, and
// white just outside every band edge.
void TestAboutArt::bands_data()
{
    QTest::addColumn<QRect>("area");
    QTest::addColumn<QRgb>("colour");
    QTest::newRow("yellow band") << YellowBand << Yellow;
    QTest::newRow("salmon line") << SalmonLine << Salmon;
    QTest::newRow("crossing, yellow on top") << (GreenBand & YellowBand) << Yellow;
    QTest::newRow("crossing, salmon on top") << (GreenBand & SalmonLine) << Salmon;
    for (const auto &Rows : OpenRows) {
        const QRect Span(QPoint(0, Rows.Top), QPoint(282, Rows.Bottom));
        QTest::addRow("green band, rows %d-%d", Rows.Top, Rows.Bottom)
            << (GreenBand & Span) << Green;
        for (int X : {204, 214})
            QTest::addRow("x = %d, rows %d-%d", X, Rows.Top, Rows.Bottom)
                << QRect(QPoint(X, Rows.Top), QPoint(X, Rows.Bottom)) << White;
    }
    for (int Y : {113, 127, 130, 134}) {
        QTest::addRow("y = %d, left of the green band", Y)
            << QRect(QPoint(0, Y), QPoint(204, Y)) << White;
        QTest::addRow("y = %d, on the green band", Y)
            << QRect(QPoint(205, Y), QPoint(213, Y)) << Green;
        QTest::addRow("y = %d, right of the green band", Y)
            << QRect(QPoint(214, Y), QPoint(282, Y)) << White;
    }
}

void TestAboutArt::bands()
{
    QFETCH(QRect, area);
    QFETCH(QRgb, colour);
    QVERIFY(!area.isEmpty());
    for (int Y = area.top(); Y <= area.bottom(); ++Y)
        for (int X = area.left(); X <= area.right(); ++X) {
            const QRgb Pixel = File().pixel(X, Y);
            QVERIFY2(Same(Pixel, colour),
                     qPrintable(At({X, Y}, Pixel) + ", want " + Describe(colour)));
        }
}

// Each line's ink, looked for around its box: smoothed mixes of white and the line's
// colour, at full strength somewhere, filling the box to within a pixel or two.
void TestAboutArt::text_data()
{
    QTest::addColumn<QRect>("box");
    QTest::addColumn<QRgb>("ink");
    QTest::newRow("name") << NameBox << Teal;
    QTest::newRow("version") << VersionBox << SalmonRed;
}

void TestAboutArt::text()
{
    QFETCH(QRect, box);
    QFETCH(QRgb, ink);
    const QRect Around = box.adjusted(-Slack, -Slack, Slack, Slack);
    QRect Inked;
    double Strongest = 0;
    QRgb StrongestPixel = White;
    for (int Y = Around.top(); Y <= Around.bottom(); ++Y)
        for (int X = Around.left(); X <= Around.right(); ++X) {
            const QRgb Pixel = File().pixel(X, Y);
            if (Same(Pixel, White))
                continue;
            const double Share = InkShare(Pixel, ink);
            QVERIFY2(Share > 0, qPrintable(At({X, Y}, Pixel) + ", not a shade of "
                                           + Describe(ink)));
            Inked |= QRect(X, Y, 1, 1);
            if (Share > Strongest) {
                Strongest = Share;
                StrongestPixel = Pixel;
            }
        }
    QCOMPARE(Describe(StrongestPixel), Describe(ink));

    const auto Near = [](int A, int B) { return std::abs(A - B) <= 2; };
    const QString Where = QStringLiteral("ink spans x %1-%2, y %3-%4")
                              .arg(Inked.left()).arg(Inked.right())
                              .arg(Inked.top()).arg(Inked.bottom());
    QVERIFY2(Near(Inked.left(), box.left()) && Near(Inked.right(), box.right())
                 && Near(Inked.top(), box.top()) && Near(Inked.bottom(), box.bottom()),
             qPrintable(Where));
}

// Outside the bands and the text boxes the picture is plain white.
void TestAboutArt::noOtherInk()
{
    const QRect NameAround = NameBox.adjusted(-Slack, -Slack, Slack, Slack);
    const QRect VersionAround = VersionBox.adjusted(-Slack, -Slack, Slack, Slack);
    for (int Y = 0; Y < File().height(); ++Y)
        for (int X = 0; X < File().width(); ++X) {
            const QPoint P(X, Y);
            if (InBands(P) || NameAround.contains(P) || VersionAround.contains(P))
                continue;
            QVERIFY2(Same(File().pixel(P), White), qPrintable(At(P, File().pixel(P))));
        }
}

void TestAboutArt::drawingReproducesFile()
{
    if (!FontInstalled())
        QSKIP("DejaVu Sans Mono is not installed (Debian: fonts-dejavu-core), so the "
              "drawing cannot match res/about.png");
    const QImage Art = DrawAboutPicture(QStringLiteral(TAVRIN_VERSION));
    QCOMPARE(Art.format(), QImage::Format_RGB888);
    QCOMPARE(Art.size(), File().size());
    for (int Y = 0; Y < Art.height(); ++Y)
        for (int X = 0; X < Art.width(); ++X)
            if (!Same(File().pixel(X, Y), Art.pixel(X, Y)))
                QFAIL(qPrintable(QStringLiteral("res/about.png is stale at (%1, %2): file has "
                                                "%3, drawing for version %4 has %5; rerun "
                                                "gen_about")
                                     .arg(X).arg(Y)
                                     .arg(Describe(File().pixel(X, Y)), TAVRIN_VERSION,
                                          Describe(Art.pixel(X, Y)))));
}

// Another version redraws the version line and leaves the rest of the picture alone.
void TestAboutArt::versionOnlyChangesItsLine()
{
    if (!FontInstalled())
        QSKIP("DejaVu Sans Mono is not installed (Debian: fonts-dejavu-core)");
    const QImage Art = DrawAboutPicture(QStringLiteral("9.87"));
    const QRect VersionAround = VersionBox.adjusted(-Slack, -Slack, Slack, Slack);
    bool Changed = false;
    for (int Y = 0; Y < Art.height(); ++Y)
        for (int X = 0; X < Art.width(); ++X) {
            const QPoint P(X, Y);
            const bool Unchanged = Same(File().pixel(P), Art.pixel(P));
            if (VersionAround.contains(P))
                Changed |= !Unchanged;
            else
                QVERIFY2(Unchanged, qPrintable(At(P, Art.pixel(P)) + " for version 9.87"));
        }
    QVERIFY2(Changed, "the version line did not change with the version");
}

QTEST_MAIN(TestAboutArt)
#include "test_about_art.moc"
