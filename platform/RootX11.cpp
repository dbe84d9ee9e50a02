#include "RootX11.h"

#include "ReadingConnection.h"

#include <bit>

namespace platform {
namespace {

TChannel ChannelOf(std::uint32_t Mask)
{
    // TrueColor masks are contiguous runs of bits.
    return {Mask, Mask ? std::countr_zero(Mask) : 0, std::popcount(Mask)};
}

// Scales a Bits-wide channel value to 0..255. Narrow channels repeat their bits
// downwards so that full intensity stays full (5-bit 31 -> 255) and zero stays zero.
std::uint32_t ScaleTo8(std::uint32_t Value, int Bits)
{
    if (Bits <= 0)
        return 0;
    if (Bits >= 8)
        return Value >> (Bits - 8);
    std::uint32_t Out = 0;
    int Filled = 0;
    while (Filled < 8) {
        Out = Out << Bits | Value;
        Filled += Bits;
    }
    return Out >> (Filled - 8);
}

std::uint32_t ChannelTo8(std::uint32_t Pixel, const TChannel& C)
{
    return ScaleTo8((Pixel & C.Mask) >> C.Shift, C.Bits);
}

xcb_screen_t* ScreenAt(const xcb_setup_t* Setup, int Number)
{
    xcb_screen_iterator_t It = xcb_setup_roots_iterator(Setup);
    if (Number < 0 || Number >= It.rem)
        Number = 0;
    for (; It.rem; xcb_screen_next(&It), --Number)
        if (Number == 0)
            return It.data;
    return nullptr;
}

const xcb_visualtype_t* RootVisual(const xcb_screen_t* Scr)
{
    for (xcb_depth_iterator_t D = xcb_screen_allowed_depths_iterator(Scr); D.rem;
         xcb_depth_next(&D))
        for (xcb_visualtype_iterator_t V = xcb_depth_visuals_iterator(D.data); V.rem;
             xcb_visualtype_next(&V))
            if (V.data->visual_id == Scr->root_visual)
                return V.data;
    return nullptr;
}

int BitsPerPixel(const xcb_setup_t* Setup, std::uint8_t Depth)
{
    for (xcb_format_iterator_t F = xcb_setup_pixmap_formats_iterator(Setup); F.rem;
         xcb_format_next(&F))
        if (F.data->depth == Depth)
            return F.data->bits_per_pixel;
    return 0;
}

TRootInfo Describe(const TReadingConnection& R)
{
    TRootInfo Info;
    Info.Connection = R.Connection;
    Info.Generation = R.Generation;
    const xcb_setup_t* Setup = xcb_get_setup(R.Connection);
    if (!Setup)
        return Info;
    const xcb_screen_t* Scr = ScreenAt(Setup, R.ScreenNumber);
    if (!Scr)
        return Info;
    Info.Root = Scr->root;
    Info.Format.MsbFirst = Setup->image_byte_order == XCB_IMAGE_ORDER_MSB_FIRST;

    // Other visual classes would need a colormap lookup per reading; X screens of
    // this century are TrueColor.
    const xcb_visualtype_t* Visual = RootVisual(Scr);
    const int Bpp = BitsPerPixel(Setup, Scr->root_depth);
    if (Visual && Visual->_class == XCB_VISUAL_CLASS_TRUE_COLOR
        && (Bpp == 8 || Bpp == 16 || Bpp == 24 || Bpp == 32)) {
        Info.Format.BytesPerPixel = Bpp / 8;
        Info.Format.Red = ChannelOf(Visual->red_mask);
        Info.Format.Green = ChannelOf(Visual->green_mask);
        Info.Format.Blue = ChannelOf(Visual->blue_mask);
    }
    return Info;
}

} // namespace

TRootInfo CurrentRoot()
{
    static TRootInfo Cached;
    const TReadingConnection R = ReadingConnection();
    if (!R.Connection)
        return {};
    if (Cached.Connection != R.Connection || Cached.Generation != R.Generation)
        Cached = Describe(R);
    Cached.QtConnection = R.QtConnection;
    return Cached;
}

std::uint32_t DecodePixel(const TPixelFormat& Format, const std::uint8_t* Data)
{
    std::uint32_t Pixel = 0;
    for (int I = 0; I < Format.BytesPerPixel; ++I) {
        if (Format.MsbFirst)
            Pixel = Pixel << 8 | Data[I];
        else
            Pixel |= std::uint32_t(Data[I]) << (8 * I);
    }
    return ChannelTo8(Pixel, Format.Red) | ChannelTo8(Pixel, Format.Green) << 8
           | ChannelTo8(Pixel, Format.Blue) << 16;
}

} // namespace platform
