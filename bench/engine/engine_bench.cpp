// Median wall time, process start to exit, of each kind of engine run, side by side with a
// trivial program started the same way. Runs are interleaved so that a slow moment of the
// machine falls on every kind alike. Prints figures; never fails.
//
// usage: engine_bench ENGINE TRIVIAL [RUNS]

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

struct Kind {
    const char* name;
    const char* commandFile;  // empty for the trivial program
    double target;            // allowed multiple of the trivial program
    std::vector<double> millis;
    std::vector<double> cpuMillis;
};

const char* const kHeader =
    "@0102  ; Astrolog chart info.\r\n/qb 3 14 2001 21:07PM DT 5 74W00 40N43\r\n";

double runOnce(const std::string& program, const std::string& input, double* cpuMillis = nullptr)
{
    std::vector<std::string> args = {program};
    if (!input.empty()) {
        args.push_back("-i");
        args.push_back(input);
    }
    std::vector<char*> argv;
    for (auto& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv.data(), environ) != 0) {
        std::perror(program.c_str());
        std::exit(1);
    }
    int status = 0;
    struct rusage usage {};
    wait4(pid, &status, 0, &usage);
    const auto end = std::chrono::steady_clock::now();
    if (cpuMillis != nullptr)
        *cpuMillis = (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
                     (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        std::fprintf(stderr, "warning: %s %s exited with %d\n", program.c_str(), input.c_str(),
                     status);
    return std::chrono::duration<double, std::milli>(end - start).count();
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s ENGINE TRIVIAL [RUNS]\n", argv[0]);
        return 1;
    }
    const std::string engine = std::filesystem::absolute(argv[1]).string();
    const std::string trivial = std::filesystem::absolute(argv[2]).string();
    const int runs = argc > 3 ? std::atoi(argv[3]) : 200;
    const auto dir = std::filesystem::temp_directory_path() /
                     ("vantrel-engine-bench-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    std::filesystem::current_path(dir);
    const std::string restrict =
        "/R Chir\r\n/R Cere\r\n/R Pall\r\n/R Juno\r\n/R Vest\r\n/R Lili\r\n";
    auto write = [](const char* name, const std::string& text) {
        std::FILE* f = std::fopen(name, "wb");
        std::fwrite(text.data(), 1, text.size(), f);
        std::fclose(f);
    };
    write("chart.in", std::string(kHeader) + "/os chart.txt\r\n\r\n" + restrict + "/c 0\r\n");
    write("riseset.in", std::string(kHeader) + "/os riseset.txt\r\n" + restrict + "/Zd\r\n\r\n");
    write("aspects.in", std::string(kHeader) +
                            "/os aspects.txt\r\n\r\n/c 0\r\n/a0\r\n/g0\r\n/j0\r\n" + restrict +
                            "/Z\r\n");
    write("wheel.in", std::string(kHeader) + "/os wheel.txt\r\n\r\n" + restrict +
                          "/XM0\r\n/Xo chart.wmf\r\n/c 0\r\n/w 10\r\n");

    std::vector<Kind> kinds = {{"trivial program", "", 1.0, {}, {}},
                               {"chart", "chart.in", 2.5, {}, {}},
                               {"rise/set", "riseset.in", 6.0, {}, {}},
                               {"aspects", "aspects.in", 3.0, {}, {}},
                               {"wheel + metafile", "wheel.in", 4.0, {}, {}}};
    for (int i = 0; i < 5; ++i)  // warm the caches
        for (auto& k : kinds)
            runOnce(*k.commandFile ? engine : trivial, k.commandFile);
    for (int i = 0; i < runs; ++i)
        for (auto& k : kinds) {
            double cpu = 0;
            k.millis.push_back(runOnce(*k.commandFile ? engine : trivial, k.commandFile, &cpu));
            k.cpuMillis.push_back(cpu);
        }

    const double base = median(kinds[0].millis);
    const double cpuBase = median(kinds[0].cpuMillis);
    double load[3] = {};
    getloadavg(load, 3);
    std::printf(
        "%d runs each; median wall time from start to exit, and median CPU time (user + system)\n",
        runs);
    std::printf("load average during the run: %.2f\n", load[0]);
    std::printf("%-18s %9s %8s %8s %9s %8s\n", "run", "wall ms", "ratio", "target", "cpu ms",
                "ratio");
    for (const auto& k : kinds) {
        const double m = median(k.millis);
        const double c = median(k.cpuMillis);
        std::printf("%-18s %9.3f %7.2fx %7.1fx %9.3f %7.2fx%s\n", k.name, m, m / base, k.target, c,
                    cpuBase > 0 ? c / cpuBase : 0.0,
                    m / base <= k.target ? "" : "  (wall over target)");
    }
    std::filesystem::current_path("/");
    std::filesystem::remove_all(dir);
    return 0;
}
