// bare_window: the least a client does to show a window, with xcb alone: connect,
// create a top-level window of the picker's size, map it and wait to be ended. Its
// start-up time is the floor under any toolkit's.
#include <xcb/xcb.h>

#include <cstdlib>

int main()
{
    xcb_connection_t* C = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(C))
        return 1;
    const xcb_screen_t* Screen = xcb_setup_roots_iterator(xcb_get_setup(C)).data;
    const xcb_window_t W = xcb_generate_id(C);
    const uint32_t Values[] = {Screen->white_pixel, XCB_EVENT_MASK_EXPOSURE};
    xcb_create_window(C, XCB_COPY_FROM_PARENT, W, Screen->root, 0, 0, 339, 318, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, Screen->root_visual,
                      XCB_CW_BACK_PIXEL | XCB_CW_EVENT_MASK, Values);
    xcb_map_window(C, W);
    xcb_flush(C);
    while (xcb_generic_event_t* E = xcb_wait_for_event(C))
        std::free(E);
    xcb_disconnect(C);
    return 0;
}
