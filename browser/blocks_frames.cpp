// blocks_frames.cpp: Drapple's tick loop in the browser, driven by the page's frames.
//
// A page must not spin: it draws only between calls back from the browser, once per display
// frame (60 to 144 a second, or fewer). So each frame runs as many ticks as the time since the
// last one asks for, on a fixed 16-millisecond step: natively a tick runs as soon as more than
// 15 milliseconds have passed, which on a millisecond clock makes a tick every 16 of them.
#include "blocks_frames.h"

#include <emscripten.h>

namespace {

constexpr Uint32 TickStep = TickInterval + 1; // milliseconds from one tick to the next
constexpr int MaxTicksPerFrame = 4;           // catching up after a slow frame, within reason

Uint32 nextTickAt = 0;  // SDL_GetTicks() when the next tick is due
uint32_t tickCount = 0; // ticks run since start-up

// Natively the queue is drained before every tick and only a quit event counts. While the
// browser calls back each frame the program cannot end, so the calls stop first; shutDown then
// ends it with its status.
void drainEvents(GameContext* context) {
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        if (event.type == SDL_QUIT) {
            emscripten_cancel_main_loop();
            shutDown(context);
        }
    }
}

// A tick due at `due` is late at `now` when it is due or past; the difference is taken signed so
// that it stays right across the wrap of the millisecond clock.
bool isDue(Uint32 now, Uint32 due) {
    return int32_t(now - due) >= 0;
}

void runFrame(void* argument) {
    GameContext* context = static_cast<GameContext*>(argument);
    Uint32 now = SDL_GetTicks();
    for (int n = 0; n < MaxTicksPerFrame && isDue(now, nextTickAt); ++n) {
        drainEvents(context);
        runTick(context);
        ++tickCount;
        nextTickAt += TickStep;
    }
    // After a long pause (a hidden tab, a stalled machine) the lost time is not made up, just as
    // natively: the next tick comes one step from now.
    if (isDue(now, nextTickAt))
        nextTickAt = now + TickStep;
    drainEvents(context);
}

} // namespace

// The page reads how many ticks have run, to check the pace.
extern "C" EMSCRIPTEN_KEEPALIVE uint32_t blocksTickCount() {
    return tickCount;
}

void runBrowserTicks(GameContext* context) {
    nextTickAt = SDL_GetTicks() + TickStep;
    // Frame rate 0: one call per display frame. The last argument makes this call never
    // return, as the native loop never does; the program ends through shutDown's exit.
    emscripten_set_main_loop_arg(runFrame, context, 0, 1);
    __builtin_unreachable();
}
