// cones_frames.cpp: Quandrel's frame loop in the browser, driven by the page's frames.
//
// A page must not wait in a loop: it shows nothing until control goes back to the browser. So the
// browser calls back once per display frame, and each call is one pass of the native loop: the
// waiting events handled, and a frame drawn only when they changed something. At rest nothing is
// drawn at all.
#include "cones_frames.h"

#include <emscripten.h>

#include <cstdint>
#include <cstdlib>

#include "game.h"
#include "loop.h"

namespace {

constexpr int ExitStatus = 1; // whichever way the game ends

FrameState frames = {};

// Natively main ends the game after the loop; here main never regains control, so the frame
// that sees the quit request does what main would: shut SDL down and end with its status.
[[noreturn]] void endGame() {
    emscripten_cancel_main_loop();
    SDL_Quit();
    std::exit(ExitStatus);
}

void runFrame(void* argument) {
    Game& game = *static_cast<Game*>(argument);
    // As natively, a quit requested before the first pass (a failed start-up) draws nothing, and
    // the first frame comes before any event is read.
    if (!quitRequested) {
        // The browser already calls back at most once per display frame: no gap of our own.
        if (frames.framesDrawn == 0)
            drawFrame(game, frames, SDL_GetTicks());
        else
            runPass(game, frames, SDL_GetTicks(), 0);
    }
    if (quitRequested)
        endGame();
}

} // namespace

// The page reads how many frames have been drawn, to know the game is on screen and what it did.
extern "C" EMSCRIPTEN_KEEPALIVE uint32_t conesFrameCount() {
    return frames.framesDrawn;
}

void runBrowserFrames(Game& game) {
    // Frame rate 0: one call per display frame; the last argument makes this call never return.
    emscripten_set_main_loop_arg(runFrame, &game, 0, 1);
    __builtin_unreachable();
}
