#include "ClipboardServer.h"

#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <vector>

#include <xcb/xcb.h>

namespace platform {
namespace {

struct TFree {
    void operator()(void* P) const { std::free(P); }
};
template <typename T> using TReply = std::unique_ptr<T, TFree>;

// The atoms the keeper speaks, interned in one round trip.
enum TAtom {
    Clipboard, Targets, Timestamp, Multiple, AtomPair, Utf8String, Text, PlainUtf8, Plain, AtomCount
};
constexpr std::array<const char*, AtomCount> AtomNames{
    "CLIPBOARD", "TARGETS", "TIMESTAMP", "MULTIPLE", "ATOM_PAIR", "UTF8_STRING", "TEXT",
    "text/plain;charset=utf-8", "text/plain"};

bool InternAll(xcb_connection_t* C, std::array<xcb_atom_t, AtomCount>& Atoms)
{
    std::array<xcb_intern_atom_cookie_t, AtomCount> Cookies;
    for (std::size_t I = 0; I < AtomCount; ++I)
        Cookies[I] = xcb_intern_atom(C, 0, std::uint16_t(std::strlen(AtomNames[I])), AtomNames[I]);
    bool Ok = true;
    for (std::size_t I = 0; I < AtomCount; ++I) {
        TReply<xcb_intern_atom_reply_t> R(xcb_intern_atom_reply(C, Cookies[I], nullptr));
        Atoms[I] = R ? R->atom : xcb_atom_t(XCB_ATOM_NONE);
        Ok = Ok && R;
    }
    return Ok;
}

// The text in ISO 8859-1, which is what STRING means; none when a character is outside
// it or the UTF-8 is malformed.
std::optional<std::string> Latin1(const std::string& Utf8)
{
    std::string Out;
    for (std::size_t I = 0; I < Utf8.size();) {
        const auto Lead = static_cast<unsigned char>(Utf8[I]);
        if (Lead < 0x80) {
            Out += char(Lead);
            ++I;
            continue;
        }
        if ((Lead & 0xE0) != 0xC0 || I + 1 >= Utf8.size())
            return std::nullopt;
        const auto Next = static_cast<unsigned char>(Utf8[I + 1]);
        const unsigned Code = (Lead & 0x1Fu) << 6 | (Next & 0x3Fu);
        if ((Next & 0xC0) != 0x80 || Code < 0x80 || Code > 0xFF)
            return std::nullopt;
        Out += char(Code);
        I += 2;
    }
    return Out;
}

bool IsAscii(const std::string& S)
{
    for (const char Ch : S)
        if (static_cast<unsigned char>(Ch) >= 0x80)
            return false;
    return true;
}

// One answer to a conversion: the property's type, format and contents.
struct TValue {
    xcb_atom_t Type = XCB_ATOM_NONE;
    std::uint8_t Format = 8;
    std::string Bytes; // 32-bit items in the machine's order, as xcb sends them
};

TValue Atoms32(xcb_atom_t Type, const std::vector<std::uint32_t>& Items)
{
    TValue V{Type, 32, std::string(Items.size() * 4, '\0')};
    std::memcpy(V.Bytes.data(), Items.data(), V.Bytes.size());
    return V;
}

// xcb_send_event always sends 32 bytes, more than some event structures hold.
union TEventBuffer {
    xcb_selection_notify_event_t Notify;
    char Bytes[32];
};

} // namespace

struct TClipboardServer::TState {
    std::string Utf8;
    std::optional<std::string> Latin1Text;
    bool Ascii = false;
    xcb_connection_t* C = nullptr;
    xcb_window_t Window = XCB_WINDOW_NONE;
    xcb_timestamp_t Since = XCB_CURRENT_TIME;
    std::array<xcb_atom_t, AtomCount> A{};

    std::optional<TValue> Convert(xcb_atom_t Target) const;
    bool Put(xcb_window_t Requestor, xcb_atom_t Property, const TValue& V) const;
    bool AnswerMultiple(xcb_window_t Requestor, xcb_atom_t Property) const;
    void Answer(const xcb_selection_request_event_t& R) const;
};

std::optional<TValue> TClipboardServer::TState::Convert(xcb_atom_t Target) const
{
    if (Target == A[Targets]) {
        std::vector<std::uint32_t> List{A[Targets], A[Timestamp], A[Multiple], A[Utf8String],
                                        A[PlainUtf8], A[Text]};
        if (Latin1Text)
            List.push_back(XCB_ATOM_STRING);
        if (Ascii)
            List.push_back(A[Plain]);
        return Atoms32(XCB_ATOM_ATOM, List);
    }
    if (Target == A[Timestamp])
        return Atoms32(XCB_ATOM_INTEGER, {Since});
    if (Target == A[Utf8String] || Target == A[PlainUtf8])
        return TValue{Target, 8, Utf8};
    if (Target == XCB_ATOM_STRING && Latin1Text)
        return TValue{XCB_ATOM_STRING, 8, *Latin1Text};
    // TEXT lets the owner choose: STRING where it suffices, for the oldest clients.
    if (Target == A[Text])
        return Latin1Text ? TValue{XCB_ATOM_STRING, 8, *Latin1Text} : TValue{A[Utf8String], 8, Utf8};
    // Plain text without a charset is only safe when it is ASCII.
    if (Target == A[Plain] && Ascii)
        return TValue{A[Plain], 8, Utf8};
    return std::nullopt;
}

bool TClipboardServer::TState::Put(xcb_window_t Requestor, xcb_atom_t Property, const TValue& V) const
{
    // Kept texts are capped well below one request, so there is no INCR transfer; a
    // value that would not fit is refused rather than cut.
    constexpr std::size_t ChangePropertyHeader = 24;
    if (V.Bytes.size() + ChangePropertyHeader > std::size_t(xcb_get_maximum_request_length(C)) * 4)
        return false;
    const auto Units = std::uint32_t(V.Bytes.size() / (V.Format / 8));
    xcb_change_property(C, XCB_PROP_MODE_REPLACE, Requestor, Property, V.Type, V.Format, Units,
                        V.Bytes.data());
    return true;
}

// MULTIPLE: the property holds (target, property) pairs; each is converted in turn and
// a pair that cannot be has its property replaced by None.
bool TClipboardServer::TState::AnswerMultiple(xcb_window_t Requestor, xcb_atom_t Property) const
{
    constexpr std::uint32_t MaxPairs = 256;
    TReply<xcb_get_property_reply_t> P(xcb_get_property_reply(
        C, xcb_get_property(C, 0, Requestor, Property, XCB_GET_PROPERTY_TYPE_ANY, 0, MaxPairs * 2),
        nullptr));
    if (!P || P->format != 32 || (P->type != A[AtomPair] && P->type != XCB_ATOM_ATOM))
        return false;
    const auto Count = std::size_t(xcb_get_property_value_length(P.get())) / 4 / 2 * 2;
    std::vector<std::uint32_t> Pairs(Count);
    std::memcpy(Pairs.data(), xcb_get_property_value(P.get()), Count * 4);
    bool Changed = false;
    for (std::size_t I = 0; I < Count; I += 2) {
        const xcb_atom_t Target = Pairs[I];
        const xcb_atom_t Into = Pairs[I + 1];
        const std::optional<TValue> V =
            Target == A[Multiple] || Into == XCB_ATOM_NONE ? std::nullopt : Convert(Target);
        if (!V || !Put(Requestor, Into, *V)) {
            Pairs[I + 1] = XCB_ATOM_NONE;
            Changed = true;
        }
    }
    if (Changed)
        xcb_change_property(C, XCB_PROP_MODE_REPLACE, Requestor, Property, P->type, 32,
                            std::uint32_t(Count), Pairs.data());
    return true;
}

void TClipboardServer::TState::Answer(const xcb_selection_request_event_t& R) const
{
    // Obsolete requestors name no property; the target then doubles as one.
    const xcb_atom_t Property = R.property == XCB_ATOM_NONE ? R.target : R.property;
    // A request stamped before we took the clipboard was meant for an earlier owner.
    const bool InTime = R.time == XCB_CURRENT_TIME || std::int32_t(R.time - Since) >= 0;
    bool Done = false;
    if (R.selection == A[Clipboard] && R.owner == Window && InTime) {
        if (R.target == A[Multiple])
            Done = R.property != XCB_ATOM_NONE && AnswerMultiple(R.requestor, R.property);
        else if (const std::optional<TValue> V = Convert(R.target))
            Done = Put(R.requestor, Property, *V);
    }
    TEventBuffer E{};
    E.Notify.response_type = XCB_SELECTION_NOTIFY;
    E.Notify.time = R.time;
    E.Notify.requestor = R.requestor;
    E.Notify.selection = R.selection;
    E.Notify.target = R.target;
    E.Notify.property = Done ? Property : xcb_atom_t(XCB_ATOM_NONE);
    xcb_send_event(C, 0, R.requestor, XCB_EVENT_MASK_NO_EVENT, E.Bytes);
    xcb_flush(C);
}

TClipboardServer::TClipboardServer(std::string Utf8) : S(std::make_unique<TState>())
{
    S->Latin1Text = Latin1(Utf8);
    S->Ascii = IsAscii(Utf8);
    S->Utf8 = std::move(Utf8);
}

TClipboardServer::~TClipboardServer()
{
    if (S->C)
        xcb_disconnect(S->C);
}

bool TClipboardServer::Own()
{
    int ScreenNumber = 0;
    S->C = xcb_connect(nullptr, &ScreenNumber);
    xcb_connection_t* C = S->C;
    if (xcb_connection_has_error(C) || !InternAll(C, S->A))
        return false;
    xcb_screen_iterator_t It = xcb_setup_roots_iterator(xcb_get_setup(C));
    for (; It.rem > 1 && ScreenNumber > 0; --ScreenNumber)
        xcb_screen_next(&It);
    if (!It.rem)
        return false;

    // An unmapped window to own the selection with; property changes on it bring the
    // server time we need to claim the selection properly.
    S->Window = xcb_generate_id(C);
    const std::uint32_t Events = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_create_window(C, 0, S->Window, It.data->root, -1, -1, 1, 1, 0, XCB_WINDOW_CLASS_INPUT_ONLY,
                      XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK, &Events);
    const char Name[] = "Tavrin Picker clipboard";
    xcb_change_property(C, XCB_PROP_MODE_REPLACE, S->Window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8,
                        sizeof Name - 1, Name);
    xcb_flush(C);
    while (S->Since == XCB_CURRENT_TIME) {
        TReply<xcb_generic_event_t> E(xcb_wait_for_event(C));
        if (!E)
            return false;
        if ((E->response_type & 0x7F) != XCB_PROPERTY_NOTIFY)
            continue;
        const auto* P = reinterpret_cast<const xcb_property_notify_event_t*>(E.get());
        if (P->window == S->Window && P->atom == XCB_ATOM_WM_NAME)
            S->Since = P->time;
    }

    xcb_set_selection_owner(C, S->Window, S->A[Clipboard], S->Since);
    TReply<xcb_get_selection_owner_reply_t> Owner(
        xcb_get_selection_owner_reply(C, xcb_get_selection_owner(C, S->A[Clipboard]), nullptr));
    return Owner && Owner->owner == S->Window;
}

void TClipboardServer::Serve()
{
    // A null event means the connection is gone, and with it the server's selection.
    while (TReply<xcb_generic_event_t> E{xcb_wait_for_event(S->C)}) {
        switch (E->response_type & 0x7F) {
        case XCB_SELECTION_REQUEST:
            S->Answer(*reinterpret_cast<const xcb_selection_request_event_t*>(E.get()));
            break;
        case XCB_SELECTION_CLEAR: {
            const auto* Clear = reinterpret_cast<const xcb_selection_clear_event_t*>(E.get());
            if (Clear->selection == S->A[Clipboard] && Clear->owner == S->Window)
                return;
            break;
        }
        default: // errors about requestors that went away, and the like
            break;
        }
    }
}

} // namespace platform
