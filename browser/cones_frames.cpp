// cones_frames.cpp: Quandrel's frame loop in the browser, driven by the page's frames.
//
// A page must not wait in a loop: it shows nothing until control goes back to the browser. So the
// browser calls back once per display frame, and each call is one pass of the native loop: the
// waiting events handled, and a frame drawn only when they changed something. Once nothing waits
// the game stops asking for display frames at all, until the page's next input (cones_wake.js).
#include "cones_frames.h"

#include <emscripten.h>

#include <cstdint>
#include <cstdlib>

#include "game.h"
#include "loop.h"

namespace {

constexpr int ExitStatus = 1; // whichever way the game ends

FrameState frames = {};
bool resting = false;        // no display frames asked for until input comes
bool holdingRuntime = false; // see rest()

// Natively main ends the game after the loop; here main never regains control, so the frame
// that sees the quit request does what main would: shut SDL down and end with its status.
[[noreturn]] void endGame() {
    emscripten_cancel_main_loop();
    if (holdingRuntime)
        EM_ASM(runtimeKeepalivePop());
    SDL_Quit();
    std::exit(ExitStatus);
}

// Stops the display frames. A paused loop lets go of the runtime, which, with nothing else holding
// it, would end the program there and then; so the game holds it itself from its first rest on,
// and lets go only as it ends.
void rest() {
    if (!holdingRuntime) {
        EM_ASM(runtimeKeepalivePush());
        holdingRuntime = true;
    }
    resting = true;
    emscripten_pause_main_loop();
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
    if (SDL_PollEvent(nullptr) == 0) // looks without taking an event
        rest();
}

} // namespace

// The page reads how many frames have been drawn, to know the game is on screen and what it did.
extern "C" EMSCRIPTEN_KEEPALIVE uint32_t conesFrameCount() {
    return frames.framesDrawn;
}

// The page's input asks for display frames again.
extern "C" EMSCRIPTEN_KEEPALIVE void conesWake() {
    if (!resting)
        return;
    resting = false;
    emscripten_resume_main_loop();
}

void runBrowserFrames(Game& game) {
    // Frame rate 0: one call per display frame; the last argument makes this call never return.
    emscripten_set_main_loop_arg(runFrame, &game, 0, 1);
    __builtin_unreachable();
}
