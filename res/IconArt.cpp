// The main icon: a speech balloon saying "RGB" above a laughing mouth.
//
// Every shape is given in a 32-unit design space. A pixel takes the ink of the last
// shape that covers its centre, with no smoothing, so each pixel is one palette entry
// and either fully opaque or fully clear. At 32 px one unit is one pixel and the
// coordinates are chosen so no pixel centre falls on an edge; 64, 128 and 256 px sample
// the same shapes more finely. At 16 and 48 px pixel centres land on whole-unit edges,
// so those sizes want geometry of their own.
#include "IconArt.h"

#include <QPointF>
#include <QPolygonF>
#include <QRectF>
#include <algorithm>
#include <cmath>
#include <functional>
#include <utility>
#include <vector>

namespace {

constexpr int NativeSize = 32;
constexpr double DesignUnits = 32.0;

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

// A region of the design space, as a test of whether it covers a point.
using Shape = std::function<bool(QPointF)>;

// Radius must be above zero; Box() is the square-cornered rectangle.
Shape RoundRect(QRectF R, double Radius)
{
    return [=](QPointF P) {
        // How far P lies past the straight part of each edge, measured to the corner arcs.
        const double Dx = std::max({R.left() + Radius - P.x(), 0.0, P.x() - R.right() + Radius});
        const double Dy = std::max({R.top() + Radius - P.y(), 0.0, P.y() - R.bottom() + Radius});
        return Dx * Dx + Dy * Dy < Radius * Radius;
    };
}

// |x|^Power + |y|^Power < 1 in the ellipse's own scale: 2 is an ellipse, more is squarer.
Shape Ellipse(QPointF Centre, double Rx, double Ry, double Power = 2)
{
    return [=](QPointF P) {
        const double X = std::abs(P.x() - Centre.x()) / Rx;
        const double Y = std::abs(P.y() - Centre.y()) / Ry;
        return std::pow(X, Power) + std::pow(Y, Power) < 1.0;
    };
}

Shape Polygon(std::vector<QPointF> Corners)
{
    const QPolygonF Outline(QList<QPointF>(Corners.begin(), Corners.end()));
    return [=](QPointF P) { return Outline.containsPoint(P, Qt::OddEvenFill); };
}

// A convex polygon with every edge moved inwards by Depth.
std::vector<QPointF> Inset(const std::vector<QPointF> &Corners, double Depth)
{
    const std::size_t N = Corners.size();
    double Area2 = 0;
    for (std::size_t I = 0; I < N; ++I) {
        const QPointF A = Corners[I], B = Corners[(I + 1) % N];
        Area2 += A.x() * B.y() - B.x() * A.y();
    }
    const double Side = Area2 > 0 ? 1 : -1;
    // Each edge as a point and direction, shifted along its inward normal.
    std::vector<std::pair<QPointF, QPointF>> Edges;
    for (std::size_t I = 0; I < N; ++I) {
        const QPointF A = Corners[I], D = Corners[(I + 1) % N] - A;
        const double Len = std::hypot(D.x(), D.y());
        const QPointF Normal = Side * QPointF(-D.y(), D.x()) / Len;
        Edges.push_back({A + Depth * Normal, D});
    }
    // Each new corner is where the shifted edges on either side of it meet.
    std::vector<QPointF> Result;
    for (std::size_t I = 0; I < N; ++I) {
        const auto [P, D] = Edges[(I + N - 1) % N];
        const auto [Q, E] = Edges[I];
        const double Cross = D.x() * E.y() - D.y() * E.x();
        const QPointF W = Q - P;
        const double T = (W.x() * E.y() - W.y() * E.x()) / Cross;
        Result.push_back(P + T * D);
    }
    return Result;
}

Shape Box(QRectF R)
{
    return [=](QPointF P) {
        return P.x() > R.left() && P.x() < R.right() && P.y() > R.top() && P.y() < R.bottom();
    };
}

double DistanceToSegment(QPointF P, QPointF A, QPointF B)
{
    const QPointF AB = B - A;
    const double Length2 = QPointF::dotProduct(AB, AB);
    const double T =
        Length2 > 0 ? std::clamp(QPointF::dotProduct(P - A, AB) / Length2, 0.0, 1.0) : 0.0;
    const QPointF D = P - (A + T * AB);
    return std::hypot(D.x(), D.y());
}

// Pen strokes along polylines with a round pen of the given radius.
using Polyline = std::vector<QPointF>;
Shape Strokes(std::vector<Polyline> Lines, double Radius)
{
    return [Lines = std::move(Lines), Radius](QPointF P) {
        for (const Polyline &Line : Lines)
            for (std::size_t I = 0; I + 1 < Line.size(); ++I)
                if (DistanceToSegment(P, Line[I], Line[I + 1]) < Radius)
                    return true;
        return false;
    };
}

Shape Both(Shape A, Shape B)
{
    return [=](QPointF P) { return A(P) && B(P); };
}

Shape Either(Shape A, Shape B)
{
    return [=](QPointF P) { return A(P) || B(P); };
}

Shape Minus(Shape A, Shape B)
{
    return [=](QPointF P) { return A(P) && !B(P); };
}

Shape Moved(Shape S, QPointF By)
{
    return [=](QPointF P) { return S(P - By); };
}

class Canvas
{
public:
    explicit Canvas(int Size)
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

// --- The balloon -----------------------------------------------------------------

// The body, and the tail at its lower left pointing down and to the right.
const QRectF BalloonBox(0, 1, 32, 17);
constexpr double BalloonRadius = 6;
const std::vector<QPointF> TailCorners = {{1, 14.5}, {12, 14.5}, {14.5, 23.9}};
constexpr double RimWidth = 1;

Shape BodyOuter()
{
    return RoundRect(BalloonBox, BalloonRadius);
}

Shape BodyInner()
{
    const QRectF Box = BalloonBox.adjusted(RimWidth, RimWidth, -RimWidth, -RimWidth);
    return RoundRect(Box, BalloonRadius - RimWidth);
}

void DrawBalloon(Canvas &C)
{
    const Shape TailInner = Polygon(Inset(TailCorners, RimWidth));
    C.Fill(Either(BodyOuter(), Polygon(TailCorners)), BalloonRim);
    C.Fill(Either(BodyInner(), TailInner), BalloonBody);
    // A darker band along the inside of the bottom edge, broken where the tail leaves.
    C.Fill(Minus(Minus(BodyInner(), Moved(BodyInner(), {0, -1})), TailInner), BalloonShade);
}

// --- The letters -------------------------------------------------------------------

// Glyphs in a 6 x 9 box, drawn with a pen two units wide on whole-unit centre lines.
constexpr double LetterPen = 1.05;
constexpr double LetterWidth = 6;
constexpr double LetterGap = 2;

const std::vector<Polyline> GlyphR = {
    {{1, 1}, {1, 8}},
    {{1, 1}, {4, 1}, {5, 2}, {5, 3}, {4, 4}, {1, 4}},
    {{3, 4}, {5, 6}, {5, 8}},
};
const std::vector<Polyline> GlyphG = {
    {{5, 1}, {2, 1}, {1, 2}, {1, 7}, {2, 8}, {5, 8}, {5, 5}, {4, 5}},
};
const std::vector<Polyline> GlyphB = {
    {{1, 1}, {1, 8}},
    {{1, 1}, {4, 1}, {5, 2}, {5, 3}, {4, 4}, {1, 4}},
    {{4, 4}, {5, 5}, {5, 7}, {4, 8}, {1, 8}},
};

Shape Lettering()
{
    const QPointF Origin(5, 5);
    const QPointF Step(LetterWidth + LetterGap, 0);
    Shape Text = Moved(Strokes(GlyphR, LetterPen), Origin);
    Text = Either(Text, Moved(Strokes(GlyphG, LetterPen), Origin + Step));
    return Either(Text, Moved(Strokes(GlyphB, LetterPen), Origin + 2 * Step));
}

void DrawLetters(Canvas &C)
{
    const Shape Text = Lettering();
    C.Fill(Moved(Text, {1, 1}), LetterShadow);
    C.Fill(Text, LetterFill);
}

// --- The mouth ---------------------------------------------------------------------

// A wide open mouth: the lower part of an ellipse under a flat top with rounded
// corners. Each layer in is the one outside it shrunk by a unit. The centre sits on a
// pixel centre so the teeth come out symmetric.
const QPointF MouthCentre(24.5, 19);
constexpr double MouthHalfWidth = 7.5;
constexpr double MouthDepth = 12.8;
constexpr double MouthSquareness = 2.6;

Shape MouthLayer(double Shrink)
{
    const Shape Curve =
        Ellipse(MouthCentre, MouthHalfWidth - Shrink, MouthDepth - Shrink, MouthSquareness);
    const QRectF Top(MouthCentre.x() - MouthHalfWidth + Shrink, MouthCentre.y() + Shrink,
                     2 * (MouthHalfWidth - Shrink), DesignUnits);
    return Both(Curve, RoundRect(Top, 2.2));
}

void DrawMouth(Canvas &C)
{
    const double Top = MouthCentre.y();
    C.Fill(MouthLayer(0), LipOutline);
    C.Fill(MouthLayer(1), Lip);
    C.Fill(Both(MouthLayer(1), Box({21, 29, 7, 1})), LipShine);

    // Narrower than the lips at the sides, so the corners of the mouth show lip.
    const Shape Inside = Both(MouthLayer(2), Ellipse(MouthCentre, 5.2, 10, MouthSquareness));
    C.Fill(Inside, MouthInside);
    C.Fill(Both(Inside, Ellipse({24.5, 28.8}, 3.6, 2.2)), Tongue);
    C.Fill(Both(Inside, Ellipse({24.5, 28.6}, 0.6, 1.6)), TongueShade);

    // Upper teeth: a white row split into four by shaded gaps.
    const Shape Teeth = Both(Inside, Box({0, Top + 2, DesignUnits, 2}));
    C.Fill(Teeth, Tooth);
    for (double Gap : {21.0, 24.0, 27.0})
        C.Fill(Both(Teeth, Box({Gap, 0, 1, DesignUnits})), ToothShade);
}

} // namespace

QImage DrawMainIconAt(int Size)
{
    Canvas C(Size);
    DrawBalloon(C);
    DrawLetters(C);
    DrawMouth(C);
    return C.Image;
}

QImage DrawMainIcon()
{
    return DrawMainIconAt(NativeSize);
}
