#pragma once
// The program's icon, drawn by code so it comes out the same on every machine.
#include <QImage>

// The main icon at its native 32 x 32: Format_Indexed8, colour index 0 clear,
// every pixel either fully opaque or fully transparent.
QImage DrawMainIcon();

// The same drawing at Size x Size. The shapes live in a 32-unit design space and are
// sampled at pixel centres, so larger sizes get sharp edges rather than scaled pixels;
// 16 and 48 px have layouts of their own, fitted to their pixel grids.
QImage DrawMainIconAt(int Size);
