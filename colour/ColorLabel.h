#pragma once
// The preview colour and the swatch Label1 of the main window that shows it.
#include "Graphics.h"

class TColorLabel {
public:
    void SetColor(TColor Value);
    TColor Color() const { return FColor; }

private:
    TColor FColor = 0;
};
