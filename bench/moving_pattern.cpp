// moving_pattern X Y W H [TICK_MS]: a window of stripes whose colours shift every tick
// (10 ms unless told), with the pointer moved a few pixels across it on every tick
// (the core WarpPointer request, as a pointer device would move it). Whatever samples
// the pixel under the pointer sees a new colour each time. Runs until ended.
#include <xcb/xcb.h>

#include <cstdint>
#include <cstdio>
#include <chrono>
#include <cstdlib>
#include <thread>

namespace {

constexpr int Stripes = 8;

// Distinct, saturated colours as 0xRRGGBB, which is also the pixel value on a
// 24-bit TrueColor screen.
constexpr std::uint32_t Colours[] = {0xE6194B, 0x3CB44B, 0xFFE119, 0x4363D8, 0xF58231,
                                     0x911EB4, 0x46F0F0, 0xF032E6, 0xBCF60C, 0x008080, 0x9A6324};
constexpr int ColourCount = int(sizeof Colours / sizeof Colours[0]);

void Paint(xcb_connection_t* C, xcb_window_t W, xcb_gcontext_t Gc, int Width, int Height, int Tick)
{
    for (int S = 0; S < Stripes; ++S) {
        const std::uint32_t Colour = Colours[(S + Tick) % ColourCount];
        xcb_change_gc(C, Gc, XCB_GC_FOREGROUND, &Colour);
        const int Left = S * Width / Stripes;
        const xcb_rectangle_t R{std::int16_t(Left), 0, std::uint16_t((S + 1) * Width / Stripes - Left),
                                std::uint16_t(Height)};
        xcb_poly_fill_rectangle(C, W, Gc, 1, &R);
    }
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 5) {
        std::fprintf(stderr, "usage: moving_pattern X Y W H [TICK_MS]\n");
        return 2;
    }
    const int X = std::atoi(argv[1]), Y = std::atoi(argv[2]);
    const int Width = std::atoi(argv[3]), Height = std::atoi(argv[4]);
    const int TickMs = argc > 5 ? std::atoi(argv[5]) : 10;
    if (Width < Stripes || Height < 4 || TickMs <= 0)
        return 2;

    xcb_connection_t* C = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(C))
        return 1;
    const xcb_screen_t* Screen = xcb_setup_roots_iterator(xcb_get_setup(C)).data;
    const xcb_window_t W = xcb_generate_id(C);
    const std::uint32_t Values[] = {Screen->black_pixel, 1};
    xcb_create_window(C, XCB_COPY_FROM_PARENT, W, Screen->root, std::int16_t(X), std::int16_t(Y),
                      std::uint16_t(Width), std::uint16_t(Height), 0, XCB_WINDOW_CLASS_INPUT_OUTPUT,
                      Screen->root_visual, XCB_CW_BACK_PIXEL | XCB_CW_OVERRIDE_REDIRECT, Values);
    const xcb_gcontext_t Gc = xcb_generate_id(C);
    xcb_create_gc(C, Gc, W, 0, nullptr);
    xcb_map_window(C, W);

    auto Next = std::chrono::steady_clock::now();
    const int Span = Width - 2, Step = 3;
    for (int Tick = 0; !xcb_connection_has_error(C); ++Tick) {
        Paint(C, W, Gc, Width, Height, Tick);
        // Back and forth along the middle row.
        const int Travel = (Tick * Step) % (2 * Span);
        const int Px = 1 + (Travel < Span ? Travel : 2 * Span - Travel);
        xcb_warp_pointer(C, XCB_WINDOW_NONE, W, 0, 0, 0, 0, std::int16_t(Px), std::int16_t(Height / 2));
        xcb_flush(C);
        while (xcb_generic_event_t* E = xcb_poll_for_event(C))
            std::free(E);
        Next += std::chrono::milliseconds(TickMs);
        std::this_thread::sleep_until(Next);
    }
    xcb_disconnect(C);
    return 0;
}
