// The main icon: a speech balloon saying "RGB" above a laughing mouth.
//
// A pixel takes the ink of the last shape that covers its centre, with no smoothing, so
// each pixel is one palette entry and either fully opaque or fully clear. The shapes are
// laid out in a design space: the 32-unit design is tuned for 32 px (one unit, one
// pixel, no pixel centre on an edge) and 64, 128 and 256 px sample it more finely. At 16
// and 48 px its whole-unit edges would pass through pixel centres and its strokes come
// out uneven, so those sizes have designs of their own, laid out in whole pixels.
#include "IconArt.h"

#include "Shapes.h"

#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <algorithm>
#include <vector>

namespace {

using namespace art;

constexpr int NativeSize = 32;

// One palette entry per ink; index 0 is the clear background.
enum Ink : uchar {
    Clear,
    BalloonRim,
    BalloonBody,
    BalloonShade,
    LetterFill,
    LetterShadow,
    LipOutline,
    Lip,
    LipShine,
    MouthInside,
    Tooth,
    ToothShade,
    Tongue,
    TongueShade,
    InkCount
};

constexpr QRgb InkColours[InkCount] = {
    qRgba(0, 0, 0, 0),     // Clear
    qRgb(160, 150, 255),   // BalloonRim: light lavender edge
    qRgb(92, 72, 224),     // BalloonBody: blue-violet
    qRgb(62, 44, 168),     // BalloonShade: the body's lower inside edge
    qRgb(255, 224, 48),    // LetterFill: yellow
    qRgb(40, 24, 112),     // LetterShadow: deep violet under the letters
    qRgb(120, 8, 16),      // LipOutline
    qRgb(224, 36, 40),     // Lip: red
    qRgb(255, 120, 110),   // LipShine: highlight on the lower lip
    qRgb(80, 4, 12),       // MouthInside: dark red
    qRgb(255, 255, 255),   // Tooth
    qRgb(200, 200, 216),   // ToothShade: gaps between teeth
    qRgb(240, 96, 112),    // Tongue
    qRgb(192, 56, 72),     // TongueShade
};

class Canvas
{
public:
    Canvas(int Size, double DesignUnits)
        : Image(Size, Size, QImage::Format_Indexed8), Unit(DesignUnits / Size)
    {
        // Spare entries are opaque, so the PNG's transparency table holds index 0 only.
        QList<QRgb> Table(256, qRgb(0, 0, 0));
        std::copy(std::begin(InkColours), std::end(InkColours), Table.begin());
        Image.setColorTable(Table);
        Image.fill(Clear);
    }

    void Fill(const Shape &S, Ink With)
    {
        for (int Y = 0; Y < Image.height(); ++Y)
            for (int X = 0; X < Image.width(); ++X)
                if (S(QPointF((X + 0.5) * Unit, (Y + 0.5) * Unit)))
                    Image.setPixel(X, Y, With);
    }

    QImage Image;

private:
    double Unit;
};

// --- Where the parts lie -------------------------------------------------------------

// The strokes of R, G and B, each in its own box with the origin at its top left.
struct Glyphs {
    std::vector<Polyline> R, G, B;
};

// Where each part of the icon lies and how thick it is, in one design's units.
struct Geometry {
    double Units; // across the whole icon

    // The balloon's body, and its tail at the lower left pointing down and to the right.
    QRectF BalloonBox;
    double BalloonRadius;
    double Rim; // the light edge, and the depth of the shade inside the bottom edge
    std::vector<QPointF> Tail;

    // The letters, stroked with a round pen, and their shadow to the lower right.
    Glyphs Letters;
    double Pen; // radius
    QPointF LetterOrigin;
    double LetterStep;
    QPointF ShadowOffset;

    // A wide open mouth: the lower part of a squarish ellipse under a flat top with
    // rounded corners; each layer in is the one outside it shrunk by LipStep.
    QPointF MouthCentre; // the middle of the flat top
    double MouthHalfWidth, MouthDepth, MouthCorner, LipStep;
    QRectF LipShine;
    QSizeF InsideRadii; // narrower than the lips, so the corners of the mouth show lip
    QPointF TongueCentre;
    QSizeF TongueRadii;
    QPointF TongueShadeCentre;
    QSizeF TongueShadeRadii; // empty for none
    double TeethBelowTop, TeethHeight;
    std::vector<double> ToothGaps; // left edges
    double GapWidth;
};

constexpr double MouthSquareness = 2.6;

// 32 units, for 32 px and its multiples: letters in 6 x 9 boxes with a pen two units
// wide on whole-unit centre lines; the mouth's centre on a pixel centre so the teeth
// come out symmetric.
const Geometry Design32 = {
    .Units = 32,
    .BalloonBox = {0, 1, 32, 17},
    .BalloonRadius = 6,
    .Rim = 1,
    .Tail = {{1, 14.5}, {12, 14.5}, {14.5, 23.9}},
    .Letters = {
        .R = {{{1, 1}, {1, 8}},
              {{1, 1}, {4, 1}, {5, 2}, {5, 3}, {4, 4}, {1, 4}},
              {{3, 4}, {5, 6}, {5, 8}}},
        .G = {{{5, 1}, {2, 1}, {1, 2}, {1, 7}, {2, 8}, {5, 8}, {5, 5}, {4, 5}}},
        .B = {{{1, 1}, {1, 8}},
              {{1, 1}, {4, 1}, {5, 2}, {5, 3}, {4, 4}, {1, 4}},
              {{4, 4}, {5, 5}, {5, 7}, {4, 8}, {1, 8}}},
    },
    .Pen = 1.05,
    .LetterOrigin = {5, 5},
    .LetterStep = 8,
    .ShadowOffset = {1, 1},
    .MouthCentre = {24.5, 19},
    .MouthHalfWidth = 7.5,
    .MouthDepth = 12.8,
    .MouthCorner = 2.2,
    .LipStep = 1,
    .LipShine = {21, 29, 7, 1},
    .InsideRadii = {5.2, 10},
    .TongueCentre = {24.5, 28.8},
    .TongueRadii = {3.6, 2.2},
    .TongueShadeCentre = {24.5, 28.6},
    .TongueShadeRadii = {0.6, 1.6},
    .TeethBelowTop = 2,
    .TeethHeight = 2,
    .ToothGaps = {21, 24, 27},
    .GapWidth = 1,
};

// 16 px, in pixels: 3 x 5 letters with a pen one pixel wide on pixel-centre lines and no
// shadow (it would fill their counters), one-pixel rims and lips, one row of teeth. The
// tail is cut square at its tip so its body still shows inside a one-pixel rim.
const Geometry Design16 = {
    .Units = 16,
    .BalloonBox = {0, 0, 16, 9},
    .BalloonRadius = 3,
    .Rim = 1,
    .Tail = {{-0.5, 6}, {7, 6}, {7, 12}, {5.5, 12}},
    .Letters = {
        .R = {{{0.5, 4.5}, {0.5, 0.5}, {1.5, 0.5}, {2.5, 1.5}, {1.5, 2.5}, {0.5, 2.5}},
              {{1.5, 2.5}, {2.5, 3.5}, {2.5, 4.5}}},
        .G = {{{2.5, 0.5}, {1.5, 0.5}, {0.5, 1.5}, {0.5, 3.5}, {1.5, 4.5}, {2.5, 4.5},
               {2.5, 2.5}}},
        .B = {{{0.5, 0.5}, {0.5, 4.5}},
              {{0.5, 0.5}, {1.5, 0.5}, {2.5, 1.5}, {1.5, 2.5}, {0.5, 2.5}},
              {{1.5, 2.5}, {2.5, 3.5}, {1.5, 4.5}, {0.5, 4.5}}},
    },
    .Pen = 0.55,
    .LetterOrigin = {3, 2},
    .LetterStep = 4,
    .ShadowOffset = {0, 0},
    .MouthCentre = {12, 9},
    .MouthHalfWidth = 4,
    .MouthDepth = 7,
    .MouthCorner = 1.8,
    .LipStep = 1,
    .LipShine = {11, 14, 2, 1},
    .InsideRadii = {2.1, 5},
    .TongueCentre = {12, 13.9},
    .TongueRadii = {1.8, 1.1},
    .TongueShadeCentre = {},
    .TongueShadeRadii = {},
    .TeethBelowTop = 2,
    .TeethHeight = 1,
    .ToothGaps = {},
    .GapWidth = 0,
};

// 48 px, in pixels: the 32-unit design one and a half times as large, with letter
// strokes three pixels wide on pixel-centre lines, two-pixel rims and lips, and the
// mouth's centre again on a pixel centre.
const Geometry Design48 = {
    .Units = 48,
    .BalloonBox = {0, 1, 48, 26},
    .BalloonRadius = 9,
    .Rim = 2,
    .Tail = {{1, 22}, {19, 22}, {22, 35}},
    .Letters = {
        .R = {{{1.5, 1.5}, {1.5, 12.5}},
              {{1.5, 1.5}, {6, 1.5}, {7.5, 3}, {7.5, 5}, {6, 6.5}, {1.5, 6.5}},
              {{4.5, 6.5}, {7.5, 9.5}, {7.5, 12.5}}},
        .G = {{{7.5, 1.5}, {3, 1.5}, {1.5, 3}, {1.5, 11}, {3, 12.5}, {7.5, 12.5}, {7.5, 7.5},
               {6, 7.5}}},
        .B = {{{1.5, 1.5}, {1.5, 12.5}},
              {{1.5, 1.5}, {6, 1.5}, {7.5, 3}, {7.5, 5}, {6, 6.5}, {1.5, 6.5}},
              {{6, 6.5}, {7.5, 8}, {7.5, 11}, {6, 12.5}, {1.5, 12.5}}},
    },
    .Pen = 1.55,
    .LetterOrigin = {7, 7},
    .LetterStep = 12,
    .ShadowOffset = {2, 2},
    .MouthCentre = {36.5, 28},
    .MouthHalfWidth = 11.5,
    .MouthDepth = 19.9,
    .MouthCorner = 3.3,
    .LipStep = 2,
    .LipShine = {31, 44, 11, 1},
    .InsideRadii = {7.8, 15},
    .TongueCentre = {36.5, 43.2},
    .TongueRadii = {5.4, 3.3},
    .TongueShadeCentre = {36.5, 42.4},
    .TongueShadeRadii = {0.9, 2.4},
    .TeethBelowTop = 4,
    .TeethHeight = 3,
    .ToothGaps = {31, 36, 41},
    .GapWidth = 1,
};

const Geometry &GeometryFor(int Size)
{
    if (Size == 16)
        return Design16;
    if (Size == 48)
        return Design48;
    return Design32;
}

// --- Drawing -------------------------------------------------------------------------

void DrawBalloon(Canvas &C, const Geometry &G)
{
    const Shape BodyOuter = RoundRect(G.BalloonBox, G.BalloonRadius);
    const QRectF InnerBox = G.BalloonBox.adjusted(G.Rim, G.Rim, -G.Rim, -G.Rim);
    const Shape BodyInner = RoundRect(InnerBox, G.BalloonRadius - G.Rim);
    const Shape TailInner = Polygon(Inset(G.Tail, G.Rim));
    C.Fill(Either(BodyOuter, Polygon(G.Tail)), BalloonRim);
    C.Fill(Either(BodyInner, TailInner), BalloonBody);
    // A darker band along the inside of the bottom edge, broken where the tail leaves.
    C.Fill(Minus(Minus(BodyInner, Moved(BodyInner, {0, -G.Rim})), TailInner), BalloonShade);
}

void DrawLetters(Canvas &C, const Geometry &G)
{
    const QPointF Step(G.LetterStep, 0);
    Shape Text = Moved(Strokes(G.Letters.R, G.Pen), G.LetterOrigin);
    Text = Either(Text, Moved(Strokes(G.Letters.G, G.Pen), G.LetterOrigin + Step));
    Text = Either(Text, Moved(Strokes(G.Letters.B, G.Pen), G.LetterOrigin + 2 * Step));
    C.Fill(Moved(Text, G.ShadowOffset), LetterShadow);
    C.Fill(Text, LetterFill);
}

Shape MouthLayer(const Geometry &G, double Shrink)
{
    const QPointF Centre = G.MouthCentre;
    const double HalfWidth = G.MouthHalfWidth - Shrink;
    const Shape Curve = Ellipse(Centre, HalfWidth, G.MouthDepth - Shrink, MouthSquareness);
    const QRectF Top(Centre.x() - HalfWidth, Centre.y() + Shrink, 2 * HalfWidth, G.Units);
    return Both(Curve, RoundRect(Top, G.MouthCorner));
}

void DrawMouth(Canvas &C, const Geometry &G)
{
    C.Fill(MouthLayer(G, 0), LipOutline);
    C.Fill(MouthLayer(G, G.LipStep), Lip);
    C.Fill(Both(MouthLayer(G, G.LipStep), Box(G.LipShine)), LipShine);

    const QSizeF In = G.InsideRadii;
    const Shape Inside = Both(MouthLayer(G, 2 * G.LipStep),
                              Ellipse(G.MouthCentre, In.width(), In.height(), MouthSquareness));
    C.Fill(Inside, MouthInside);
    const QSizeF TongueR = G.TongueRadii, ShadeR = G.TongueShadeRadii;
    C.Fill(Both(Inside, Ellipse(G.TongueCentre, TongueR.width(), TongueR.height())), Tongue);
    if (!ShadeR.isEmpty())
        C.Fill(Both(Inside, Ellipse(G.TongueShadeCentre, ShadeR.width(), ShadeR.height())),
               TongueShade);

    // Upper teeth: a white row split by shaded gaps.
    const Shape Teeth =
        Both(Inside, Box({0, G.MouthCentre.y() + G.TeethBelowTop, G.Units, G.TeethHeight}));
    C.Fill(Teeth, Tooth);
    for (double Gap : G.ToothGaps)
        C.Fill(Both(Teeth, Box({Gap, 0, G.GapWidth, G.Units})), ToothShade);
}

} // namespace

QImage DrawMainIconAt(int Size)
{
    const Geometry &G = GeometryFor(Size);
    Canvas C(Size, G.Units);
    DrawBalloon(C, G);
    DrawLetters(C, G);
    DrawMouth(C, G);
    return C.Image;
}

QImage DrawMainIcon()
{
    return DrawMainIconAt(NativeSize);
}
