#include "ClipboardKeeper.h"

#include "ClipboardServer.h"

#include <QClipboard>
#include <QGuiApplication>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <string>

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <xcb/xcb.h>

namespace platform {
namespace {

constexpr char ReadyLine[] = "ready\n";
// How long a closing picker waits for the keeper to own the clipboard.
constexpr int ReadyTimeoutMs = 3000;

class TFd {
public:
    explicit TFd(int Fd = -1) : F(Fd) {}
    ~TFd() { Reset(); }
    TFd(const TFd&) = delete;
    TFd& operator=(const TFd&) = delete;
    int Get() const { return F; }
    void Reset(int Fd = -1)
    {
        if (F >= 0)
            close(F);
        F = Fd;
    }

private:
    int F;
};

bool WriteAll(int Fd, const char* Data, std::size_t Size)
{
    while (Size > 0) {
        const ssize_t N = write(Fd, Data, Size);
        if (N < 0 && errno == EINTR)
            continue;
        if (N <= 0)
            return false;
        Data += N;
        Size -= std::size_t(N);
    }
    return true;
}

// --- The keeper ------------------------------------------------------------------

// Fd read to its end; none when it holds more than Limit bytes.
std::optional<std::string> ReadAll(int Fd, std::size_t Limit)
{
    std::string Out;
    char Buffer[4096];
    for (;;) {
        const ssize_t N = read(Fd, Buffer, sizeof Buffer);
        if (N < 0 && errno == EINTR)
            continue;
        if (N < 0)
            return std::nullopt;
        if (N == 0)
            return Out;
        Out.append(Buffer, std::size_t(N));
        if (Out.size() > Limit)
            return std::nullopt;
    }
}

// Out of the picker's session and process group, so that neither its end nor a
// closing terminal takes the keeper with it.
void Detach()
{
    setsid();
    std::signal(SIGHUP, SIG_IGN);
    if (chdir("/") != 0) {
        // Staying in the picker's directory only keeps it busy.
    }
}

void StdioToNull()
{
    const int Null = open("/dev/null", O_RDWR | O_NOCTTY);
    if (Null < 0)
        return;
    for (const int Fd : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO})
        dup2(Null, Fd);
    if (Null > STDERR_FILENO)
        close(Null);
}

// --- The closing picker ----------------------------------------------------------

bool ClipboardManagerRuns(xcb_connection_t* C)
{
    struct TFree {
        void operator()(void* P) const { std::free(P); }
    };
    const char Name[] = "CLIPBOARD_MANAGER";
    std::unique_ptr<xcb_intern_atom_reply_t, TFree> Atom(
        xcb_intern_atom_reply(C, xcb_intern_atom(C, 1, sizeof Name - 1, Name), nullptr));
    // An atom nobody ever interned has no owner either.
    if (!Atom || Atom->atom == XCB_ATOM_NONE)
        return false;
    std::unique_ptr<xcb_get_selection_owner_reply_t, TFree> Owner(
        xcb_get_selection_owner_reply(C, xcb_get_selection_owner(C, Atom->atom), nullptr));
    return Owner && Owner->owner != XCB_WINDOW_NONE;
}

// A close-on-exec pipe with both ends above stdio, so that moving an end onto stdin or
// stdout of the keeper always makes a new descriptor (and clears close-on-exec).
bool MakePipe(TFd& Read, TFd& Write)
{
    int Fds[2];
    if (pipe2(Fds, O_CLOEXEC) != 0)
        return false;
    for (int& Fd : Fds)
        if (Fd <= STDERR_FILENO) {
            const int Moved = fcntl(Fd, F_DUPFD_CLOEXEC, STDERR_FILENO + 1);
            close(Fd);
            Fd = Moved;
        }
    Read.Reset(Fds[0]);
    Write.Reset(Fds[1]);
    return Read.Get() >= 0 && Write.Get() >= 0;
}

// The whole text goes into the pipe before the keeper starts: the picker never blocks
// on a slow reader, and cannot get SIGPIPE from one that died.
bool Preload(int Fd, const QByteArray& Text)
{
    const auto Size = std::size_t(Text.size());
    if (fcntl(Fd, F_GETPIPE_SZ) < int(Size))
        fcntl(Fd, F_SETPIPE_SZ, int(Size));
    return fcntl(Fd, F_SETFL, O_NONBLOCK) == 0 && WriteAll(Fd, Text.constData(), Size);
}

bool AwaitReady(int Fd)
{
    using namespace std::chrono;
    const auto Deadline = steady_clock::now() + milliseconds(ReadyTimeoutMs);
    std::string Got;
    while (Got.find('\n') == std::string::npos) {
        const auto Left = duration_cast<milliseconds>(Deadline - steady_clock::now()).count();
        pollfd P{Fd, POLLIN, 0};
        const int N = Left > 0 ? poll(&P, 1, int(Left)) : 0;
        if (N < 0 && errno == EINTR)
            continue;
        if (N <= 0)
            return false;
        char Buffer[16];
        const ssize_t R = read(Fd, Buffer, sizeof Buffer);
        if (R < 0 && errno == EINTR)
            continue;
        if (R <= 0) // the keeper ended without owning the clipboard
            return false;
        Got.append(Buffer, std::size_t(R));
    }
    return Got == ReadyLine;
}

// Starts this same binary as the keeper: /proc/self/exe is the program that is running
// even if its file was replaced meanwhile, so picker and keeper always match.
bool StartKeeper(const QByteArray& Text)
{
    TFd InRead, InWrite, OutRead, OutWrite;
    if (!MakePipe(InRead, InWrite) || !MakePipe(OutRead, OutWrite) || !Preload(InWrite.Get(), Text))
        return false;
    InWrite.Reset();

    posix_spawn_file_actions_t Actions;
    posix_spawn_file_actions_init(&Actions);
    posix_spawn_file_actions_adddup2(&Actions, InRead.Get(), STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&Actions, OutWrite.Get(), STDOUT_FILENO);
    // Whatever Qt blocked or ignored in this thread is not the keeper's business.
    posix_spawnattr_t Attr;
    posix_spawnattr_init(&Attr);
    sigset_t Signals;
    sigemptyset(&Signals);
    posix_spawnattr_setsigmask(&Attr, &Signals);
    sigfillset(&Signals);
    posix_spawnattr_setsigdefault(&Attr, &Signals);
    posix_spawnattr_setflags(&Attr, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

    const QByteArray Name = QCoreApplication::arguments().value(0, QStringLiteral("tpicker")).toLocal8Bit();
    char* Argv[] = {const_cast<char*>(Name.constData()), const_cast<char*>(KeepClipboardArgument), nullptr};
    pid_t Pid = 0;
    const int Error = posix_spawn(&Pid, "/proc/self/exe", &Actions, &Attr, Argv, environ);
    posix_spawnattr_destroy(&Attr);
    posix_spawn_file_actions_destroy(&Actions);
    InRead.Reset();
    OutWrite.Reset();
    if (Error != 0)
        return false;
    if (AwaitReady(OutRead.Get()))
        return true; // it runs on by itself; once we exit, init adopts it
    kill(Pid, SIGKILL);
    waitpid(Pid, nullptr, 0);
    return false;
}

} // namespace

bool IsClipboardKeeper(int Argc, char* Argv[])
{
    return Argc >= 2 && std::strcmp(Argv[1], KeepClipboardArgument) == 0;
}

int RunClipboardKeeper()
{
    // Only stdio is meant to come from the picker.
    closefrom(STDERR_FILENO + 1);
    std::signal(SIGPIPE, SIG_IGN);
    const std::optional<std::string> Text = ReadAll(STDIN_FILENO, MaxKeptTextBytes);
    if (!Text || Text->empty()) {
        std::fprintf(stderr, "tpicker %s: expects 1 to %zu bytes of text on standard input\n",
                     KeepClipboardArgument, MaxKeptTextBytes);
        return 1;
    }
    TClipboardServer Server(*Text);
    if (!Server.Own()) {
        std::fprintf(stderr, "tpicker %s: could not take the X clipboard\n", KeepClipboardArgument);
        return 1;
    }
    // Fully detached before the picker hears that it may go.
    Detach();
    const int Report = dup(STDOUT_FILENO);
    StdioToNull();
    WriteAll(Report, ReadyLine, sizeof ReadyLine - 1);
    close(Report);
    Server.Serve();
    return 0;
}

void KeepClipboardAfterExit()
{
    if (!qGuiApp || QGuiApplication::platformName() != QLatin1String("xcb"))
        return;
    QClipboard* Board = QGuiApplication::clipboard();
    if (!Board->ownsClipboard())
        return;
    // With a manager running, Qt's xcb clipboard hands the contents over to it when the
    // application object is destroyed; there is nothing to keep here.
    auto* X11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (X11 && X11->connection() && ClipboardManagerRuns(X11->connection()))
        return;
    const QByteArray Text = Board->text(QClipboard::Clipboard).toUtf8();
    if (Text.isEmpty() || std::size_t(Text.size()) > MaxKeptTextBytes)
        return;
    if (!StartKeeper(Text))
        std::fprintf(stderr, "tpicker: the copied text could not be kept on the clipboard\n");
}

} // namespace platform
