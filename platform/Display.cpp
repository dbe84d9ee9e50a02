#include "Display.h"

#include <xcb/xcb.h>

bool platform::CanOpenXDisplay()
{
    xcb_connection_t* C = xcb_connect(nullptr, nullptr);
    const bool Ok = !xcb_connection_has_error(C);
    xcb_disconnect(C);
    return Ok;
}
