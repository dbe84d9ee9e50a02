#pragma once
#include "Graphics.h"

// The eyedropper: remembers the colour of the last screen pixel it was pointed at.
class TSpoit {
public:
    TSpoit() = default;

    // Reads the screen pixel at (X, Y), as it is, 0xFFFFFFFF off the screen included.
    void PickAt(int X, int Y);
    TColor GetColor() const;

private:
    TColor FColor = 0;
};
