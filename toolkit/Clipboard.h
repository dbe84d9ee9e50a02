#pragma once
// The system clipboard, for the one thing the windows do with it: replace its
// contents with a single plain-text item (on X11, the CLIPBOARD selection).
#include <QString>

class TClipboard {
public:
    // Raises EPlatformError when the clipboard cannot be set; it then keeps what it
    // had.
    void SetTextBuf(const QString& Text);
    // Tests make the clipboard refuse, as when another program holds it open.
    static void SimulateHeldOpen(bool Held);
};

TClipboard* Clipboard();
