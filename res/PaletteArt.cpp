// The web-safe palette picture. The stored levels are not exact web-safe values
// (green differs from red and blue); each one lies nearest its web-safe level, so
// rounding a sampled colour to multiples of 51 gives the web-safe colour.
#include "PaletteArt.h"

#include <QColor>
#include <QPainter>

namespace {

constexpr int Width = 200;
constexpr int Height = 121;
constexpr int Columns = 22;
constexpr int Rows = 10;
constexpr int CellWidth = 8;
constexpr int CellHeight = 11;
constexpr int StepX = CellWidth + 1;
constexpr int StepY = CellHeight + 1;
constexpr int ColourCount = 216;

constexpr int RedBlueLevels[6] = {0x00, 0x2F, 0x60, 0x90, 0xCF, 0xFF};
constexpr int GreenLevels[6] = {0x00, 0x30, 0x67, 0x97, 0xC8, 0xFF};

const QColor Grid(0, 0, 0);
const QColor Filler(0xDF, 0xD8, 0xDF);

QColor CubeColour(int Index)
{
    return QColor(RedBlueLevels[Index / 36], GreenLevels[Index / 6 % 6], RedBlueLevels[Index % 6]);
}

} // namespace

QImage DrawPalettePicture()
{
    QImage Image(Width, Height, QImage::Format_RGB888);
    // Black everywhere first: what the cells leave uncovered is the grid.
    Image.fill(Grid);
    QPainter P(&Image);
    for (int I = 0; I < ColourCount; ++I) {
        const int Column = I % Columns, Row = I / Columns;
        P.fillRect(StepX * Column + 1, StepY * Row + 1, CellWidth, CellHeight, CubeColour(I));
    }
    // The unused cells at the end of the last row, up to the right-hand grid line.
    const int FirstUnused = ColourCount % Columns;
    const int Left = StepX * FirstUnused + 1;
    const int Top = StepY * (Rows - 1) + 1;
    P.fillRect(Left, Top, StepX * Columns - Left + 1, Height - Top, Filler);
    // The column right of the grid.
    P.fillRect(Width - 1, 0, 1, Height, Filler);
    return Image;
}
