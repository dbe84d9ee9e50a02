#include "HTMLColor.h"

#include "Graphics.h"
#include "Label.h"
#include "TavrinPicker.h"

QString THTMLColor::GetHTMLCode(std::uint8_t Red, std::uint8_t Green, std::uint8_t Blue) const
{
    static const char Digits[] = "0123456789ABCDEF";
    const char Code[8] = {'#', Digits[Red >> 4], Digits[Red & 15], Digits[Green >> 4],
                          Digits[Green & 15], Digits[Blue >> 4], Digits[Blue & 15], 0};
    return QString::fromLatin1(Code, 7);
}

std::uint8_t THTMLColor::WebSafeLevel(std::uint8_t Channel)
{
    // The band edges lie half-way between levels, so rounding never meets a tie.
    return std::uint8_t((Channel + 25) / 51 * 51);
}

QString THTMLColor::GetWebSafeCode(std::uint8_t Red, std::uint8_t Green, std::uint8_t Blue) const
{
    const std::uint8_t R = WebSafeLevel(Red), G = WebSafeLevel(Green), B = WebSafeLevel(Blue);
    FrmMain->lblSWebSafe->SetColor(RGBToColor(R, G, B));
    return GetHTMLCode(R, G, B);
}
