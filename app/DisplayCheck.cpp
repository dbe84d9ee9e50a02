#include "DisplayCheck.h"

#include <cstdio>
#include <cstdlib>

namespace {
bool Set(const char* Name)
{
    const char* V = std::getenv(Name);
    return V && *V;
}
} // namespace

bool DisplayAvailable(const char* Program)
{
    // A platform chosen by the user (offscreen, vnc, ...) needs no display of ours.
    if (Set("QT_QPA_PLATFORM") || Set("DISPLAY") || Set("WAYLAND_DISPLAY"))
        return true;
    std::fprintf(stderr,
                 "%s: no display: Tavrin Picker is a desktop program and needs an X11 display, "
                 "but DISPLAY is not set.\n"
                 "Start it from a desktop session, or on a virtual display: xvfb-run -a %s\n",
                 Program, Program);
    return false;
}
