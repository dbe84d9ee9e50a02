#pragma once
// The web-safe palette picture: 216 colour cells in a black grid, drawn by code.
#include <QImage>

// 200 x 121, Format_RGB888. 22 columns by 10 rows of 8 x 11 cells with one-pixel black
// lines between them; cell i = 22 * row + column for i < 216 is colour i of the 6 x 6 x 6
// cube (red slowest, blue fastest). The rest of the last row and the rightmost column
// are grey.
QImage DrawPalettePicture();
