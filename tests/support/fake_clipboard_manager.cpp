// A stand-in clipboard manager for the tests. It owns CLIPBOARD_MANAGER; asked to
// convert that to SAVE_TARGETS, it fetches TARGETS and UTF8_STRING from the clipboard's
// owner, takes the clipboard itself, serves the saved text and only then answers the
// request, as real managers do. What it did goes to stdout, a line each:
//   ready            it owns CLIPBOARD_MANAGER
//   from: WINDOW     the clipboard's owner it saved from (decimal id)
//   targets: A B C   the owner's TARGETS
//   saved: TEXT      the UTF8_STRING it saved
//   owner            it now owns CLIPBOARD
//   failed: WHY      a SAVE_TARGETS request it refused
// It runs until killed or until the X server goes away.
#include <array>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <poll.h>

#include <xcb/xcb.h>

namespace {

struct TFree {
    void operator()(void* P) const { std::free(P); }
};
template <typename T> using TReply = std::unique_ptr<T, TFree>;
using TEvent = TReply<xcb_generic_event_t>;

enum TAtom { Clipboard, ManagerSel, SaveTargets, Targets, Utf8String, Incr, Transfer, Clock, Manager, Null, AtomCount };
constexpr std::array<const char*, AtomCount> AtomNames{
    "CLIPBOARD", "CLIPBOARD_MANAGER", "SAVE_TARGETS", "TARGETS", "UTF8_STRING", "INCR",
    "_FAKE_MANAGER_TRANSFER", "_FAKE_MANAGER_CLOCK", "MANAGER", "NULL"};

union TEventBuffer {
    xcb_selection_notify_event_t Notify;
    xcb_client_message_event_t Message;
    char Bytes[32];
};

struct TProperty {
    xcb_atom_t Type = XCB_ATOM_NONE;
    int Format = 0;
    std::string Bytes;
};

void Say(const std::string& Line)
{
    std::printf("%s\n", Line.c_str());
    std::fflush(stdout);
}

class TManager {
public:
    bool Start();
    void Run();

private:
    xcb_connection_t* C = nullptr;
    xcb_window_t Root = XCB_WINDOW_NONE;
    xcb_window_t Window = XCB_WINDOW_NONE;
    std::array<xcb_atom_t, AtomCount> A{};
    std::deque<TEvent> Pending; // events that came while waiting for a particular one
    std::optional<std::string> Saved;
    std::vector<xcb_atom_t> SavedTargets;

    TEvent Next();
    TEvent WaitFor(int Type, int TimeoutMs);
    xcb_timestamp_t Now();
    std::string NameOf(xcb_atom_t Atom);
    std::optional<TProperty> Fetch(xcb_atom_t Target, xcb_timestamp_t Time);
    bool Take(xcb_atom_t Selection, xcb_timestamp_t Time);
    void Notify(const xcb_selection_request_event_t& R, xcb_atom_t Property);
    void Save(const xcb_selection_request_event_t& R);
    void ServeClipboard(const xcb_selection_request_event_t& R);
    void OnRequest(const xcb_selection_request_event_t& R);
};

bool TManager::Start()
{
    int ScreenNumber = 0;
    C = xcb_connect(nullptr, &ScreenNumber);
    if (xcb_connection_has_error(C))
        return false;
    xcb_screen_iterator_t It = xcb_setup_roots_iterator(xcb_get_setup(C));
    for (; It.rem > 1 && ScreenNumber > 0; --ScreenNumber)
        xcb_screen_next(&It);
    Root = It.data->root;
    std::array<xcb_intern_atom_cookie_t, AtomCount> Cookies;
    for (std::size_t I = 0; I < AtomCount; ++I)
        Cookies[I] = xcb_intern_atom(C, 0, std::uint16_t(std::strlen(AtomNames[I])), AtomNames[I]);
    for (std::size_t I = 0; I < AtomCount; ++I) {
        TReply<xcb_intern_atom_reply_t> R(xcb_intern_atom_reply(C, Cookies[I], nullptr));
        A[I] = R ? R->atom : xcb_atom_t(XCB_ATOM_NONE);
    }
    Window = xcb_generate_id(C);
    const std::uint32_t Events = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_create_window(C, 0, Window, Root, -1, -1, 1, 1, 0, XCB_WINDOW_CLASS_INPUT_ONLY,
                      XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK, &Events);
    const xcb_timestamp_t Time = Now();
    if (!Take(A[ManagerSel], Time))
        return false;
    // A new manager announces itself on the root window (ICCCM manager selections).
    TEventBuffer E{};
    E.Message.response_type = XCB_CLIENT_MESSAGE;
    E.Message.format = 32;
    E.Message.window = Root;
    E.Message.type = A[Manager];
    E.Message.data.data32[0] = Time;
    E.Message.data.data32[1] = A[ManagerSel];
    E.Message.data.data32[2] = Window;
    xcb_send_event(C, 0, Root, XCB_EVENT_MASK_STRUCTURE_NOTIFY, E.Bytes);
    xcb_flush(C);
    return true;
}

TEvent TManager::Next()
{
    if (!Pending.empty()) {
        TEvent E = std::move(Pending.front());
        Pending.pop_front();
        return E;
    }
    return TEvent(xcb_wait_for_event(C));
}

// The next event of Type for our window; others wait in Pending. Null on timeout.
TEvent TManager::WaitFor(int Type, int TimeoutMs)
{
    xcb_flush(C);
    const auto Deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(TimeoutMs);
    while (std::chrono::steady_clock::now() < Deadline) {
        while (TEvent E{xcb_poll_for_event(C)}) {
            if ((E->response_type & 0x7F) == Type)
                return E;
            Pending.push_back(std::move(E));
        }
        if (xcb_connection_has_error(C))
            return nullptr;
        pollfd P{xcb_get_file_descriptor(C), POLLIN, 0};
        poll(&P, 1, 50);
    }
    return nullptr;
}

// A server time stamp, from a property change on our window.
xcb_timestamp_t TManager::Now()
{
    xcb_change_property(C, XCB_PROP_MODE_APPEND, Window, A[Clock], XCB_ATOM_STRING, 8, 0, nullptr);
    for (;;) {
        TEvent E = WaitFor(XCB_PROPERTY_NOTIFY, 5000);
        if (!E)
            return XCB_CURRENT_TIME;
        const auto* P = reinterpret_cast<const xcb_property_notify_event_t*>(E.get());
        if (P->window == Window && P->atom == A[Clock])
            return P->time;
    }
}

std::string TManager::NameOf(xcb_atom_t Atom)
{
    TReply<xcb_get_atom_name_reply_t> R(xcb_get_atom_name_reply(C, xcb_get_atom_name(C, Atom), nullptr));
    return R ? std::string(xcb_get_atom_name_name(R.get()), std::size_t(xcb_get_atom_name_name_length(R.get())))
             : std::string("?");
}

bool TManager::Take(xcb_atom_t Selection, xcb_timestamp_t Time)
{
    xcb_set_selection_owner(C, Window, Selection, Time);
    TReply<xcb_get_selection_owner_reply_t> Owner(
        xcb_get_selection_owner_reply(C, xcb_get_selection_owner(C, Selection), nullptr));
    return Owner && Owner->owner == Window;
}

// One conversion of the clipboard, read back from our window; none when refused.
std::optional<TProperty> TManager::Fetch(xcb_atom_t Target, xcb_timestamp_t Time)
{
    xcb_delete_property(C, Window, A[Transfer]);
    xcb_convert_selection(C, Window, A[Clipboard], Target, A[Transfer], Time);
    for (;;) {
        TEvent E = WaitFor(XCB_SELECTION_NOTIFY, 5000);
        if (!E)
            return std::nullopt;
        const auto* N = reinterpret_cast<const xcb_selection_notify_event_t*>(E.get());
        if (N->requestor != Window || N->selection != A[Clipboard] || N->target != Target)
            continue;
        if (N->property == XCB_ATOM_NONE)
            return std::nullopt;
        TReply<xcb_get_property_reply_t> P(xcb_get_property_reply(
            C, xcb_get_property(C, 1, Window, N->property, XCB_GET_PROPERTY_TYPE_ANY, 0, 1 << 20), nullptr));
        if (!P || P->type == A[Incr]) // the texts here are small
            return std::nullopt;
        const auto* Data = static_cast<const char*>(xcb_get_property_value(P.get()));
        return TProperty{P->type, P->format,
                         std::string(Data, std::size_t(xcb_get_property_value_length(P.get())))};
    }
}

void TManager::Notify(const xcb_selection_request_event_t& R, xcb_atom_t Property)
{
    TEventBuffer E{};
    E.Notify.response_type = XCB_SELECTION_NOTIFY;
    E.Notify.time = R.time;
    E.Notify.requestor = R.requestor;
    E.Notify.selection = R.selection;
    E.Notify.target = R.target;
    E.Notify.property = Property;
    xcb_send_event(C, 0, R.requestor, XCB_EVENT_MASK_NO_EVENT, E.Bytes);
    xcb_flush(C);
}

void TManager::Save(const xcb_selection_request_event_t& R)
{
    const xcb_atom_t Property = R.property == XCB_ATOM_NONE ? R.target : R.property;
    auto Fail = [&](const char* Why) {
        Say(std::string("failed: ") + Why);
        Notify(R, XCB_ATOM_NONE);
    };
    const xcb_timestamp_t Time = Now();
    TReply<xcb_get_selection_owner_reply_t> Owner(
        xcb_get_selection_owner_reply(C, xcb_get_selection_owner(C, A[Clipboard]), nullptr));
    Say("from: " + std::to_string(Owner ? Owner->owner : 0));
    const std::optional<TProperty> List = Fetch(A[Targets], Time);
    if (!List || List->Format != 32 || List->Type != XCB_ATOM_ATOM)
        return Fail("no TARGETS");
    std::vector<xcb_atom_t> Offered(List->Bytes.size() / 4);
    std::memcpy(Offered.data(), List->Bytes.data(), Offered.size() * 4);
    std::string Line = "targets:";
    for (const xcb_atom_t T : Offered) {
        Line += ' ';
        Line += NameOf(T);
    }
    Say(Line);
    const std::optional<TProperty> Text = Fetch(A[Utf8String], Time);
    if (!Text || Text->Format != 8)
        return Fail("no UTF8_STRING");
    Saved = Text->Bytes;
    Say("saved: " + *Saved);
    if (!Take(A[Clipboard], Now()))
        return Fail("could not take CLIPBOARD");
    Say("owner");
    // SAVE_TARGETS is a side-effect target: success is an empty property of type NULL.
    xcb_change_property(C, XCB_PROP_MODE_REPLACE, R.requestor, Property, A[Null], 32, 0, nullptr);
    Notify(R, Property);
}

void TManager::ServeClipboard(const xcb_selection_request_event_t& R)
{
    const xcb_atom_t Property = R.property == XCB_ATOM_NONE ? R.target : R.property;
    if (Saved && R.target == A[Targets]) {
        const std::array<std::uint32_t, 2> List{A[Targets], A[Utf8String]};
        xcb_change_property(C, XCB_PROP_MODE_REPLACE, R.requestor, Property, XCB_ATOM_ATOM, 32,
                            List.size(), List.data());
        return Notify(R, Property);
    }
    if (Saved && R.target == A[Utf8String]) {
        xcb_change_property(C, XCB_PROP_MODE_REPLACE, R.requestor, Property, A[Utf8String], 8,
                            std::uint32_t(Saved->size()), Saved->data());
        return Notify(R, Property);
    }
    Notify(R, XCB_ATOM_NONE);
}

void TManager::OnRequest(const xcb_selection_request_event_t& R)
{
    if (R.selection == A[ManagerSel] && R.target == A[SaveTargets])
        return Save(R);
    if (R.selection == A[ManagerSel] && R.target == A[Targets]) {
        const xcb_atom_t Property = R.property == XCB_ATOM_NONE ? R.target : R.property;
        const std::array<std::uint32_t, 2> List{A[Targets], A[SaveTargets]};
        xcb_change_property(C, XCB_PROP_MODE_REPLACE, R.requestor, Property, XCB_ATOM_ATOM, 32,
                            List.size(), List.data());
        return Notify(R, Property);
    }
    if (R.selection == A[Clipboard])
        return ServeClipboard(R);
    Notify(R, XCB_ATOM_NONE);
}

void TManager::Run()
{
    while (TEvent E = Next()) {
        switch (E->response_type & 0x7F) {
        case XCB_SELECTION_REQUEST:
            OnRequest(*reinterpret_cast<const xcb_selection_request_event_t*>(E.get()));
            break;
        case XCB_SELECTION_CLEAR:
            // A real manager would fetch the new owner's contents; this one forgets.
            if (reinterpret_cast<const xcb_selection_clear_event_t*>(E.get())->selection == A[Clipboard])
                Saved.reset();
            break;
        default:
            break;
        }
    }
}

} // namespace

int main()
{
    TManager M;
    if (!M.Start()) {
        std::fprintf(stderr, "fake_clipboard_manager: cannot become the clipboard manager\n");
        return 1;
    }
    Say("ready");
    M.Run();
    return 0;
}
