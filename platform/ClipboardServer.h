#pragma once
// The X side of the clipboard keeper: a connection of its own (no Qt) that owns the
// CLIPBOARD selection and serves one text until another client takes it.
#include <memory>
#include <string>

namespace platform {

class TClipboardServer {
public:
    explicit TClipboardServer(std::string Utf8);
    ~TClipboardServer();
    TClipboardServer(const TClipboardServer&) = delete;
    TClipboardServer& operator=(const TClipboardServer&) = delete;

    // Connects to DISPLAY and takes the CLIPBOARD; true once the server says we own it.
    bool Own();
    // Answers conversion requests until the clipboard passes to another client or the
    // X server goes away.
    void Serve();

private:
    struct TState;
    std::unique_ptr<TState> S;
};

} // namespace platform
