// cpu_of PID SECONDS: the CPU time a running process spends over SECONDS (user plus
// system, all its threads), printed as a percentage of one core.
// The time comes from each thread's schedstat (nanoseconds). /proc/PID/stat counts in
// clock ticks of 10 ms, too coarse for a process that uses 1 % of a core over 10 s;
// it is the fallback when a thread ends during the measurement (its time would be lost).
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <unistd.h>

namespace {

// utime + stime in seconds, or -1 when the process is gone.
double StatSeconds(const std::string& Pid)
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
    long long UTime = 0;
    for (int N = 3; Fields >> Field; ++N) {
        if (N == 14)
            UTime = std::atoll(Field.c_str());
        else if (N == 15)
            return double(UTime + std::atoll(Field.c_str())) / double(sysconf(_SC_CLK_TCK));
    }
    return -1;
}

// Nanoseconds on the CPU of each thread of the process.
std::map<std::string, long long> ThreadNanoseconds(const std::string& Pid)
{
    std::map<std::string, long long> Times;
    DIR* Tasks = opendir(("/proc/" + Pid + "/task").c_str());
    if (!Tasks)
        return Times;
    while (const dirent* E = readdir(Tasks)) {
        if (E->d_name[0] == '.')
            continue;
        std::ifstream Sched("/proc/" + Pid + "/task/" + E->d_name + "/schedstat");
        long long Ns = -1;
        if (Sched >> Ns && Ns >= 0)
            Times[E->d_name] = Ns;
    }
    closedir(Tasks);
    return Times;
}

// Seconds between the two thread tables, or -1 when a thread of the first is missing
// from the second.
double ThreadSeconds(const std::map<std::string, long long>& Before,
                     const std::map<std::string, long long>& After)
{
    if (Before.empty())
        return -1;
    long long Ns = 0;
    for (const auto& [Tid, Start] : Before) {
        const auto End = After.find(Tid);
        if (End == After.end())
            return -1;
        Ns += End->second - Start;
    }
    for (const auto& [Tid, End] : After)
        if (!Before.count(Tid))
            Ns += End; // started during the measurement
    return double(Ns) / 1e9;
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
    const auto ThreadsBefore = ThreadNanoseconds(Pid);
    const double StatBefore = StatSeconds(Pid);
    const auto Start = std::chrono::steady_clock::now();
    std::this_thread::sleep_for(std::chrono::duration<double>(Seconds));
    const auto ThreadsAfter = ThreadNanoseconds(Pid);
    const double StatAfter = StatSeconds(Pid);
    const double Wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - Start).count();
    if (StatBefore < 0 || StatAfter < 0) {
        std::fprintf(stderr, "cpu_of: process %s is not running\n", Pid.c_str());
        return 1;
    }
    double Cpu = ThreadSeconds(ThreadsBefore, ThreadsAfter);
    if (Cpu < 0)
        Cpu = StatAfter - StatBefore;
    std::printf("%.3f\n", 100.0 * Cpu / Wall);
    return 0;
}
