#pragma once
// When the X server goes away under the running picker, Qt's xcb plugin notices the
// broken connection, logs it in its own words and exits. This turns that into one
// line of ours on standard error and ends the process at once with status 1, so that
// nothing else (Xlib's fatal I/O report, exit handlers that talk to the lost server)
// can follow it. Every other message goes on to the handler that was there before.
void WatchForLostDisplay(const char* Program);
