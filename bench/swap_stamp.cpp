// Preloaded into the game or the baseline by the bench driver. Every
// glXSwapBuffers (one per displayed frame) writes a line to the file named
// by KITROVANE_SWAP_LOG:
//
//   <monotonic ns> <process CPU ns> <peak RSS KiB> <picture opened since the last swap, or ->
//
// The CPU clock counts every thread of the process, the renderer's included.
// The picture column says which screen drew the frame without asking the
// program: the title and end screens open their picture every frame, play
// opens none. Lines are buffered and written out at exit.
#include <dlfcn.h>
#include <sys/resource.h>
#include <time.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

FILE* logFile = nullptr;
char lastPicture[64] = "-";

long long nanoseconds(clockid_t clock)
{
    timespec now{};
    clock_gettime(clock, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

void notePicture(const char* path)
{
    if (!path)
        return;
    const std::size_t length = std::strlen(path);
    if (length < 4 || std::strcmp(path + length - 4, ".png") != 0)
        return;
    const char* name = std::strrchr(path, '/');
    name = name ? name + 1 : path;
    std::snprintf(lastPicture, sizeof lastPicture, "%s", name);
}

__attribute__((constructor)) void openLog()
{
    const char* name = std::getenv("KITROVANE_SWAP_LOG");
    if (!name || !*name)
        return;
    logFile = std::fopen(name, "w");
    if (logFile)
        std::setvbuf(logFile, nullptr, _IOFBF, 1 << 20);
}

__attribute__((destructor)) void closeLog()
{
    if (logFile)
        std::fclose(logFile);
    logFile = nullptr;
}

template <typename Function>
Function next(const char* symbol)
{
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, symbol));
}

}  // namespace

extern "C" {

using SwapBuffers = void (*)(void*, unsigned long);
using Open = FILE* (*)(const char*, const char*);

void glXSwapBuffers(void* display, unsigned long drawable)
{
    static const SwapBuffers real = next<SwapBuffers>("glXSwapBuffers");
    real(display, drawable);
    if (!logFile)
        return;
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::fprintf(logFile, "%lld %lld %ld %s\n", nanoseconds(CLOCK_MONOTONIC), nanoseconds(CLOCK_PROCESS_CPUTIME_ID),
                 usage.ru_maxrss, lastPicture);
    std::strcpy(lastPicture, "-");
}

// The picture loader reads through stdio.
FILE* fopen(const char* path, const char* mode)
{
    static const Open real = next<Open>("fopen");
    notePicture(path);
    return real(path, mode);
}

FILE* fopen64(const char* path, const char* mode)
{
    static const Open real = next<Open>("fopen64");
    notePicture(path);
    return real(path, mode);
}

}  // extern "C"
