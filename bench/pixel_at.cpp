// pixel_at X Y: prints the root window's pixel at (X, Y) as #RRGGBB (a TrueColor
// screen of 24 or 32 bits per pixel, as Xvfb's default), so a driver can check what
// a window shows.
#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char* argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: pixel_at X Y\n");
        return 2;
    }
    xcb_connection_t* C = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(C))
        return 1;
    const xcb_screen_t* Screen = xcb_setup_roots_iterator(xcb_get_setup(C)).data;
    xcb_get_image_reply_t* Reply = xcb_get_image_reply(
        C, xcb_get_image(C, XCB_IMAGE_FORMAT_Z_PIXMAP, Screen->root, int16_t(std::atoi(argv[1])),
                         int16_t(std::atoi(argv[2])), 1, 1, ~0u), nullptr);
    if (!Reply || xcb_get_image_data_length(Reply) < 4) {
        std::fprintf(stderr, "pixel_at: no pixel there\n");
        return 1;
    }
    uint32_t Pixel = 0;
    std::memcpy(&Pixel, xcb_get_image_data(Reply), 4);
    std::printf("#%06X\n", Pixel & 0xFFFFFF);
    std::free(Reply);
    xcb_disconnect(C);
    return 0;
}
