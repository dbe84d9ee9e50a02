// time_to_map PROGRAM [ARGS...]: starts a program and prints the milliseconds from
// its start to the first top-level window it maps, watched as MapNotify on the root.
#include <xcb/xcb.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

int main(int argc, char* argv[])
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: time_to_map PROGRAM [ARGS...]\n");
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
        execvp(argv[1], argv + 1);
        _exit(127);
    }
    int Status = 1;
    while (xcb_generic_event_t* E = xcb_wait_for_event(C)) {
        const bool Mapped = (E->response_type & 0x7F) == XCB_MAP_NOTIFY;
        free(E);
        if (Mapped) {
            const double Ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - Start).count();
            std::printf("%.1f\n", Ms);
            Status = 0;
            break;
        }
    }
    kill(Child, SIGTERM);
    waitpid(Child, nullptr, 0);
    xcb_disconnect(C);
    return Status;
}
