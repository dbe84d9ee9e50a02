#include "SessionKind.h"

#include <cstdlib>
#include <cstring>
#include <string_view>

namespace {

TSessionKind Recorded = TSessionKind::X11;

bool IsSet(const char* Name)
{
    const char* V = std::getenv(Name);
    return V && *V;
}

// Qt takes -platform, also written --platform, from the command line.
bool PlatformOnCommandLine(int Argc, char* Argv[])
{
    for (int I = 1; I < Argc; ++I) {
        const std::string_view Arg = Argv[I];
        if (Arg == "-platform" || Arg == "--platform")
            return true;
    }
    return false;
}

} // namespace

TSessionKind SessionKindFromEnvironment()
{
    const char* Type = std::getenv("XDG_SESSION_TYPE");
    const bool Wayland = IsSet("WAYLAND_DISPLAY") || (Type && std::strcmp(Type, "wayland") == 0);
    return Wayland ? TSessionKind::Wayland : TSessionKind::X11;
}

void StartSession(int Argc, char* Argv[])
{
    Recorded = SessionKindFromEnvironment();
    if (Recorded == TSessionKind::Wayland && IsSet("DISPLAY") && !IsSet("QT_QPA_PLATFORM") &&
        !PlatformOnCommandLine(Argc, Argv))
        setenv("QT_QPA_PLATFORM", "xcb", 1);
}

TSessionKind SessionKind() { return Recorded; }
