#pragma once
// The two screen calls the eyedropper needs, in the physical pixels of the X root
// window. Each call goes to the current backend: the windowing system's own, or one
// that a test installs.
#include <cstdint>

namespace platform {

// Colour of the screen pixel at (X, Y) as $00BBGGRR; 0xFFFFFFFF where the screen does
// not cover the point. Holds nothing on the server between calls.
std::uint32_t ReadScreenPixel(int X, int Y);

// The pointer's position; false when it cannot be had (for example the pointer is on
// another X screen), and then X and Y are left alone.
bool GetCursorPos(int& X, int& Y);

struct TScreenBackend {
    std::uint32_t (*ReadPixel)(int X, int Y);
    bool (*CursorPos)(int& X, int& Y);
};

// Replaces the backend (tests use a fake screen); nullptr restores the native one.
void SetScreenBackend(const TScreenBackend* Backend);

} // namespace platform
