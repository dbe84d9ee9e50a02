#pragma once
// What the screen readings need to know about the root of the default screen: the
// window, and how its pixels decode. Private to platform/; includes xcb.
#include <cstdint>

#include <xcb/xcb.h>

namespace platform {

// One colour channel of a TrueColor pixel: where it sits and how wide it is.
struct TChannel {
    std::uint32_t Mask = 0;
    int Shift = 0;
    int Bits = 0;
};

struct TPixelFormat {
    int BytesPerPixel = 0; // 0 when pixels of this screen cannot be decoded
    bool MsbFirst = false;
    TChannel Red, Green, Blue;
};

// What the readings need to know about the default screen. None of it changes while
// the connection lives, so it is taken from the connection setup once.
struct TRootInfo {
    xcb_connection_t* Connection = nullptr;
    unsigned Generation = 0; // of the reading connection this describes
    xcb_connection_t* QtConnection = nullptr; // where layout change notifications arrive
    xcb_window_t Root = XCB_WINDOW_NONE;
    TPixelFormat Format;
};

// The root as the current reading connection sees it; no window without an xcb
// application. Taken from the connection setup, again only when the connection
// changes. GUI thread only.
TRootInfo CurrentRoot();

// A pixel of an image in Format as $00BBGGRR; Data holds Format.BytesPerPixel bytes.
std::uint32_t DecodePixel(const TPixelFormat& Format, const std::uint8_t* Data);

} // namespace platform
