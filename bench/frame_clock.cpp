// frame_clock.cpp: preloaded into a game by the machine-cost benchmark. It stands in front of
// SDL_Flip and writes, for every frame the game presents, when the flip returned and how long it
// took (CLOCK_MONOTONIC nanoseconds, one line each) to the file FRAME_CLOCK_FILE names.
#include <SDL.h>

#include <dlfcn.h>
#include <fcntl.h>
#include <time.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

int64_t nowNanoseconds() {
    timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return int64_t(t.tv_sec) * 1000000000 + t.tv_nsec;
}

int logFile() {
    static int file = [] {
        const char* path = std::getenv("FRAME_CLOCK_FILE");
        return path ? open(path, O_WRONLY | O_CREAT | O_TRUNC | O_APPEND, 0644) : -1;
    }();
    return file;
}

} // namespace

extern "C" int SDL_Flip(SDL_Surface* surface) {
    using Flip = int (*)(SDL_Surface*);
    static Flip realFlip = reinterpret_cast<Flip>(dlsym(RTLD_NEXT, "SDL_Flip"));
    int64_t start = nowNanoseconds();
    int result = realFlip(surface);
    int64_t end = nowNanoseconds();
    // SDL 1.2 flips a double-buffered screen itself while it sets the mode; only the game's own
    // calls present a frame.
    Dl_info caller, library;
    if (dladdr(__builtin_return_address(0), &caller) &&
        dladdr(reinterpret_cast<void*>(realFlip), &library) &&
        caller.dli_fbase == library.dli_fbase)
        return result;
    char line[64];
    int length = std::snprintf(line, sizeof line, "%lld %lld\n", static_cast<long long>(end),
                               static_cast<long long>(end - start));
    if (logFile() >= 0 && write(logFile(), line, size_t(length)) != length)
        std::abort();
    return result;
}
