// A client that keeps taking the X clipboard back: it owns CLIPBOARD and, each time
// another client takes it, takes it again at once. Requests for its contents are
// refused, so nobody waits on it. Prints "ready" once it owns the clipboard; on
// SIGTERM, or after the seconds given as its argument (60 by default), prints how
// often it took the clipboard back and ends.
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <poll.h>
#include <xcb/xcb.h>

namespace {

volatile std::sig_atomic_t Stop = 0;

xcb_atom_t Atom(xcb_connection_t* C, const char* Name)
{
    xcb_intern_atom_reply_t* R =
        xcb_intern_atom_reply(C, xcb_intern_atom(C, 0, std::uint16_t(std::strlen(Name)), Name), nullptr);
    const xcb_atom_t A = R ? R->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(R);
    return A;
}

void Refuse(xcb_connection_t* C, const xcb_selection_request_event_t& Request)
{
    xcb_selection_notify_event_t N{};
    N.response_type = XCB_SELECTION_NOTIFY;
    N.time = Request.time;
    N.requestor = Request.requestor;
    N.selection = Request.selection;
    N.target = Request.target;
    N.property = XCB_ATOM_NONE;
    xcb_send_event(C, 0, Request.requestor, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&N));
}

} // namespace

int main(int argc, char* argv[])
{
    const int Seconds = argc > 1 ? std::atoi(argv[1]) : 60;
    std::signal(SIGTERM, [](int) { Stop = 1; });
    xcb_connection_t* C = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(C)) {
        std::fprintf(stderr, "clipboard_thief: cannot open the X display\n");
        return 1;
    }
    const xcb_screen_t* Screen = xcb_setup_roots_iterator(xcb_get_setup(C)).data;
    const xcb_window_t Window = xcb_generate_id(C);
    xcb_create_window(C, XCB_COPY_FROM_PARENT, Window, Screen->root, 0, 0, 1, 1, 0, XCB_WINDOW_CLASS_INPUT_ONLY,
                      XCB_COPY_FROM_PARENT, 0, nullptr);
    const xcb_atom_t Clipboard = Atom(C, "CLIPBOARD");
    // CurrentTime: the server's own time, so every take succeeds.
    auto Take = [&] { xcb_set_selection_owner(C, Window, Clipboard, XCB_CURRENT_TIME); };
    Take();
    xcb_get_selection_owner_reply_t* Owner =
        xcb_get_selection_owner_reply(C, xcb_get_selection_owner(C, Clipboard), nullptr);
    const bool Owns = Owner && Owner->owner == Window;
    std::free(Owner);
    if (!Owns) {
        std::fprintf(stderr, "clipboard_thief: could not take the clipboard\n");
        return 1;
    }
    std::printf("ready\n");
    std::fflush(stdout);

    long TakenBack = 0;
    const auto Deadline = std::chrono::steady_clock::now() + std::chrono::seconds(Seconds);
    while (!Stop && std::chrono::steady_clock::now() < Deadline && !xcb_connection_has_error(C)) {
        pollfd P{xcb_get_file_descriptor(C), POLLIN, 0};
        poll(&P, 1, 50);
        while (xcb_generic_event_t* E = xcb_poll_for_event(C)) {
            switch (E->response_type & 0x7f) {
            case XCB_SELECTION_CLEAR:
                Take();
                ++TakenBack;
                break;
            case XCB_SELECTION_REQUEST:
                Refuse(C, *reinterpret_cast<xcb_selection_request_event_t*>(E));
                break;
            default:
                break;
            }
            std::free(E);
        }
        xcb_flush(C);
    }
    std::printf("%ld\n", TakenBack);
    xcb_disconnect(C);
    return 0;
}
