#include "window_harness.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

#include <SFML/Graphics/Image.hpp>

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Runs a shell command and returns what it printed on stdout.
std::string capture(const std::string& command)
{
    std::string output;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return output;
    char buffer[65536];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        output.append(buffer, got);
    pclose(pipe);
    return output;
}

std::string trimmed(std::string text)
{
    while (!text.empty() && (text.back() == '\n' || text.back() == ' '))
        text.pop_back();
    return text;
}

void stopProcess(pid_t pid)
{
    if (pid <= 0)
        return;
    kill(pid, SIGTERM);
    for (int i = 0; i < 100; ++i) {
        if (waitpid(pid, nullptr, WNOHANG) == pid)
            return;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

}  // namespace

sf::Color Screenshot::at(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width || y >= height)
        return sf::Color::Transparent;
    const std::size_t i = (static_cast<std::size_t>(y) * width + x) * 3;
    return sf::Color(rgb[i], rgb[i + 1], rgb[i + 2]);
}

bool Screenshot::filled(int left, int top, int right, int bottom, sf::Color colour) const
{
    if (!valid())
        return false;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            if (at(x, y) != colour)
                return false;
    return true;
}

Box Screenshot::boxWhere(const std::function<bool(sf::Color)>& match, int left, int top, int right,
                         int bottom) const
{
    Box box{width, height, -1, -1};
    if (right < 0)
        right = width;
    if (bottom < 0)
        bottom = height;
    for (int y = std::max(top, 0); y < std::min(bottom, height); ++y)
        for (int x = std::max(left, 0); x < std::min(right, width); ++x)
            if (match(at(x, y))) {
                box.left = std::min(box.left, x);
                box.top = std::min(box.top, y);
                box.right = std::max(box.right, x);
                box.bottom = std::max(box.bottom, y);
            }
    return box;
}

void writePicture(const std::string& path, unsigned width, unsigned height, sf::Color colour)
{
    sf::Image image;
    image.create(width, height, colour);
    if (!image.saveToFile(path))
        throw std::runtime_error("cannot write " + path);
}

GameUnderX::GameUnderX()
{
    char pattern[] = "/tmp/kitrovane-test-XXXXXX";
    if (!mkdtemp(pattern))
        throw std::runtime_error("mkdtemp failed");
    workDirectory = pattern;
}

GameUnderX::~GameUnderX()
{
    // Never leave a key held: the server's keyboard would keep it down.
    if (!display.empty())
        for (const std::string& key : std::vector<std::string>(keysHeld))
            keyUp(key);
    if (!exitStatus)
        stopProcess(gamePid);
    stopProcess(serverPid);
    std::error_code ignored;
    std::filesystem::remove_all(workDirectory, ignored);
}

void GameUnderX::startServer(const std::vector<std::string>& arguments)
{
    serverArguments = arguments;
    int ready[2];
    if (pipe(ready) != 0)
        throw std::runtime_error("pipe failed");
    serverPid = fork();
    if (serverPid == 0) {
        close(ready[0]);
        const int quiet = open("/dev/null", O_WRONLY);
        dup2(quiet, STDOUT_FILENO);
        dup2(quiet, STDERR_FILENO);
        std::vector<std::string> words = {"Xvfb", "-displayfd", std::to_string(ready[1]), "-screen", "0",
                                          "1024x768x24", "-nolisten", "tcp"};
        words.insert(words.end(), serverArguments.begin(), serverArguments.end());
        std::vector<char*> argv;
        for (std::string& word : words)
            argv.push_back(word.data());
        argv.push_back(nullptr);
        execvp("Xvfb", argv.data());
        _exit(127);
    }
    close(ready[1]);
    // Xvfb writes its display number to the pipe once it accepts clients.
    std::string number;
    pollfd waiting{ready[0], POLLIN, 0};
    const auto start = Clock::now();
    while (number.find('\n') == std::string::npos && secondsSince(start) < 15) {
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
    display = ":" + trimmed(number);
}

void GameUnderX::startGame(const std::vector<std::string>& environment)
{
    gameEnvironment = environment;
    exitStatus.reset();
    const std::string log = path("game-output.txt");
    gamePid = fork();
    if (gamePid == 0) {
        if (chdir(workDirectory.c_str()) != 0)
            _exit(126);
        const int output = open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        dup2(output, STDOUT_FILENO);
        dup2(output, STDERR_FILENO);
        setenv("DISPLAY", display.c_str(), 1);
        for (const std::string& entry : environment)
            putenv(strdup(entry.c_str()));
        execl(KITROVANE_EXE, KITROVANE_EXE, static_cast<char*>(nullptr));
        _exit(127);
    }
}

std::string GameUnderX::xCommand(const std::string& command) const
{
    return "DISPLAY=" + display + " " + command;
}

bool GameUnderX::findWindow(double seconds)
{
    const auto start = Clock::now();
    int restarts = 0;
    while (secondsSince(start) < seconds) {
        if (waitForExit(0) && restarts < 2 &&
            gameOutput().find("Failed to open X11 display") != std::string::npos) {
            ++restarts;
            std::fprintf(stderr, "harness: the game could not open display %s; new server and game (retry %d)\n",
                         display.c_str(), restarts);
            stopProcess(serverPid);
            startServer(serverArguments);
            startGame(gameEnvironment);
            continue;
        }
        windowId = trimmed(capture(xCommand("xdotool search --onlyvisible --name '^Kitrovane$' 2>/dev/null")));
        if (!windowId.empty() && windowId.find('\n') == std::string::npos) {
            std::system(xCommand("xdotool windowfocus --sync " + windowId + " >/dev/null 2>&1").c_str());
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    windowId.clear();
    return false;
}

std::string GameUnderX::windowName() const
{
    return trimmed(capture(xCommand("xdotool getwindowname " + windowId + " 2>/dev/null")));
}

std::pair<int, int> GameUnderX::windowSize() const
{
    std::istringstream lines(capture(xCommand("xdotool getwindowgeometry --shell " + windowId + " 2>/dev/null")));
    int width = 0, height = 0;
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("WIDTH=", 0) == 0)
            width = std::stoi(line.substr(6));
        if (line.rfind("HEIGHT=", 0) == 0)
            height = std::stoi(line.substr(7));
    }
    return {width, height};
}

Screenshot GameUnderX::shot() const
{
    Screenshot result;
    if (windowId.empty())
        return result;
    const std::string data = capture(xCommand("import -silent -window " + windowId + " -depth 8 ppm:- 2>/dev/null"));
    // A binary PPM: "P6", width, height, maximum value, one white space, pixels.
    std::istringstream header(data);
    std::string magic;
    int width = 0, height = 0, maximum = 0;
    header >> magic >> width >> height >> maximum;
    if (magic != "P6" || maximum != 255 || width <= 0 || height <= 0)
        return result;
    const std::size_t offset = static_cast<std::size_t>(header.tellg()) + 1;
    const std::size_t size = static_cast<std::size_t>(width) * height * 3;
    if (data.size() < offset + size)
        return result;
    result.width = width;
    result.height = height;
    result.rgb.assign(data.begin() + static_cast<std::ptrdiff_t>(offset),
                      data.begin() + static_cast<std::ptrdiff_t>(offset + size));
    return result;
}

Screenshot GameUnderX::waitFor(const std::function<bool(const Screenshot&)>& test, double seconds) const
{
    const auto start = Clock::now();
    while (secondsSince(start) < seconds) {
        Screenshot screen = shot();
        if (screen.valid() && test(screen))
            return screen;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return Screenshot();
}

void GameUnderX::keyDown(const std::string& key)
{
    std::system(xCommand("xdotool keydown " + key).c_str());
    keysHeld.push_back(key);
}

void GameUnderX::keyUp(const std::string& key)
{
    std::system(xCommand("xdotool keyup " + key).c_str());
    keysHeld.erase(std::remove(keysHeld.begin(), keysHeld.end(), key), keysHeld.end());
}

void GameUnderX::sendCloseRequest() const
{
    std::system(xCommand(std::string(CLOSE_REQUEST_HELPER) + " " + windowId).c_str());
}

std::optional<int> GameUnderX::waitForExit(double seconds)
{
    // Looks at least once, so a wait of 0 seconds asks whether it has ended.
    const auto start = Clock::now();
    while (!exitStatus) {
        int status = 0;
        if (waitpid(gamePid, &status, WNOHANG) == gamePid)
            exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        else if (secondsSince(start) >= seconds)
            break;
        else
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return exitStatus;
}

std::string GameUnderX::gameOutput() const
{
    std::ifstream file(path("game-output.txt"));
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}
