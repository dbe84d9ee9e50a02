#pragma once
// Which kind of desktop session the picker runs in, decided once at start-up. In a
// Wayland session no program may read the screen, so the eyedropper asks the desktop
// portal for a colour instead, and the window runs on XWayland like on X11.
enum class TSessionKind { X11, Wayland };

// WAYLAND_DISPLAY or XDG_SESSION_TYPE=wayland make a Wayland session.
TSessionKind SessionKindFromEnvironment();

// Before the application object: records the session kind and, in a Wayland session
// with XWayland (DISPLAY set), selects Qt's xcb platform unless the user chose one
// (QT_QPA_PLATFORM or -platform).
void StartSession(int Argc, char* Argv[]);

// The kind StartSession recorded; X11 where it never ran (the in-process tests).
TSessionKind SessionKind();
