// Micro figures, run in the directory that holds the game's pictures and
// font: what decoding each picture costs as shipped and re-encoded as 8-bit
// RGBA, what the title and end screens pay per frame to reload a picture into
// the texture, and what drawText and drawNumber cost on the game's own
// window. Needs an X display (the scene's window and textures do).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <SFML/Graphics.hpp>
#include <SFML/OpenGL.hpp>

#include "scene.h"
#include "status_text.h"

namespace fs = std::filesystem;

namespace {

const char* const pictures[] = {"kitchen.png", "cat.png", "o.png", "1.png", "2.png", "3.png", "4.png", "5.png",
                                "6.png", "7.png", "8.png", "9.png", "10.png", "11.png", "100.png"};

// The colour type and bit depth from a PNG's header, e.g. "palette 8-bit".
std::string pngKind(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    unsigned char header[26] = {};
    if (!file.read(reinterpret_cast<char*>(header), sizeof header))
        return "unreadable";
    const char* kinds[] = {"grey", "?", "RGB", "palette", "grey+alpha", "?", "RGBA"};
    const unsigned type = header[25];
    return std::string(type < 7 ? kinds[type] : "?") + " " + std::to_string(header[24]) + "-bit";
}

void decode(benchmark::State& state, const std::string& path)
{
    sf::Image image;
    for (auto _ : state) {
        const bool loaded = image.loadFromFile(path);
        benchmark::DoNotOptimize(loaded);
    }
    state.counters["file_KiB"] = static_cast<double>(fs::file_size(path)) / 1024.0;
    state.SetLabel(pngKind(path));
}

void reloadTexture(benchmark::State& state, const std::string& path)
{
    sf::Texture texture;
    for (auto _ : state) {
        const bool loaded = texture.loadFromFile(path, sf::IntRect(0, 0, 0, 0));
        benchmark::DoNotOptimize(loaded);
    }
    state.SetLabel(pngKind(path));
}

void BM_drawText(benchmark::State& state)
{
    for (auto _ : state)
        drawText("You have a cup", 0, 385, sf::Color::Black, 15);
}
BENCHMARK(BM_drawText);

void BM_drawNumber(benchmark::State& state)
{
    for (auto _ : state)
        drawNumber(1234.5678, 0, 385, sf::Color::Black, 15);
}
BENCHMARK(BM_drawNumber);

// Both status lines as the play screen draws them, with their fringe.
void BM_drawStatusLines(benchmark::State& state)
{
    hasMilk = true;
    hasCup = true;
    for (auto _ : state)
        drawStatusLines();
    hasMilk = false;
    hasCup = false;
}
BENCHMARK(BM_drawStatusLines);

}  // namespace

int main(int argc, char** argv)
{
    // The game's window settings, and the game's font, as the status text
    // draws on them.
    window.create(sf::VideoMode(400, 400, 32), "Kitrovane micro bench",
                  sf::Style::Titlebar | sf::Style::Resize | sf::Style::Close, sf::ContextSettings(0, 0, 0, 2, 0));
    statusFont.loadFromFile("a.ttf");
    statusText.setFont(statusFont);
    const char* renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    benchmark::AddCustomContext("GL renderer", renderer ? renderer : "unknown");
    benchmark::AddCustomContext("max texture size", std::to_string(sf::Texture::getMaximumSize()));

    // Each picture again as 8-bit RGBA, the form the decoder hands out.
    const fs::path rgbaDirectory = fs::temp_directory_path() / ("kitrovane-rgba-" + std::to_string(getpid()));
    fs::create_directories(rgbaDirectory);
    for (const char* name : pictures) {
        if (!fs::is_regular_file(name))
            continue;
        sf::Image image;
        if (!image.loadFromFile(name))
            continue;
        const std::string rgba = (rgbaDirectory / name).string();
        image.saveToFile(rgba);
        benchmark::RegisterBenchmark((std::string("decode/") + name + "/shipped").c_str(), decode, std::string(name));
        benchmark::RegisterBenchmark((std::string("decode/") + name + "/rgba").c_str(), decode, rgba);
    }
    for (const char* name : {"o.png", "9.png"})
        if (fs::is_regular_file(name))
            benchmark::RegisterBenchmark((std::string("texture_reload/") + name).c_str(), reloadTexture,
                                         std::string(name));

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    fs::remove_all(rgbaDirectory);
    window.close();
    return 0;
}
