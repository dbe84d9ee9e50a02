#pragma once
// The xcb connection the eyedropper reads over. Qt's own connection hands every reply
// to the GUI thread through its event reader thread, which costs two thread wake-ups
// per reply; at a hundred readings a second that is most of the eyedropper's CPU
// time. So the readings go over a connection of their own to the display Qt uses,
// whose replies the GUI thread reads straight off the socket. Where no connection of
// its own can be had, or it breaks, the readings go over Qt's connection.
typedef struct xcb_connection_t xcb_connection_t;

namespace platform {

struct TReadingConnection {
    xcb_connection_t* Connection = nullptr; // nullptr without an xcb application
    int ScreenNumber = 0;                   // the display's default screen, Qt's too
    unsigned Generation = 0;                // changes whenever Connection changes
    xcb_connection_t* QtConnection = nullptr; // RandR notifications arrive there

    // false: the readings share Qt's connection
    bool OwnConnection() const { return Connection != QtConnection; }
};

// Opens the connection of its own on first use. GUI thread only.
TReadingConnection ReadingConnection();

} // namespace platform
