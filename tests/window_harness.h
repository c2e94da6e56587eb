// Runs the real game in its own headless X server and plays it like a
// person: keys through xdotool, the window read back with ImageMagick's
// import, the close button through a small Xlib helper.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <SFML/Graphics/Color.hpp>

struct Box {
    int left = 0, top = 0, right = -1, bottom = -1;  // inclusive; empty when right < left
    bool empty() const { return right < left; }
    double centreX() const { return (left + right + 1) / 2.0; }
    double centreY() const { return (top + bottom + 1) / 2.0; }
};

class Screenshot {
public:
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;

    bool valid() const { return width > 0 && height > 0; }
    sf::Color at(int x, int y) const;
    // Every pixel of the rectangle [left, right) x [top, bottom) has this colour.
    bool filled(int left, int top, int right, int bottom, sf::Color colour) const;
    Box boxWhere(const std::function<bool(sf::Color)>& match, int left = 0, int top = 0, int right = -1,
                 int bottom = -1) const;
};

// A small picture of one flat colour, written as PNG.
void writePicture(const std::string& path, unsigned width, unsigned height, sf::Color colour);

class GameUnderX {
public:
    // A fresh temporary directory to play in; put the fixture files there.
    GameUnderX();
    ~GameUnderX();
    GameUnderX(const GameUnderX&) = delete;
    GameUnderX& operator=(const GameUnderX&) = delete;

    const std::string& directory() const { return workDirectory; }
    std::string path(const std::string& name) const { return workDirectory + "/" + name; }

    // Starts an X server (extra arguments go to Xvfb) and the game in the
    // directory, with extra "NAME=value" environment entries.
    void startServer(const std::vector<std::string>& serverArguments = {});
    void startGame(const std::vector<std::string>& environment = {});
    // Waits for the game's visible window and gives it the keyboard focus.
    // Now and then, with other X servers running on the machine, a game
    // started on a fresh server dies at once unable to open its display; we
    // have not found why. Such a start is retried (twice at most, said on
    // stderr): a game that never opens its display still fails.
    bool findWindow(double seconds = 10);

    std::string windowName() const;
    std::pair<int, int> windowSize() const;

    Screenshot shot() const;
    // Polls screenshots until one satisfies the test; returns it, or an
    // invalid screenshot on time-out.
    Screenshot waitFor(const std::function<bool(const Screenshot&)>& test, double seconds = 10) const;

    void keyDown(const std::string& key);
    void keyUp(const std::string& key);
    void sendCloseRequest() const;

    // The game's exit status, or nothing if it is still running after the wait.
    std::optional<int> waitForExit(double seconds = 10);
    std::string gameOutput() const;

private:
    std::string xCommand(const std::string& command) const;

    std::string workDirectory;
    std::string display;
    std::vector<std::string> serverArguments;
    std::vector<std::string> gameEnvironment;
    pid_t serverPid = -1;
    pid_t gamePid = -1;
    std::optional<int> exitStatus;
    std::string windowId;
    std::vector<std::string> keysHeld;
};
