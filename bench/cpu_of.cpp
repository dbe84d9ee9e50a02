// cpu_of PID SECONDS: the CPU time a running process spends over SECONDS (user plus
// system, all its threads, from /proc/PID/stat), printed as a percentage of one core.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <unistd.h>

namespace {

// utime + stime in clock ticks, or -1 when the process is gone.
long long CpuTicks(const std::string& Pid)
{
    std::ifstream Stat("/proc/" + Pid + "/stat");
    std::string Text;
    if (!std::getline(Stat, Text))
        return -1;
    // The command name (field 2) may hold spaces; the fields after it are plain.
    const auto Close = Text.rfind(')');
    if (Close == std::string::npos)
        return -1;
    std::istringstream Fields(Text.substr(Close + 2));
    std::string Field;
    long long UTime = 0, STime = 0;
    for (int N = 3; Fields >> Field; ++N) {
        if (N == 14)
            UTime = std::atoll(Field.c_str());
        else if (N == 15) {
            STime = std::atoll(Field.c_str());
            return UTime + STime;
        }
    }
    return -1;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: cpu_of PID SECONDS\n");
        return 2;
    }
    const std::string Pid = argv[1];
    const double Seconds = std::atof(argv[2]);
    const long long Before = CpuTicks(Pid);
    const auto Start = std::chrono::steady_clock::now();
    std::this_thread::sleep_for(std::chrono::duration<double>(Seconds));
    const long long After = CpuTicks(Pid);
    const double Wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - Start).count();
    if (Before < 0 || After < 0) {
        std::fprintf(stderr, "cpu_of: process %s is not running\n", Pid.c_str());
        return 1;
    }
    const double Cpu = double(After - Before) / double(sysconf(_SC_CLK_TCK));
    std::printf("%.2f\n", 100.0 * Cpu / Wall);
    return 0;
}
