// SPDX-FileCopyrightText: 2026 The Pelmora developers
// SPDX-License-Identifier: MIT

// How long a program takes from exec until its main window ("Quorlant") is viewable under the
// running window manager, and what it holds resident then. Two programs run in alternation,
// so that drifting load on the machine falls on both alike.
//
//   startup_probe [--runs N] [--warmup W] NAME=PROGRAM NAME=PROGRAM

#include "x11.h"

using namespace bench;

namespace {

struct Sample
{
    double ms;
    double residentMiB;
};

struct Program
{
    std::string name;
    std::string path;
    std::vector<Sample> samples;

    double median(double Sample::*field) const
    {
        std::vector<double> values;
        for (const Sample &sample : samples)
            values.push_back(sample.*field);
        return bench::median(values);
    }
};

double residentMiB(pid_t pid)
{
    std::ifstream in("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("VmRSS:", 0) == 0)
            return std::strtod(line.c_str() + 6, nullptr) / 1024.0;
    }
    return 0;
}

Sample launchOne(X11 &x, const Program &program)
{
    x.settle(0ms); // what the last child's end left queued
    const Clock::time_point start = Clock::now();
    const pid_t pid = launch(program.path);
    const auto shown = x.waitForShown(pid, "Quorlant", {}, start + 20s);
    // Frozen at the map, so what is read is what it held then.
    kill(pid, SIGSTOP);
    const Sample sample{shown ? milliseconds(shown->when - start) : 0, residentMiB(pid)};
    endChild();
    if (!shown)
        fail(program.name + ": no window within 20 s (" + program.path + ")");
    return sample;
}

} // namespace

int main(int argc, char *argv[])
{
    const char *usage = "usage: startup_probe [--runs N] [--warmup W] NAME=PROGRAM NAME=PROGRAM";
    int runs = 30;
    int warmup = 3;
    std::vector<Program> programs;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--runs" && i + 1 < argc)
            runs = std::atoi(argv[++i]);
        else if (arg == "--warmup" && i + 1 < argc)
            warmup = std::atoi(argv[++i]);
        else if (const auto eq = arg.find('='); eq != std::string::npos && eq > 0)
            programs.push_back({arg.substr(0, eq), arg.substr(eq + 1), {}});
        else
            fail(usage);
    }
    if (programs.size() != 2 || runs < 1)
        fail(usage);

    X11 x;
    std::printf("window manager: %s\n", x.windowManager().c_str());
    std::printf("load average before: %s\n", loadAverage().c_str());
    Program &a = programs[0];
    Program &b = programs[1];
    std::printf("%4s  %-10s %8s %8s   %-10s %8s %8s   %6s\n", "pair", a.name.c_str(), "ms",
                "RSS MiB", b.name.c_str(), "ms", "RSS MiB", "ratio");

    // The warm-up pairs fill the page cache and are not counted. Each pair alternates which
    // program goes first, so neither always runs on the heels of the other.
    std::vector<double> timeRatios, memoryRatios;
    for (int run = -warmup; run < runs; ++run) {
        Sample sa{}, sb{};
        if (run % 2 == 0) {
            sa = launchOne(x, a);
            sb = launchOne(x, b);
        } else {
            sb = launchOne(x, b);
            sa = launchOne(x, a);
        }
        // Let the X server finish tearing the last window down before the next start.
        std::this_thread::sleep_for(30ms);
        if (run < 0)
            continue;
        a.samples.push_back(sa);
        b.samples.push_back(sb);
        timeRatios.push_back(sa.ms / sb.ms);
        memoryRatios.push_back(sa.residentMiB / sb.residentMiB);
        std::printf("%4d  %-10s %8.2f %8.1f   %-10s %8.2f %8.1f   %6.3f\n", run + 1, "", sa.ms,
                    sa.residentMiB, "", sb.ms, sb.residentMiB, timeRatios.back());
    }
    std::printf("load average after: %s\n\n", loadAverage().c_str());
    for (const Program *p : {&a, &b})
        std::printf("%-10s median %.2f ms to map, RSS %.1f MiB\n", p->name.c_str(),
                    p->median(&Sample::ms), p->median(&Sample::residentMiB));
    std::printf("%s/%s, medians of the paired ratios: time to map %.3f, RSS %.3f\n", a.name.c_str(),
                b.name.c_str(), median(timeRatios), median(memoryRatios));
    return 0;
}
