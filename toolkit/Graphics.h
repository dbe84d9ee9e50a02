#pragma once
// Colours as the windows store them: TColor is $00BBGGRR, and values with the top
// bit set name system colours, rendered from the application palette.
#include <QColor>
#include <QStringList>
#include <cstdint>

using TColor = std::uint32_t;

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clGray = 0x808080;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clActiveCaption = 0x80000002;
constexpr TColor clWindowText = 0x80000008;
constexpr TColor clBtnFace = 0x8000000F;
constexpr TColor clBtnShadow = 0x80000010;
constexpr TColor clBtnHighlight = 0x80000014;
constexpr TColor cl3DLight = 0x80000016;
constexpr TColor clInvalid = 0xFFFFFFFF;

constexpr TColor RGBToColor(std::uint8_t Red, std::uint8_t Green, std::uint8_t Blue)
{
    return TColor(Red) | TColor(Green) << 8 | TColor(Blue) << 16;
}
constexpr std::uint8_t RedOf(TColor C) { return C & 0xFF; }
constexpr std::uint8_t GreenOf(TColor C) { return C >> 8 & 0xFF; }
constexpr std::uint8_t BlueOf(TColor C) { return C >> 16 & 0xFF; }

// The colour a control paints for C. System colours come from the application
// palette; a top-bit value that names none of them paints black, one fixed rendering.
QColor ColorToQColor(TColor C);

// The families to try for a font name of the description: the name itself, then the
// metric-compatible IPA faces and any Japanese sans, so Japanese text always renders.
QStringList FontFamilies(const QString& Name);
// A description's font height: negative values are the character height in pixels.
int FontPixelSize(int Height);
