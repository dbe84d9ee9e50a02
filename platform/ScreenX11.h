#pragma once
// The backend that reads the X root window (see ReadingConnection.h). Only valid while
// a QGuiApplication on the xcb platform exists, and only on the GUI thread: a pointer
// query leaves a reading pending for the call that follows it.
#include "Screen.h"

namespace platform {

const TScreenBackend& X11ScreenBackend();

} // namespace platform
