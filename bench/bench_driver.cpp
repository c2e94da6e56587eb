// Runs the real game and the baseline side by side under an Xvfb of its own
// with Mesa's software renderer, and prints what each screen costs.
//
// Each repetition runs, one after the other: the game (title, play and end
// screens, driven with xdotool like a player), the baseline drawing the
// kitchen and the cat, and the baseline reloading the title picture every
// frame. Frames are timed by the swap timestamper preloaded into each
// program (see swap_stamp.cpp); the screen a frame belongs to is the picture
// it opened, so a frame is never counted for the wrong screen.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct Options {
    std::string game, baseline, preload, assets, micro, output = "bench-results";
    int repetitions = 5;
    double seconds = 10;
};

// One line of the swap log.
struct Swap {
    double ms;       // monotonic
    double cpuMs;    // the process's CPU time, all threads
    long peakKiB;    // peak resident set so far
    std::string picture;
};

// Figures of one screen in one run.
struct ScreenFigures {
    int frames = 0;
    double fps = 0, medianMs = 0, p95Ms = 0, cpuMsPerFrame = 0;
};

struct Run {
    bool ok = false;
    std::string problem;
    std::map<std::string, ScreenFigures> screens;
    double startupMs = 0;
    double peakMiB = 0;
};

double nowMs()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

void sleepSeconds(double seconds) { std::this_thread::sleep_for(std::chrono::duration<double>(seconds)); }

std::string capture(const std::string& command)
{
    std::string output;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        std::size_t got;
        while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
            output.append(buffer, got);
        pclose(pipe);
    }
    while (!output.empty() && (output.back() == '\n' || output.back() == ' '))
        output.pop_back();
    return output;
}

std::string loadAverage()
{
    double load[3] = {0, 0, 0};
    getloadavg(load, 3);
    char text[64];
    std::snprintf(text, sizeof text, "%.2f %.2f %.2f", load[0], load[1], load[2]);
    return text;
}

class Server {
public:
    Server()
    {
        int ready[2];
        if (pipe(ready) != 0)
            throw std::runtime_error("pipe failed");
        pid = fork();
        if (pid == 0) {
            close(ready[0]);
            const int quiet = open("/dev/null", O_WRONLY);
            dup2(quiet, STDOUT_FILENO);
            dup2(quiet, STDERR_FILENO);
            const std::string fd = std::to_string(ready[1]);
            execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1024x768x24", "-nolisten", "tcp",
                   static_cast<char*>(nullptr));
            _exit(127);
        }
        close(ready[1]);
        std::string number;
        pollfd waiting{ready[0], POLLIN, 0};
        const double start = nowMs();
        while (number.find('\n') == std::string::npos && nowMs() - start < 15000) {
            if (poll(&waiting, 1, 200) <= 0)
                continue;
            char buffer[32];
            const ssize_t got = read(ready[0], buffer, sizeof buffer);
            if (got <= 0)
                break;
            number.append(buffer, static_cast<std::size_t>(got));
        }
        close(ready[0]);
        if (number.find('\n') == std::string::npos)
            throw std::runtime_error("Xvfb did not start");
        display = ":" + number.substr(0, number.find('\n'));
    }
    ~Server()
    {
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
    }
    std::string display;

private:
    pid_t pid = -1;
};

// One program under the server, with the timestamper preloaded.
class Program {
public:
    Program(const Server& server, const Options& options, const std::string& executable,
            const std::vector<std::string>& arguments, const std::string& directory, const std::string& log)
        : display(server.display)
    {
        startedMs = nowMs();
        pid = fork();
        if (pid == 0) {
            if (chdir(directory.c_str()) != 0)
                _exit(126);
            const int output = open((log + ".out").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            dup2(output, STDOUT_FILENO);
            dup2(output, STDERR_FILENO);
            setenv("DISPLAY", display.c_str(), 1);
            setenv("LIBGL_ALWAYS_SOFTWARE", "1", 1);
            setenv("LD_PRELOAD", options.preload.c_str(), 1);
            setenv("KITROVANE_SWAP_LOG", log.c_str(), 1);
            std::vector<char*> argv{const_cast<char*>(executable.c_str())};
            for (const std::string& argument : arguments)
                argv.push_back(const_cast<char*>(argument.c_str()));
            argv.push_back(nullptr);
            execv(executable.c_str(), argv.data());
            _exit(127);
        }
    }
    ~Program()
    {
        if (!exited) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
    }

    bool findWindow(const std::string& namePattern)
    {
        const double start = nowMs();
        while (nowMs() - start < 20000) {
            window = capture(x("xdotool search --onlyvisible --name '" + namePattern + "' 2>/dev/null"));
            if (!window.empty() && window.find('\n') == std::string::npos) {
                std::system(x("xdotool windowfocus --sync " + window + " >/dev/null 2>&1").c_str());
                return true;
            }
            sleepSeconds(0.05);
        }
        return false;
    }

    // Held long enough for the program to see it held while it drains the
    // key's event, as the game asks of Escape and samples Space.
    void hold(const std::string& key, double seconds)
    {
        std::system(x("xdotool keydown " + key).c_str());
        sleepSeconds(seconds);
        std::system(x("xdotool keyup " + key).c_str());
    }

    std::optional<int> waitForExit(double seconds)
    {
        const double start = nowMs();
        while (nowMs() - start < seconds * 1000) {
            int status = 0;
            if (waitpid(pid, &status, WNOHANG) == pid) {
                exited = true;
                return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            }
            sleepSeconds(0.02);
        }
        return std::nullopt;
    }

    double startedMs = 0;

private:
    std::string x(const std::string& command) const { return "DISPLAY=" + display + " " + command; }

    std::string display;
    std::string window;
    pid_t pid = -1;
    bool exited = false;
};

std::vector<Swap> readLog(const std::string& path)
{
    std::vector<Swap> swaps;
    std::ifstream file(path);
    long long ns = 0, cpuNs = 0;
    long peak = 0;
    std::string picture;
    while (file >> ns >> cpuNs >> peak >> picture)
        swaps.push_back({static_cast<double>(ns) / 1e6, static_cast<double>(cpuNs) / 1e6, peak, picture});
    return swaps;
}

double percentile(std::vector<double> values, double fraction)
{
    if (values.empty())
        return NAN;
    std::sort(values.begin(), values.end());
    const std::size_t rank = static_cast<std::size_t>(std::ceil(fraction * static_cast<double>(values.size())));
    return values[std::min(values.size(), std::max<std::size_t>(rank, 1)) - 1];
}

// The frames swapped inside [fromMs, toMs): they must all have opened the
// expected picture ("-" for none; "end" for any end picture).
std::optional<ScreenFigures> measure(const std::vector<Swap>& swaps, double fromMs, double toMs,
                                     const std::string& picture, std::string& problem)
{
    std::vector<const Swap*> inside;
    for (const Swap& swap : swaps)
        if (swap.ms >= fromMs && swap.ms < toMs)
            inside.push_back(&swap);
    if (inside.size() < 10) {
        problem = "only " + std::to_string(inside.size()) + " frames while measuring " + picture;
        return std::nullopt;
    }
    for (const Swap* swap : inside) {
        const bool endPicture = swap->picture != "-" && swap->picture != "o.png";
        if (picture == "end" ? !endPicture : swap->picture != picture) {
            problem = "a frame that opened " + swap->picture + " while measuring " + picture;
            return std::nullopt;
        }
    }
    std::vector<double> intervals;
    for (std::size_t i = 1; i < inside.size(); ++i)
        intervals.push_back(inside[i]->ms - inside[i - 1]->ms);
    ScreenFigures figures;
    figures.frames = static_cast<int>(inside.size());
    const double span = inside.back()->ms - inside.front()->ms;
    figures.fps = 1000.0 * static_cast<double>(intervals.size()) / span;
    figures.medianMs = percentile(intervals, 0.5);
    figures.p95Ms = percentile(intervals, 0.95);
    figures.cpuMsPerFrame = (inside.back()->cpuMs - inside.front()->cpuMs) / static_cast<double>(intervals.size());
    return figures;
}

void finish(Run& run, const std::vector<Swap>& swaps, double startedMs)
{
    if (swaps.empty()) {
        run.problem = "no frame was logged";
        return;
    }
    run.startupMs = swaps.front().ms - startedMs;
    long peak = 0;
    for (const Swap& swap : swaps)
        peak = std::max(peak, swap.peakKiB);
    run.peakMiB = static_cast<double>(peak) / 1024.0;
}

Run runGame(const Server& server, const Options& options, const std::string& directory, const std::string& log)
{
    Run run;
    Program game(server, options, options.game, {}, directory, log);
    if (!game.findWindow("^Kitrovane$")) {
        run.problem = "the game's window never showed";
        return run;
    }
    struct Window {
        std::string screen, picture;
        double from, to;
    };
    std::vector<Window> windows;
    auto measureFor = [&](const std::string& screen, const std::string& picture) {
        sleepSeconds(1.0);  // let the screen settle
        const double from = nowMs();
        sleepSeconds(options.seconds);
        windows.push_back({screen, picture, from, nowMs()});
    };

    measureFor("title", "o.png");
    game.hold("space", 0.3);
    measureFor("play", "-");
    // Right from the start runs into a hazard on the right-hand wall.
    game.hold("Right", 7.0);
    measureFor("end", "end");
    game.hold("Escape", 0.5);
    const std::optional<int> status = game.waitForExit(20);
    if (status != 0) {
        run.problem = status ? "the game exited with " + std::to_string(*status) : "the game did not quit on Escape";
        return run;
    }
    const std::vector<Swap> swaps = readLog(log);
    finish(run, swaps, game.startedMs);
    for (const Window& window : windows) {
        const auto figures = measure(swaps, window.from, window.to, window.picture, run.problem);
        if (!figures)
            return run;
        run.screens[window.screen] = *figures;
    }
    run.ok = run.problem.empty();
    return run;
}

Run runBaseline(const Server& server, const Options& options, const std::string& mode, const std::string& directory,
                const std::string& log)
{
    Run run;
    Program baseline(server, options, options.baseline, {mode}, directory, log);
    if (!baseline.findWindow("^Kitrovane baseline$")) {
        run.problem = "the baseline's window never showed";
        return run;
    }
    sleepSeconds(1.0);
    const double from = nowMs();
    sleepSeconds(options.seconds);
    const double to = nowMs();
    baseline.hold("Escape", 0.5);
    if (baseline.waitForExit(20) != 0) {
        run.problem = "the baseline did not quit cleanly";
        return run;
    }
    const std::vector<Swap> swaps = readLog(log);
    finish(run, swaps, baseline.startedMs);
    const auto figures = measure(swaps, from, to, mode == "reload" ? "o.png" : "-", run.problem);
    if (!figures)
        return run;
    run.screens[mode] = *figures;
    run.ok = true;
    return run;
}

struct Summary {
    double median = NAN, low = NAN, high = NAN;
};

Summary summarise(std::vector<double> values)
{
    Summary summary;
    if (values.empty())
        return summary;
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    summary.median = n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
    summary.low = values.front();
    summary.high = values.back();
    return summary;
}

std::string show(const Summary& s, int decimals = 2)
{
    char text[96];
    std::snprintf(text, sizeof text, "%.*f [%.*f-%.*f]", decimals, s.median, decimals, s.low, decimals, s.high);
    return text;
}

Options parse(int argc, char** argv)
{
    Options options;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string name = argv[i], value = argv[i + 1];
        if (name == "--game") options.game = value;
        else if (name == "--baseline") options.baseline = value;
        else if (name == "--preload") options.preload = value;
        else if (name == "--assets") options.assets = value;
        else if (name == "--micro") options.micro = value;
        else if (name == "--output") options.output = value;
        else if (name == "--repetitions") options.repetitions = std::stoi(value);
        else if (name == "--seconds") options.seconds = std::stod(value);
        else throw std::runtime_error("unknown option " + name);
    }
    if (options.game.empty() || options.baseline.empty() || options.preload.empty() || options.assets.empty())
        throw std::runtime_error(
            "usage: bench_driver --game EXE --baseline EXE --preload LIB --assets DIR [--micro EXE] "
            "[--output DIR] [--repetitions N] [--seconds S]");
    options.game = fs::absolute(options.game);
    options.baseline = fs::absolute(options.baseline);
    options.preload = fs::absolute(options.preload);
    if (!options.micro.empty())
        options.micro = fs::absolute(options.micro);
    return options;
}

}  // namespace

int main(int argc, char** argv)
{
    try {
        const Options options = parse(argc, argv);
        fs::create_directories(options.output);
        const std::string output = fs::absolute(options.output);
        char pattern[] = "/tmp/kitrovane-bench-XXXXXX";
        if (!mkdtemp(pattern))
            throw std::runtime_error("mkdtemp failed");
        const std::string directory = pattern;
        for (const auto& entry : fs::directory_iterator(options.assets))
            if (entry.is_regular_file())
                fs::copy_file(entry.path(), directory + "/" + entry.path().filename().string());

        Server server;
        std::printf("Kitrovane bench: %d repetitions, %.0f s measured per screen, Xvfb %s, LIBGL_ALWAYS_SOFTWARE=1\n",
                    options.repetitions, options.seconds, server.display.c_str());
        std::printf("load average at start: %s\n", loadAverage().c_str());
        std::fflush(stdout);

        std::vector<Run> games, scenes, reloads;
        std::ofstream raw(output + "/runs.txt");
        raw << "# repetition program screen frames fps median_ms p95_ms cpu_ms_per_frame startup_ms peak_mib load\n";
        auto record = [&](int repetition, const std::string& program, const Run& run) {
            const std::string load = loadAverage();
            std::printf("  rep %d %-15s %s (load %s)\n", repetition, program.c_str(),
                        run.ok ? "ok" : ("FAILED: " + run.problem).c_str(), load.c_str());
            std::fflush(stdout);
            for (const auto& [screen, f] : run.screens)
                raw << repetition << ' ' << program << ' ' << screen << ' ' << f.frames << ' ' << f.fps << ' '
                    << f.medianMs << ' ' << f.p95Ms << ' ' << f.cpuMsPerFrame << ' ' << run.startupMs << ' '
                    << run.peakMiB << " \"" << load << "\"\n";
        };
        // The order turns round from one repetition to the next, so a change
        // of load on the machine does not always fall on the same program.
        for (int repetition = 1; repetition <= options.repetitions; ++repetition) {
            for (int step = 0; step < 3; ++step) {
                const std::string log = output + "/swaps-" + std::to_string(repetition) + "-";
                switch ((step + repetition) % 3) {
                case 0:
                    games.push_back(runGame(server, options, directory, log + "game.txt"));
                    record(repetition, "game", games.back());
                    break;
                case 1:
                    scenes.push_back(runBaseline(server, options, "scene", directory, log + "scene.txt"));
                    record(repetition, "baseline-scene", scenes.back());
                    break;
                default:
                    reloads.push_back(runBaseline(server, options, "reload", directory, log + "reload.txt"));
                    record(repetition, "baseline-reload", reloads.back());
                }
            }
        }
        fs::remove_all(directory);

        // Each ratio is taken within one repetition, game against the
        // baselines run next to it, then summarised over repetitions.
        std::vector<std::size_t> good;
        for (std::size_t i = 0; i < games.size(); ++i)
            if (games[i].ok && scenes[i].ok && reloads[i].ok)
                good.push_back(i);
        std::printf("\n%zu of %d repetitions complete; median [min-max] over them\n\n", good.size(),
                    options.repetitions);
        if (good.empty())
            return 1;

        auto over = [&](auto value) {
            std::vector<double> values;
            for (std::size_t i : good)
                values.push_back(value(i));
            return summarise(values);
        };
        struct Row {
            std::string screen;
            const std::vector<Run>* baselineRuns;
            std::string baselineScreen, baselineName;
        };
        const Row rows[] = {{"title", &reloads, "reload", "(b) reload"},
                            {"play", &scenes, "scene", "(a) scene"},
                            {"end", &reloads, "reload", "(b) reload"}};
        std::vector<std::string> verdicts;
        std::printf("%-6s %-11s %-26s %-26s %s\n", "screen", "baseline", "figure", "game", "baseline");
        for (const Row& row : rows) {
            auto game = [&](double ScreenFigures::*field) {
                return over([&](std::size_t i) { return games[i].screens.at(row.screen).*field; });
            };
            auto base = [&](double ScreenFigures::*field) {
                return over([&](std::size_t i) { return (*row.baselineRuns)[i].screens.at(row.baselineScreen).*field; });
            };
            const std::pair<const char*, double ScreenFigures::*> figures[] = {
                {"frames/s", &ScreenFigures::fps},
                {"median interval ms", &ScreenFigures::medianMs},
                {"p95 interval ms", &ScreenFigures::p95Ms},
                {"CPU ms/frame", &ScreenFigures::cpuMsPerFrame}};
            for (const auto& [label, field] : figures)
                std::printf("%-6s %-11s %-26s %-26s %s\n", row.screen.c_str(), row.baselineName.c_str(), label,
                            show(game(field)).c_str(), show(base(field)).c_str());
            const Summary ratio = over([&](std::size_t i) {
                return games[i].screens.at(row.screen).cpuMsPerFrame /
                       (*row.baselineRuns)[i].screens.at(row.baselineScreen).cpuMsPerFrame;
            });
            std::printf("%-6s %-11s %-26s %-26s\n", row.screen.c_str(), row.baselineName.c_str(),
                        "CPU/frame game/baseline", show(ratio, 3).c_str());

            const Summary median = game(&ScreenFigures::medianMs), p95 = game(&ScreenFigures::p95Ms);
            char verdict[256];
            std::snprintf(verdict, sizeof verdict,
                          "%-6s median interval %.2f ms (|-33.33| <= 0.5): %s; p95 %.2f ms (<= 36): %s; "
                          "CPU/frame ratio %.3f (<= 1.10): %s",
                          row.screen.c_str(), median.median, std::abs(median.median - 1000.0 / 30) <= 0.5 ? "met" : "MISSED",
                          p95.median, p95.median <= 36 ? "met" : "MISSED", ratio.median,
                          ratio.median <= 1.10 ? "met" : "MISSED");
            verdicts.push_back(verdict);
        }

        const Summary startGame = over([&](std::size_t i) { return games[i].startupMs; });
        const Summary startBase = over([&](std::size_t i) { return scenes[i].startupMs; });
        const Summary startRatio = over([&](std::size_t i) { return games[i].startupMs / scenes[i].startupMs; });
        std::printf("%-6s %-11s %-26s %-26s %s\n", "start", "(a) scene", "exec to first frame ms",
                    show(startGame, 1).c_str(), show(startBase, 1).c_str());
        std::printf("%-6s %-11s %-26s %-26s\n", "start", "(a) scene", "start-up game/baseline",
                    show(startRatio, 3).c_str());
        // The game does both what (a) and what (b) do, so its peak is held
        // against the larger of the two.
        const Summary peakGame = over([&](std::size_t i) { return games[i].peakMiB; });
        const Summary peakBase =
            over([&](std::size_t i) { return std::max(scenes[i].peakMiB, reloads[i].peakMiB); });
        const Summary peakDifference =
            over([&](std::size_t i) { return games[i].peakMiB - std::max(scenes[i].peakMiB, reloads[i].peakMiB); });
        std::printf("%-6s %-11s %-26s %-26s %s\n", "memory", "max(a,b)", "peak RSS MiB", show(peakGame, 1).c_str(),
                    show(peakBase, 1).c_str());
        std::printf("%-6s %-11s %-26s %-26s\n", "memory", "max(a,b)", "peak RSS game-baseline MiB",
                    show(peakDifference, 1).c_str());

        std::printf("\nTargets (on the medians):\n");
        for (const std::string& verdict : verdicts)
            std::printf("  %s\n", verdict.c_str());
        std::printf("  start-up ratio %.3f (<= 1.2): %s\n", startRatio.median,
                    startRatio.median <= 1.2 ? "met" : "MISSED");
        std::printf("  peak RSS over baseline %.1f MiB (<= 8): %s\n", peakDifference.median,
                    peakDifference.median <= 8 ? "met" : "MISSED");
        std::printf("load average at end: %s\nraw figures: %s/runs.txt\n", loadAverage().c_str(), output.c_str());
        std::fflush(stdout);

        if (!options.micro.empty()) {
            std::printf("\nMicro figures (Google Benchmark, same X server):\n");
            std::fflush(stdout);
            const std::string command = "cd '" + fs::absolute(options.assets).string() + "' && DISPLAY=" +
                                        server.display + " LIBGL_ALWAYS_SOFTWARE=1 '" + options.micro +
                                        "' --benchmark_counters_tabular=true";
            if (std::system(command.c_str()) != 0)
                return 1;
        }
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "bench_driver: %s\n", error.what());
        return 1;
    }
}
