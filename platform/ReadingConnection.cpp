#include "ReadingConnection.h"

#include <QGuiApplication>

#include <cstdlib>

// X headers last: their macros (None, Bool, Status, ...) clash with Qt's.
#include <xcb/xcb.h>
#include <X11/Xlib.h>

namespace platform {
namespace {

// Qt opens the default screen of its display name; with Xlib underneath (the usual
// build) the Display knows both, otherwise DISPLAY names them.
struct TQtDisplay {
    xcb_connection_t* Connection = nullptr;
    const char* Name = nullptr; // nullptr: DISPLAY
    int ScreenNumber = 0;
};

TQtDisplay QtDisplay()
{
    TQtDisplay D;
    if (!qGuiApp)
        return D;
    auto* X11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    D.Connection = X11 ? X11->connection() : nullptr;
    if (!D.Connection)
        return D;
    if (Display* Dpy = X11->display()) {
        D.Name = DisplayString(Dpy);
        D.ScreenNumber = DefaultScreen(Dpy);
    } else {
        char* Host = nullptr;
        int DisplayNumber = 0;
        if (xcb_parse_display(nullptr, &Host, &DisplayNumber, &D.ScreenNumber) == 0)
            D.ScreenNumber = 0;
        std::free(Host);
    }
    return D;
}

struct TState {
    xcb_connection_t* ForQt = nullptr; // the Qt connection the state below belongs to
    xcb_connection_t* Own = nullptr;   // nullptr: none could be had, or it broke
    unsigned Generation = 0;
};

void OpenOwn(TState& S, const TQtDisplay& D)
{
    int ScreenNumber = 0;
    xcb_connection_t* C = xcb_connect(D.Name, &ScreenNumber);
    // Same server and screen as Qt, or the readings would come from elsewhere.
    if (xcb_connection_has_error(C) || ScreenNumber != D.ScreenNumber) {
        xcb_disconnect(C);
        return;
    }
    S.Own = C;
}

} // namespace

TReadingConnection ReadingConnection()
{
    static TState S;
    const TQtDisplay D = QtDisplay();
    if (!D.Connection)
        return {};
    if (S.ForQt != D.Connection) {
        if (S.Own)
            xcb_disconnect(S.Own);
        S = {D.Connection, nullptr, S.Generation + 1};
        OpenOwn(S, D);
    }
    if (S.Own && xcb_connection_has_error(S.Own)) {
        // Broken (the server dropped it): read over Qt's connection from now on.
        xcb_disconnect(S.Own);
        S.Own = nullptr;
        ++S.Generation;
    }
    return {S.Own ? S.Own : D.Connection, D.ScreenNumber, S.Generation, D.Connection};
}

} // namespace platform
