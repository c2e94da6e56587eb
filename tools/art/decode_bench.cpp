// How long SFML takes to decode each picture the game reads, as committed
// (indexed colour) and as the same pixels in an RGBA PNG, with each file's
// size. The title and end pictures are decoded in every frame they show.
//   art_decode_bench ASSETS_DIR [benchmark options]
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include <SFML/Graphics/Image.hpp>
#include <benchmark/benchmark.h>

namespace fs = std::filesystem;

namespace {

const char* const pictures[] = {"kitchen.png", "cat.png", "o.png", "1.png", "2.png",  "3.png",  "4.png",
                                "5.png",       "6.png",   "7.png", "8.png", "9.png", "10.png", "11.png", "100.png"};

void decode(benchmark::State& state, const std::string& path)
{
    sf::Image image;
    for (auto _ : state) {
        if (!image.loadFromFile(path)) {
            state.SkipWithError(("cannot decode " + path).c_str());
            break;
        }
        benchmark::DoNotOptimize(image.getPixelsPtr());
    }
    state.counters["bytes"] = double(fs::file_size(path));
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s ASSETS_DIR [benchmark options]\n", argv[0]);
        return 2;
    }
    const fs::path assets = argv[1];
    char pattern[] = "/tmp/art_decode_bench.XXXXXX";
    const fs::path rgbaDir = mkdtemp(pattern);
    for (const char* name : pictures) {
        const std::string indexed = (assets / name).string();
        const std::string rgba = (rgbaDir / name).string();
        sf::Image image;
        if (!image.loadFromFile(indexed) || !image.saveToFile(rgba)) {
            std::fprintf(stderr, "cannot read %s or write its RGBA copy\n", indexed.c_str());
            fs::remove_all(rgbaDir);
            return 1;
        }
        benchmark::RegisterBenchmark((std::string("indexed/") + name).c_str(), decode, indexed)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark((std::string("rgba/") + name).c_str(), decode, rgba)
            ->Unit(benchmark::kMicrosecond);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    fs::remove_all(rgbaDir);
    return 0;
}
