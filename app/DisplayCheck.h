#pragma once
// Whether there is a display to open; if not, says so on standard error with the way
// to run under a virtual display, instead of Qt's abort.
bool DisplayAvailable(const char* Program);
