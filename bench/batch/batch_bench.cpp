// A batch conversion by the program, "vantrel IN OUT" as a whole process, against the ephemeris
// floor: the Swiss Ephemeris asked in one thread for the Sun and the Moon (and the Sun's rise and
// set) of the same moments. Both settings in one run, the kinds interleaved round by round so that
// a busy moment of the machine falls on each alike; the best round of each is printed. Prints
// figures; never fails on them.
//
// Then "vantrel x" against a trivial program's start and exit, the two interleaved: the medians
// and their ratio.
//
// usage: vantrel_batch_bench PROGRAM_DIR MOMENTS INPUT TRIVIAL [ROUNDS [X_RUNS]]
//   PROGRAM_DIR: a folder holding vantrel (a portable copy: the settings file is written there)
//   MOMENTS, INPUT: the plain file and the batch file of bench/batch/make_batch_input.py
//   TRIVIAL: a program that does nothing

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "bench/engine/ephemeris_floor.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

std::vector<floor_moment> readMoments(const char* path)
{
    std::ifstream in(path);
    std::vector<floor_moment> moments;
    std::string text;
    while (std::getline(in, text)) {
        std::istringstream fields(text);
        floor_moment m{};
        if (!(fields >> m.year >> m.month >> m.day >> m.hour >> m.minute >> m.zone_minutes_west >>
              m.longitude_east >> m.latitude_north))
            break;
        moments.push_back(m);
    }
    return moments;
}

struct Timing {
    double wall = 1e300;
    double processor = 1e300;
    void keepBest(double w, double p)
    {
        wall = std::min(wall, w);
        processor = std::min(processor, p);
    }
};

double seconds(Clock::duration d)
{
    return std::chrono::duration<double>(d).count();
}

double processorSeconds(const rusage& usage)
{
    const auto part = [](const timeval& t) { return t.tv_sec + t.tv_usec * 1e-6; };
    return part(usage.ru_utime) + part(usage.ru_stime);
}

struct Finished {
    bool ok = false;  // started and exited with status 0
    double wall = 0;
    double processor = 0;
};

// Runs the program without a display, its standard output thrown away.
Finished runProgram(std::vector<std::string> args)
{
    std::vector<std::string> environment;
    for (char** e = environ; *e; ++e)
        if (std::strncmp(*e, "DISPLAY=", 8) != 0 && std::strncmp(*e, "WAYLAND_DISPLAY=", 16) != 0)
            environment.emplace_back(*e);
    std::vector<char*> envp;
    for (auto& e : environment)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    std::vector<char*> argv;
    for (auto& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    Finished finished;
    const auto start = Clock::now();
    pid_t child = 0;
    const int spawned = posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return finished;
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    finished.wall = seconds(Clock::now() - start);
    finished.processor = processorSeconds(usage);
    finished.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return finished;
}

// Runs "vantrel INPUT OUTPUT"; false when it failed or wrote another number of lines.
bool convert(const fs::path& program, const fs::path& input, const fs::path& output,
             std::size_t lines, Timing& timing)
{
    const Finished run = runProgram({program.string(), input.string(), output.string()});
    if (!run.ok)
        return false;
    std::ifstream written(output, std::ios::binary);
    const auto count = static_cast<std::size_t>(std::count(std::istreambuf_iterator<char>(written),
                                                           std::istreambuf_iterator<char>(), '\n'));
    if (count != lines)
        return false;
    timing.keepBest(run.wall, run.processor);
    return true;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// "vantrel x" and the trivial program in turn; false when "vantrel x" failed.
bool compareStart(const fs::path& program, const fs::path& trivial, int runs)
{
    std::vector<double> x, nothing;
    for (int i = -1; i < runs; ++i) {  // the first pair warms the caches up
        const Finished a = runProgram({program.string(), "x"});
        const Finished b = runProgram({trivial.string()});
        if (!a.ok)
            return false;
        if (i >= 0) {
            x.push_back(a.wall * 1e3);
            nothing.push_back(b.wall * 1e3);
        }
    }
    std::printf("vantrel x %.2f ms, a trivial program %.2f ms (medians of %d runs): ratio %.2f\n",
                median(x), median(nothing), runs, median(x) / median(nothing));
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 5) {
        std::fprintf(stderr, "usage: %s PROGRAM_DIR MOMENTS INPUT TRIVIAL [ROUNDS [X_RUNS]]\n",
                     argv[0]);
        return 2;
    }
    const fs::path folder = fs::absolute(argv[1]);
    const std::vector<floor_moment> moments = readMoments(argv[2]);
    const fs::path input = fs::absolute(argv[3]);
    const fs::path trivial = fs::absolute(argv[4]);
    const int rounds = argc > 5 ? std::max(1, std::atoi(argv[5])) : 3;
    const int startRuns = argc > 6 ? std::max(1, std::atoi(argv[6])) : 51;
    const fs::path output = folder / "bench-output.txt";
    const char* const names[] = {"day begins at midnight", "day begins at sunrise"};
    const char* const settings[] = {"", "[vantrel]\r\nDay Begins=1\r\n"};
    Timing floorTime[2], batchTime[2];
    floor_open("/usr/share/libswe/ephe");
    floor_run(moments.data(), std::min<std::size_t>(moments.size(), 100), 1);
    for (int round = 0; round < rounds; ++round) {
        for (int setting = 0; setting < 2; ++setting) {
            const auto start = Clock::now();
            if (floor_run(moments.data(), moments.size(), setting) < 0) {
                std::fprintf(stderr, "the ephemeris floor failed\n");
                return 1;
            }
            const double wall = seconds(Clock::now() - start);
            floorTime[setting].keepBest(wall, wall);
            std::ofstream(folder / "Vantrel.ini", std::ios::binary) << settings[setting];
            if (!convert(folder / "vantrel", input, output, moments.size(), batchTime[setting])) {
                std::fprintf(stderr, "the conversion failed (%s)\n", names[setting]);
                return 1;
            }
        }
    }
    fs::remove(output);
    const double n = static_cast<double>(moments.size());
    std::printf("%zu lines, best of %d rounds, %u processors\n", moments.size(), rounds,
                std::thread::hardware_concurrency());
    std::printf("%-24s %14s %14s %12s %16s\n", "", "floor lines/s", "batch lines/s", "batch/floor",
                "batch cpu us/ln");
    for (int setting = 0; setting < 2; ++setting)
        std::printf("%-24s %14.0f %14.0f %12.2f %16.1f\n", names[setting],
                    n / floorTime[setting].wall, n / batchTime[setting].wall,
                    floorTime[setting].wall / batchTime[setting].wall,
                    1e6 * batchTime[setting].processor / n);
    std::ofstream(folder / "Vantrel.ini", std::ios::binary) << settings[0];
    if (!compareStart(folder / "vantrel", trivial, startRuns)) {
        std::fprintf(stderr, "vantrel x failed\n");
        return 1;
    }
    return 0;
}
