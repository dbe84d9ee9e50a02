#pragma once
// Which parts of the X root lie on a monitor. Where monitors differ in size, part of
// the root lies on none and holds whatever the server left there.
#include <cstdint>

typedef struct xcb_connection_t xcb_connection_t;

namespace platform {

// Whether (X, Y) of the root lies on an active RandR monitor. The monitor list is
// read once and again after the server reports a change of the screen layout; a
// server without RandR monitors counts the whole root as covered.
bool OnAMonitor(xcb_connection_t* Connection, std::uint32_t Root, int X, int Y);

} // namespace platform
