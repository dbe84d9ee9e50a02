// rss_after MS PROGRAM [ARGS...]: starts a program, and MS milliseconds later prints
// its resident set size (VmRSS of /proc/PID/status) in MiB, then ends it.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <signal.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

// VmRSS in KiB, or -1 when the process is gone.
long ResidentKiB(pid_t Pid)
{
    std::ifstream Status("/proc/" + std::to_string(Pid) + "/status");
    std::string Line;
    while (std::getline(Status, Line))
        if (Line.rfind("VmRSS:", 0) == 0)
            return std::strtol(Line.c_str() + 6, nullptr, 10);
    return -1;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: rss_after MS PROGRAM [ARGS...]\n");
        return 2;
    }
    const int Ms = std::atoi(argv[1]);
    const pid_t Child = fork();
    if (Child == 0) {
        execvp(argv[2], argv + 2);
        _exit(127);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(Ms));
    // A process that already ended is a zombie whose status has no VmRSS line.
    const long KiB = ResidentKiB(Child);
    kill(Child, SIGTERM);
    waitpid(Child, nullptr, 0);
    if (KiB < 0) {
        std::fprintf(stderr, "rss_after: %s is not running after %d ms\n", argv[2], Ms);
        return 1;
    }
    std::printf("%.1f\n", double(KiB) / 1024.0);
    return 0;
}
