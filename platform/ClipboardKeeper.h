#pragma once
// Keeps a copied code on the X clipboard after the picker has closed. With a clipboard
// manager running, Qt's xcb plugin hands the clipboard over to it (SAVE_TARGETS) as the
// application object is destroyed. Without one, the picker's own binary is started
// again as a small detached keeper that serves the text until another client takes
// the clipboard.
#include <cstddef>

namespace platform {

// The first argument that makes tpicker the keeper instead of the picker.
inline constexpr char KeepClipboardArgument[] = "--keep-clipboard";
// The longest text kept, in bytes; every conversion of it then fits one X request.
inline constexpr std::size_t MaxKeptTextBytes = 64 * 1024;

bool IsClipboardKeeper(int Argc, char* Argv[]);

// The keeper's whole life, without Qt: reads the text from stdin, takes the clipboard,
// detaches, writes "ready" to what was stdout and serves. Returns its exit status.
int RunClipboardKeeper();

// After the event loop, while the application object still exists: when this process
// owns the clipboard on X11 and no clipboard manager runs, starts the keeper and waits
// briefly until it owns the clipboard, so that it never goes without an owner.
void KeepClipboardAfterExit();

} // namespace platform
