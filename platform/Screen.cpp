#include "Screen.h"

#include "ScreenX11.h"

#include <QGuiApplication>
#include <atomic>

namespace platform {
namespace {

// Used where there is no screen to read (offscreen, minimal, no application yet).
std::uint32_t NullReadPixel(int, int) { return 0xFFFFFFFF; }
bool NullCursorPos(int&, int&) { return false; }
const TScreenBackend NullBackend{NullReadPixel, NullCursorPos};

std::atomic<const TScreenBackend*> Installed{nullptr};
std::atomic<const TScreenBackend*> Native{nullptr};

// The platform cannot change while an application runs, so the choice is made once;
// before an application exists the null backend answers without being remembered.
const TScreenBackend& NativeBackend()
{
    if (const TScreenBackend* B = Native.load(std::memory_order_acquire))
        return *B;
    if (!qGuiApp)
        return NullBackend;
    const TScreenBackend* B = QGuiApplication::platformName() == QLatin1String("xcb")
                                  ? &X11ScreenBackend()
                                  : &NullBackend;
    Native.store(B, std::memory_order_release);
    return *B;
}

const TScreenBackend& Current()
{
    if (const TScreenBackend* B = Installed.load(std::memory_order_acquire))
        return *B;
    return NativeBackend();
}

} // namespace

std::uint32_t ReadScreenPixel(int X, int Y) { return Current().ReadPixel(X, Y); }

bool GetCursorPos(int& X, int& Y) { return Current().CursorPos(X, Y); }

void SetScreenBackend(const TScreenBackend* Backend)
{
    Installed.store(Backend, std::memory_order_release);
}

} // namespace platform
