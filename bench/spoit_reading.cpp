// spoit_reading [READINGS]: the cost of one screen reading by the eyedropper
// (TSpoit::PickAt, over Qt's own xcb connection) against the floor, a bare 1x1
// GetImage round trip on a connection of our own, and the same bare round trip on
// Qt's connection (what Qt's connection itself costs), all on the display of this
// run. Prints "picker_us bare_us bare_on_qt_us" per reading, each over READINGS
// readings (10000 unless told), interleaved in blocks so that drift hits all alike.
#include "ColorSpoit.h"

#include <QGuiApplication>
#include <qguiapplication_platform.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include <xcb/xcb.h>

namespace {

using TClock = std::chrono::steady_clock;

struct TPoints {
    int Width = 1, Height = 1;
    int X(int I) const { return (I * 37) % Width; }
    int Y(int I) const { return (I * 53) % Height; }
};

double PickerBlock(TSpoit& Spoit, const TPoints& P, int From, int Count, std::uint32_t& Sink)
{
    const auto Start = TClock::now();
    for (int I = From; I < From + Count; ++I) {
        Spoit.PickAt(P.X(I), P.Y(I));
        Sink ^= Spoit.GetColor();
    }
    return std::chrono::duration<double, std::micro>(TClock::now() - Start).count();
}

double BareBlock(xcb_connection_t* C, xcb_window_t Root, const TPoints& P, int From, int Count,
                 std::uint32_t& Sink)
{
    const auto Start = TClock::now();
    for (int I = From; I < From + Count; ++I) {
        xcb_get_image_reply_t* R = xcb_get_image_reply(
            C, xcb_get_image(C, XCB_IMAGE_FORMAT_Z_PIXMAP, Root, std::int16_t(P.X(I)), std::int16_t(P.Y(I)), 1, 1, ~0u),
            nullptr);
        if (R)
            Sink ^= *xcb_get_image_data(R);
        std::free(R);
    }
    return std::chrono::duration<double, std::micro>(TClock::now() - Start).count();
}

} // namespace

int main(int argc, char* argv[])
{
    const int Readings = argc > 1 ? std::atoi(argv[1]) : 10000;
    QGuiApplication App(argc, argv);
    if (QGuiApplication::platformName() != QLatin1String("xcb")) {
        std::fprintf(stderr, "spoit_reading: needs an X display (QT_QPA_PLATFORM=xcb)\n");
        return 1;
    }
    xcb_connection_t* C = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(C))
        return 1;
    const xcb_screen_t* Screen = xcb_setup_roots_iterator(xcb_get_setup(C)).data;
    const TPoints Points{Screen->width_in_pixels, Screen->height_in_pixels};

    xcb_connection_t* QtC = qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection();

    TSpoit Spoit;
    std::uint32_t Sink = 0;
    PickerBlock(Spoit, Points, 0, 200, Sink); // first readings describe the screen
    BareBlock(C, Screen->root, Points, 0, 200, Sink);
    BareBlock(QtC, Screen->root, Points, 0, 200, Sink);

    constexpr int Blocks = 10;
    const int PerBlock = Readings / Blocks;
    double PickerUs = 0, BareUs = 0, BareOnQtUs = 0;
    for (int B = 0; B < Blocks; ++B) {
        PickerUs += PickerBlock(Spoit, Points, B * PerBlock, PerBlock, Sink);
        BareUs += BareBlock(C, Screen->root, Points, B * PerBlock, PerBlock, Sink);
        BareOnQtUs += BareBlock(QtC, Screen->root, Points, B * PerBlock, PerBlock, Sink);
    }
    const int Done = Blocks * PerBlock;
    std::printf("%.2f %.2f %.2f\n", PickerUs / Done, BareUs / Done, BareOnQtUs / Done);
    std::fprintf(stderr, "spoit_reading: %d readings each (checksum %08x)\n", Done, Sink);
    xcb_disconnect(C);
    return 0;
}
