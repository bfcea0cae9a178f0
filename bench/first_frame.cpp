// first_frame.cpp: preloaded into a game by the start-up benchmark. It stands in front of SDL_Flip
// and, once the game has presented the frame the benchmark waits for, writes how long that took
// since the program was started and ends the process at once.
#include <SDL.h>

#include <dlfcn.h>
#include <time.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>

namespace {

int64_t nowNanoseconds() {
    timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return int64_t(t.tv_sec) * 1000000000 + t.tv_nsec;
}

// The benchmark passes the start time, the frame to stop at and the pipe to answer on.
int64_t setting(const char* name, int64_t fallback) {
    const char* text = std::getenv(name);
    return text ? std::strtoll(text, nullptr, 10) : fallback;
}

} // namespace

extern "C" int SDL_Flip(SDL_Surface* surface) {
    using Flip = int (*)(SDL_Surface*);
    static Flip realFlip = reinterpret_cast<Flip>(dlsym(RTLD_NEXT, "SDL_Flip"));
    static int64_t presented = 0;
    int result = realFlip(surface);
    // SDL 1.2 flips a double-buffered screen itself while it sets the mode; only the game's own
    // calls present a frame.
    Dl_info caller, library;
    if (dladdr(__builtin_return_address(0), &caller) &&
        dladdr(reinterpret_cast<void*>(realFlip), &library) &&
        caller.dli_fbase == library.dli_fbase)
        return result;
    if (++presented < setting("FIRST_FRAME_COUNT", 1))
        return result;
    int64_t elapsed = nowNanoseconds() - setting("FIRST_FRAME_START", 0);
    int answer = int(setting("FIRST_FRAME_FD", -1));
    bool written = write(answer, &elapsed, sizeof elapsed) == sizeof elapsed;
    _exit(written ? 0 : 3);
}
