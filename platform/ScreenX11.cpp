#include "ScreenX11.h"

#include "MonitorsX11.h"
#include "ReadingConnection.h"
#include "RootX11.h"

#include <cstdint>
#include <cstdlib>
#include <memory>

// X headers last: their macros (None, Bool, Status, ...) clash with Qt's.
#include <xcb/xcb.h>

namespace platform {
namespace {

constexpr std::uint32_t InvalidPixel = 0xFFFFFFFF;

struct TFree {
    void operator()(void* P) const { std::free(P); }
};
template <typename T> using TReply = std::unique_ptr<T, TFree>;

// The eyedropper asks for the pointer and then for the pixel under it. The pointer
// query goes out together with a reading of the pixel where the pointer was last
// seen; while the pointer rests, that is the pixel asked for next, and its reply has
// come back with the pointer's. One wait on the server a tick instead of two.
struct TPairedReading {
    bool Pending = false;
    TRootInfo Root;
    int X = 0, Y = 0;
    xcb_get_image_cookie_t Cookie{};
};

TPairedReading Paired;
bool HaveLastPointer = false;
int LastPointerX = 0, LastPointerY = 0;

xcb_get_image_cookie_t RequestPixel(const TRootInfo& Info, int X, int Y)
{
    return xcb_get_image(Info.Connection, XCB_IMAGE_FORMAT_Z_PIXMAP, Info.Root,
                         std::int16_t(X), std::int16_t(Y), 1, 1, ~std::uint32_t(0));
}

// A point past the root's current size (it may have been resized since the setup was
// sent) gets BadMatch. The request is a checked one, so the error comes back here in
// place of the reply and never reaches an event queue.
std::uint32_t PixelReply(const TRootInfo& Info, xcb_get_image_cookie_t Cookie)
{
    xcb_generic_error_t* Error = nullptr;
    TReply<xcb_get_image_reply_t> Reply(xcb_get_image_reply(Info.Connection, Cookie, &Error));
    std::free(Error);
    if (!Reply || xcb_get_image_data_length(Reply.get()) < Info.Format.BytesPerPixel)
        return InvalidPixel;
    return DecodePixel(Info.Format, xcb_get_image_data(Reply.get()));
}

bool SameConnection(const TRootInfo& A, const TRootInfo& B)
{
    return A.Connection == B.Connection && A.Generation == B.Generation;
}

// Drops the paired reading. Its reply is thrown away when it arrives; on a connection
// that has been replaced since, it went with that connection.
void ForgetPaired(const TRootInfo& Current)
{
    if (Paired.Pending && SameConnection(Paired.Root, Current)
        && !xcb_connection_has_error(Current.Connection))
        xcb_discard_reply(Current.Connection, Paired.Cookie.sequence);
    Paired.Pending = false;
}

bool CursorPosOn(const TRootInfo& Info, int& X, int& Y)
{
    ForgetPaired(Info);
    const xcb_query_pointer_cookie_t Cookie = xcb_query_pointer(Info.Connection, Info.Root);
    if (HaveLastPointer && Info.Format.BytesPerPixel) {
        Paired = {true, Info, LastPointerX, LastPointerY,
                  RequestPixel(Info, LastPointerX, LastPointerY)};
    }
    xcb_generic_error_t* Error = nullptr;
    TReply<xcb_query_pointer_reply_t> Reply(
        xcb_query_pointer_reply(Info.Connection, Cookie, &Error));
    std::free(Error);
    // On another X screen the coordinates belong to that screen's root.
    if (!Reply || !Reply->same_screen) {
        ForgetPaired(Info);
        HaveLastPointer = false;
        return false;
    }
    X = LastPointerX = Reply->root_x;
    Y = LastPointerY = Reply->root_y;
    HaveLastPointer = true;
    return true;
}

std::uint32_t ReadPixelOn(const TRootInfo& Info, int X, int Y)
{
    if (Paired.Pending && SameConnection(Paired.Root, Info) && Paired.X == X && Paired.Y == Y) {
        Paired.Pending = false;
        return PixelReply(Info, Paired.Cookie);
    }
    ForgetPaired(Info);
    return PixelReply(Info, RequestPixel(Info, X, Y));
}

// When the server has dropped the connection a call failed on, the root as the
// replacing connection sees it; otherwise (a plain failure) a root with no window.
TRootInfo RootAfterFailure(const TRootInfo& Failed)
{
    if (!xcb_connection_has_error(Failed.Connection))
        return {};
    ForgetPaired(Failed);
    TRootInfo Again = CurrentRoot();
    return SameConnection(Again, Failed) ? TRootInfo{} : Again;
}

std::uint32_t X11ReadPixel(int X, int Y)
{
    const TRootInfo Info = CurrentRoot();
    // Protocol coordinates are 16-bit; anything outside that range is off the root
    // (and would wrap round onto it if sent). Parts of the root that no monitor shows
    // are not on the screen; the monitor list follows Qt's connection, where the
    // layout change notifications arrive.
    if (X < 0 || Y < 0 || X > INT16_MAX || Y > INT16_MAX || Info.Root == XCB_WINDOW_NONE
        || Info.Format.BytesPerPixel == 0 || !OnAMonitor(Info.QtConnection, Info.Root, X, Y)) {
        ForgetPaired(Info);
        return InvalidPixel;
    }
    const std::uint32_t Pixel = ReadPixelOn(Info, X, Y);
    if (Pixel != InvalidPixel)
        return Pixel;
    const TRootInfo Again = RootAfterFailure(Info);
    return Again.Root != XCB_WINDOW_NONE && Again.Format.BytesPerPixel ? ReadPixelOn(Again, X, Y)
                                                                       : InvalidPixel;
}

bool X11CursorPos(int& X, int& Y)
{
    const TRootInfo Info = CurrentRoot();
    if (Info.Root == XCB_WINDOW_NONE)
        return false;
    if (CursorPosOn(Info, X, Y))
        return true;
    const TRootInfo Again = RootAfterFailure(Info);
    return Again.Root != XCB_WINDOW_NONE && CursorPosOn(Again, X, Y);
}

const TScreenBackend Backend{X11ReadPixel, X11CursorPos};

} // namespace

const TScreenBackend& X11ScreenBackend() { return Backend; }

} // namespace platform
