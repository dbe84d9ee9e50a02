#pragma once
// The backend that reads the X root window (see ReadingConnection.h). Only valid while
// a QGuiApplication on the xcb platform exists.
#include "Screen.h"

namespace platform {

const TScreenBackend& X11ScreenBackend();

} // namespace platform
