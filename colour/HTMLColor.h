#pragma once
// Colour codes: "#RRGGBB" with upper-case hexadecimal digits, and the nearest
// web-safe colour (each channel snapped to a multiple of 51), whose swatch
// GetWebSafeCode paints on the main window.
#include <QString>
#include <cstdint>

class THTMLColor {
public:
    QString GetHTMLCode(std::uint8_t Red, std::uint8_t Green, std::uint8_t Blue) const;
    QString GetWebSafeCode(std::uint8_t Red, std::uint8_t Green, std::uint8_t Blue) const;
    // The web-safe level nearest to a channel: 0, 51, 102, 153, 204 or 255.
    static std::uint8_t WebSafeLevel(std::uint8_t Channel);
};
