#pragma once
// Lets tests see the main window's private helper objects.
#include "TavrinPicker.h"

class TFrmMainInspector {
public:
    static TSlider* Slider() { return FrmMain->FSlider; }
    static TColorLabel* ColorLabel() { return FrmMain->FColorLabel; }
    static THTMLColor* HTMLColor() { return FrmMain->FHTMLColor; }
    static TSpoit* Spoit() { return FrmMain->FSpoit; }
};
