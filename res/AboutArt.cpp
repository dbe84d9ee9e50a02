// The About picture. The text is filled from the font's unhinted outlines with Qt's own
// rasteriser rather than drawn through the font engine, so the result depends on the
// font file and not on hinting or glyph-cache settings.
#include "AboutArt.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QRawFont>
#include <QRect>
#include <QRectF>
#include <QTransform>
#include <algorithm>

namespace {

constexpr int Width = 283;
constexpr int Height = 170;

const QColor Background(0xFF, 0xFF, 0xFF);
const QColor GreenBand(0xC7, 0xE1, 0x9E);
const QColor YellowBand(0xFF, 0xF9, 0x9D);
const QColor SalmonLine(0xF4, 0x9F, 0x9B);
const QColor NameInk(0x11, 0x49, 0x48);
const QColor VersionInk(0xE6, 0x75, 0x70);

const QRect GreenBandArea(205, 0, 9, Height);
const QRect YellowBandArea(0, 114, Width, 13);
const QRect SalmonLineArea(0, 131, Width, 3);

// Where each line's ink goes, in pixel edges.
const QRectF NameBox(11, 71, 152, 18);
const QRectF VersionBox(88, 94, 86, 9);

// The version line's outline is widened by this much, so its thin strokes at the
// small size don't look washed out next to the name.
constexpr double VersionWidening = 0.4;

// Outlines are taken at this size and scaled down, so their coordinates keep precision.
constexpr int OutlineSize = 256;

const char FontFamily[] = "DejaVu Sans Mono";

QRawFont OutlineFont()
{
    QFont Font(QString::fromLatin1(FontFamily));
    Font.setStyleHint(QFont::Monospace);
    Font.setFixedPitch(true);
    Font.setHintingPreference(QFont::PreferNoHinting);
    Font.setPixelSize(OutlineSize);
    return QRawFont::fromFont(Font);
}

// The text's outline at OutlineSize, each glyph set at its own advance plus
// Spacing outline units; the baseline is y = 0.
QPainterPath Outline(const QRawFont &Font, const QString &Text, double Spacing)
{
    const QList<quint32> Glyphs = Font.glyphIndexesForString(Text);
    const QList<QPointF> Advances = Font.advancesForGlyphIndexes(Glyphs);
    QPainterPath Path;
    double X = 0;
    for (qsizetype I = 0; I < Glyphs.size(); ++I) {
        Path.addPath(Font.pathForGlyph(Glyphs[I]).translated(X, 0));
        X += Advances[I].x() + Spacing;
    }
    return Path;
}

// The text scaled so its ink is Box's height, spread with extra space between the
// letters to reach Box's width (never squeezed, so a longer text runs on to the
// right), with its ink's top left at Box's.
QPainterPath SetInBox(const QRawFont &Font, const QString &Text, const QRectF &Box)
{
    const QRectF Ink = Outline(Font, Text, 0).boundingRect();
    if (Ink.isEmpty())
        return {};
    const double Scale = Box.height() / Ink.height();
    const qsizetype Gaps = std::max<qsizetype>(Text.size() - 1, 1);
    const double Spacing = std::max(0.0, (Box.width() / Scale - Ink.width()) / Gaps);
    const QPainterPath Spread = Outline(Font, Text, Spacing);
    const QRectF SpreadInk = Spread.boundingRect();
    QTransform Place;
    Place.translate(Box.left(), Box.top());
    Place.scale(Scale, Scale);
    Place.translate(-SpreadInk.left(), -SpreadInk.top());
    return Place.map(Spread);
}

} // namespace

QImage DrawAboutPicture(const QString &Version)
{
    // Painted in 32 bits, where QPainter blends directly, then stored as 24-bit RGB.
    QImage Image(Width, Height, QImage::Format_RGB32);
    Image.fill(Background);
    {
        QPainter P(&Image);
        P.fillRect(GreenBandArea, GreenBand);
        P.fillRect(YellowBandArea, YellowBand);
        P.fillRect(SalmonLineArea, SalmonLine);

        const QRawFont Font = OutlineFont();
        P.setRenderHint(QPainter::Antialiasing);
        P.setPen(Qt::NoPen);
        P.setBrush(NameInk);
        P.drawPath(SetInBox(Font, QStringLiteral("tavrin picker"), NameBox));
        // Set inside the box by half the widening, so the widened ink stays in it.
        const double Half = VersionWidening / 2;
        const QPainterPath Line = SetInBox(Font, QStringLiteral("version ") + Version,
                                           VersionBox.adjusted(Half, Half, -Half, -Half));
        QPainterPathStroker Stroker;
        Stroker.setWidth(VersionWidening);
        Stroker.setJoinStyle(Qt::RoundJoin);
        P.setBrush(VersionInk);
        P.drawPath(Line.united(Stroker.createStroke(Line)));
    }
    return Image.convertToFormat(QImage::Format_RGB888);
}
