#pragma once
// A snapshot of the three scroll bars of the main window, the colour it composes,
// and writing the bars (each write may run that bar's change handler).
#include "Graphics.h"

#include <cstdint>

class TSlider {
public:
    void ReadBars();
    TColor GetColor() const;
    void ResetBars();
    void SetBars(std::uint8_t Red, std::uint8_t Green, std::uint8_t Blue);

private:
    std::uint8_t FRed = 0;
    std::uint8_t FGreen = 0;
    std::uint8_t FBlue = 0;
};
