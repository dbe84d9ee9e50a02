// time_to_map [-v] PROGRAM [ARGS...]: starts a program and prints the milliseconds from
// its start to the first top-level window it maps, watched as MapNotify on the root.
// Override-redirect windows (menus, tooltips, splash pop-ups) are not top-level windows
// a window manager would frame, so they are passed over. With -v the window that
// stopped the clock is described on stderr (id, size, WM_CLASS), so a driver can check
// it timed the program's main window.
#include <xcb/xcb.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <signal.h>
#include <string>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr int TimeoutMs = 20000;

double MsSince(std::chrono::steady_clock::time_point Start)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - Start).count();
}

void Describe(xcb_connection_t* C, xcb_window_t W)
{
    xcb_get_geometry_reply_t* G = xcb_get_geometry_reply(C, xcb_get_geometry(C, W), nullptr);
    xcb_get_property_reply_t* P = xcb_get_property_reply(
        C, xcb_get_property(C, 0, W, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 0, 64), nullptr);
    std::string Class;
    if (P) {
        const char* Data = static_cast<const char*>(xcb_get_property_value(P));
        Class.assign(Data, std::size_t(xcb_get_property_value_length(P)));
        for (char& Ch : Class)
            if (Ch == '\0')
                Ch = ' ';
    }
    std::fprintf(stderr, "mapped 0x%x %dx%d class '%s'\n", W, G ? G->width : 0, G ? G->height : 0,
                 Class.c_str());
    std::free(G);
    std::free(P);
}

} // namespace

int main(int argc, char* argv[])
{
    const bool Verbose = argc > 1 && std::strcmp(argv[1], "-v") == 0;
    char** Command = argv + 1 + (Verbose ? 1 : 0);
    if (!*Command) {
        std::fprintf(stderr, "usage: time_to_map [-v] PROGRAM [ARGS...]\n");
        return 2;
    }
    xcb_connection_t* C = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(C))
        return 1;
    xcb_screen_t* Screen = xcb_setup_roots_iterator(xcb_get_setup(C)).data;
    const uint32_t Mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(C, Screen->root, XCB_CW_EVENT_MASK, &Mask);
    free(xcb_get_input_focus_reply(C, xcb_get_input_focus(C), nullptr));

    const auto Start = std::chrono::steady_clock::now();
    const pid_t Child = fork();
    if (Child == 0) {
        execvp(Command[0], Command);
        _exit(127);
    }
    // The first top-level map, or nothing when the program ends or takes too long.
    int Status = 1;
    bool Ended = false;
    pollfd Socket{xcb_get_file_descriptor(C), POLLIN, 0};
    while (Status != 0 && !xcb_connection_has_error(C)) {
        while (xcb_generic_event_t* E = xcb_poll_for_event(C)) {
            xcb_window_t Mapped = XCB_WINDOW_NONE;
            if ((E->response_type & 0x7F) == XCB_MAP_NOTIFY) {
                const auto* M = reinterpret_cast<xcb_map_notify_event_t*>(E);
                if (!M->override_redirect)
                    Mapped = M->window;
            }
            free(E);
            if (Mapped != XCB_WINDOW_NONE && Status != 0) {
                std::printf("%.1f\n", MsSince(Start));
                std::fflush(stdout);
                if (Verbose)
                    Describe(C, Mapped);
                Status = 0;
            }
        }
        if (Status == 0)
            break;
        if (waitpid(Child, nullptr, WNOHANG) == Child) {
            Ended = true;
            std::fprintf(stderr, "time_to_map: %s ended without mapping a window\n", Command[0]);
            break;
        }
        if (MsSince(Start) > TimeoutMs) {
            std::fprintf(stderr, "time_to_map: no window from %s in %d ms\n", Command[0], TimeoutMs);
            break;
        }
        poll(&Socket, 1, 20);
    }
    if (!Ended) {
        kill(Child, SIGTERM);
        waitpid(Child, nullptr, 0);
    }
    xcb_disconnect(C);
    return Status;
}
