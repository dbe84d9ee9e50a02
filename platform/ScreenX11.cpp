#include "ScreenX11.h"

#include "MonitorsX11.h"

#include <QGuiApplication>

#include <bit>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <mutex>

// X headers last: their macros (None, Bool, Status, ...) clash with Qt's.
#include <xcb/xcb.h>
#include <X11/Xlib.h>

namespace platform {
namespace {

constexpr std::uint32_t InvalidPixel = 0xFFFFFFFF;

struct TFree {
    void operator()(void* P) const { std::free(P); }
};
template <typename T> using TReply = std::unique_ptr<T, TFree>;

// One colour channel of a TrueColor pixel: where it sits and how wide it is.
struct TChannel {
    std::uint32_t Mask = 0;
    int Shift = 0;
    int Bits = 0;
};

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

// What the readings need to know about the default screen. None of it changes while
// the connection lives, so it is taken from the connection setup once.
struct TRootInfo {
    xcb_connection_t* Connection = nullptr;
    xcb_window_t Root = XCB_WINDOW_NONE;
    int BytesPerPixel = 0; // 0 when pixels of this screen cannot be decoded
    bool MsbFirst = false;
    TChannel Red, Green, Blue;
};

// Qt opens its connection on the display's default screen; with Xlib underneath (the
// usual build) the Display knows which that was, otherwise DISPLAY names it.
int DefaultScreenNumber(Display* Dpy)
{
    if (Dpy)
        return DefaultScreen(Dpy);
    char* Host = nullptr;
    int DisplayNumber = 0;
    int ScreenNumber = 0;
    const bool Parsed = xcb_parse_display(nullptr, &Host, &DisplayNumber, &ScreenNumber);
    std::free(Host);
    return Parsed ? ScreenNumber : 0;
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

TRootInfo Describe(xcb_connection_t* C, Display* Dpy)
{
    TRootInfo Info;
    Info.Connection = C;
    const xcb_setup_t* Setup = xcb_get_setup(C);
    if (!Setup)
        return Info;
    const xcb_screen_t* Scr = ScreenAt(Setup, DefaultScreenNumber(Dpy));
    if (!Scr)
        return Info;
    Info.Root = Scr->root;
    Info.MsbFirst = Setup->image_byte_order == XCB_IMAGE_ORDER_MSB_FIRST;

    // Other visual classes would need a colormap lookup per reading; X screens of
    // this century are TrueColor.
    const xcb_visualtype_t* Visual = RootVisual(Scr);
    const int Bpp = BitsPerPixel(Setup, Scr->root_depth);
    if (Visual && Visual->_class == XCB_VISUAL_CLASS_TRUE_COLOR
        && (Bpp == 8 || Bpp == 16 || Bpp == 24 || Bpp == 32)) {
        Info.BytesPerPixel = Bpp / 8;
        Info.Red = ChannelOf(Visual->red_mask);
        Info.Green = ChannelOf(Visual->green_mask);
        Info.Blue = ChannelOf(Visual->blue_mask);
    }
    return Info;
}

// The root of Qt's default screen, described afresh only when Qt's connection is
// not the one seen last time.
TRootInfo CurrentRoot()
{
    static std::mutex Lock;
    static TRootInfo Cached;

    if (!qGuiApp)
        return {};
    auto* X11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* C = X11 ? X11->connection() : nullptr;
    if (!C)
        return {};
    std::lock_guard Guard(Lock);
    if (Cached.Connection != C)
        Cached = Describe(C, X11->display());
    return Cached;
}

std::uint32_t DecodePixel(const TRootInfo& Info, const std::uint8_t* Data)
{
    std::uint32_t Pixel = 0;
    for (int I = 0; I < Info.BytesPerPixel; ++I) {
        if (Info.MsbFirst)
            Pixel = Pixel << 8 | Data[I];
        else
            Pixel |= std::uint32_t(Data[I]) << (8 * I);
    }
    return ChannelTo8(Pixel, Info.Red) | ChannelTo8(Pixel, Info.Green) << 8
           | ChannelTo8(Pixel, Info.Blue) << 16;
}

std::uint32_t X11ReadPixel(int X, int Y)
{
    // Protocol coordinates are 16-bit; anything outside that range is off the root
    // (and would wrap round onto it if sent).
    if (X < 0 || Y < 0 || X > INT16_MAX || Y > INT16_MAX)
        return InvalidPixel;
    const TRootInfo Info = CurrentRoot();
    if (Info.Root == XCB_WINDOW_NONE || Info.BytesPerPixel == 0)
        return InvalidPixel;
    // Parts of the root that no monitor shows are not on the screen.
    if (!OnAMonitor(Info.Connection, Info.Root, X, Y))
        return InvalidPixel;

    // A point past the root's current size (it may have been resized since the setup
    // was sent) gets BadMatch. The request is a checked one, so the error comes back
    // here in place of the reply and never reaches Qt's event queue.
    xcb_generic_error_t* Error = nullptr;
    TReply<xcb_get_image_reply_t> Reply(xcb_get_image_reply(
        Info.Connection,
        xcb_get_image(Info.Connection, XCB_IMAGE_FORMAT_Z_PIXMAP, Info.Root,
                      std::int16_t(X), std::int16_t(Y), 1, 1, ~std::uint32_t(0)),
        &Error));
    std::free(Error);
    if (!Reply || xcb_get_image_data_length(Reply.get()) < Info.BytesPerPixel)
        return InvalidPixel;
    return DecodePixel(Info, xcb_get_image_data(Reply.get()));
}

bool X11CursorPos(int& X, int& Y)
{
    const TRootInfo Info = CurrentRoot();
    if (Info.Root == XCB_WINDOW_NONE)
        return false;
    xcb_generic_error_t* Error = nullptr;
    TReply<xcb_query_pointer_reply_t> Reply(xcb_query_pointer_reply(
        Info.Connection, xcb_query_pointer(Info.Connection, Info.Root), &Error));
    std::free(Error);
    // On another X screen the coordinates belong to that screen's root.
    if (!Reply || !Reply->same_screen)
        return false;
    X = Reply->root_x;
    Y = Reply->root_y;
    return true;
}

const TScreenBackend Backend{X11ReadPixel, X11CursorPos};

} // namespace

const TScreenBackend& X11ScreenBackend() { return Backend; }

} // namespace platform
