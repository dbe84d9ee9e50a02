#include "DisplayCheck.h"

#include "Display.h"

#include <cstdio>
#include <cstdlib>

namespace {
const char* Env(const char* Name)
{
    const char* V = std::getenv(Name);
    return V && *V ? V : nullptr;
}
} // namespace

bool DisplayAvailable(const char* Program)
{
    // A platform chosen by the user (offscreen, vnc, wayland, ...) is Qt's to open.
    if (Env("QT_QPA_PLATFORM") || (Env("WAYLAND_DISPLAY") && !Env("DISPLAY")))
        return true;
    const char* Display = Env("DISPLAY");
    if (Display && platform::CanOpenXDisplay())
        return true;
    if (Display)
        std::fprintf(stderr, "%s: cannot open the X display %s.\n", Program, Display);
    else
        std::fprintf(stderr, "%s: no display: DISPLAY is not set.\n", Program);
    std::fprintf(stderr,
                 "Tavrin Picker is a desktop program and needs an X11 display. Start it from a "
                 "desktop session, or on a virtual display: xvfb-run -a %s\n",
                 Program);
    return false;
}
