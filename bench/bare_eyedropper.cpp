// bare_eyedropper: the least an eyedropper does, with xcb alone. Every 10 ms it asks
// for the pointer and, in the same round trip, for the pixel where the pointer was
// last seen (a second reading only when the pointer has moved), and fills an 81 x 73
// patch of its window with the colour when the colour changes. Its CPU time is the
// floor under any toolkit's eyedropper on this machine.
#include <xcb/xcb.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <ctime>

namespace {

std::uint32_t ReplyPixel(xcb_connection_t* C, xcb_get_image_cookie_t Cookie)
{
    xcb_get_image_reply_t* Reply = xcb_get_image_reply(C, Cookie, nullptr);
    std::uint32_t Pixel = 0xFFFFFFFF;
    if (Reply && xcb_get_image_data_length(Reply) >= 4) {
        const std::uint8_t* D = xcb_get_image_data(Reply);
        Pixel = D[0] | D[1] << 8 | D[2] << 16;
    }
    std::free(Reply);
    return Pixel;
}

xcb_get_image_cookie_t AskPixel(xcb_connection_t* C, xcb_window_t Root, int X, int Y)
{
    return xcb_get_image(C, XCB_IMAGE_FORMAT_Z_PIXMAP, Root, std::int16_t(X), std::int16_t(Y),
                         1, 1, ~std::uint32_t(0));
}

void AddMs(timespec& T, long Ms)
{
    T.tv_nsec += Ms * 1000000L;
    T.tv_sec += T.tv_nsec / 1000000000L;
    T.tv_nsec %= 1000000000L;
}

} // namespace

int main()
{
    xcb_connection_t* C = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(C))
        return 1;
    const xcb_screen_t* Screen = xcb_setup_roots_iterator(xcb_get_setup(C)).data;
    const xcb_window_t Root = Screen->root;
    const xcb_window_t W = xcb_generate_id(C);
    const std::uint32_t Values[] = {Screen->white_pixel};
    xcb_create_window(C, XCB_COPY_FROM_PARENT, W, Root, 0, 0, 339, 318, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, Screen->root_visual, XCB_CW_BACK_PIXEL, Values);
    const xcb_gcontext_t Gc = xcb_generate_id(C);
    xcb_create_gc(C, Gc, W, 0, nullptr);
    xcb_map_window(C, W);
    xcb_flush(C);

    int LastX = 0, LastY = 0;
    std::uint32_t Shown = 0xFFFFFFFF;
    timespec Next;
    clock_gettime(CLOCK_MONOTONIC, &Next);
    for (;;) {
        AddMs(Next, 10);
        while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &Next, nullptr) == EINTR) {
        }
        const xcb_query_pointer_cookie_t Where = xcb_query_pointer(C, Root);
        const xcb_get_image_cookie_t Paired = AskPixel(C, Root, LastX, LastY);
        xcb_query_pointer_reply_t* P = xcb_query_pointer_reply(C, Where, nullptr);
        if (!P)
            return 1; // the server went away
        std::uint32_t Pixel;
        if (P->root_x == LastX && P->root_y == LastY) {
            Pixel = ReplyPixel(C, Paired);
        } else {
            xcb_discard_reply(C, Paired.sequence);
            LastX = P->root_x;
            LastY = P->root_y;
            Pixel = ReplyPixel(C, AskPixel(C, Root, LastX, LastY));
        }
        std::free(P);
        if (Pixel != Shown) {
            Shown = Pixel;
            const std::uint32_t Fg[] = {Pixel & 0xFFFFFF}; // a 24-bit TrueColor screen
            xcb_change_gc(C, Gc, XCB_GC_FOREGROUND, Fg);
            const xcb_rectangle_t Patch{232, 13, 81, 73};
            xcb_poly_fill_rectangle(C, W, Gc, 1, &Patch);
            xcb_flush(C);
        }
    }
}
