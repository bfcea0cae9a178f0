// cones_frames.cpp: Quandrel's frame loop in the browser, driven by the page's frames.
//
// A page must not spin: it shows nothing until control goes back to the browser. Natively the
// loop draws as fast as it can; here it draws once per display frame, which looks the same.
#include "cones_frames.h"

#include <emscripten.h>

#include <cstdint>
#include <cstdlib>

#include "game.h"

namespace {

constexpr int ExitStatus = 1; // whichever way the game ends

uint32_t frameCount = 0; // frames drawn since start-up

// Natively main ends the game after the loop; here main never regains control, so the frame
// that sees the quit request does what main would: shut SDL down and end with its status.
[[noreturn]] void endGame() {
    emscripten_cancel_main_loop();
    SDL_Quit();
    std::exit(ExitStatus);
}

void runFrame(void* argument) {
    Game& game = *static_cast<Game*>(argument);
    // As natively, a quit requested before the first pass (a failed start-up) draws nothing.
    if (!quitRequested) {
        game.draw();
        ++frameCount;
        if (game.handleEvents() == -1)
            quitRequested = true;
    }
    if (quitRequested)
        endGame();
}

} // namespace

// The page reads how many frames have been drawn, to know the game is on screen and moving.
extern "C" EMSCRIPTEN_KEEPALIVE uint32_t conesFrameCount() {
    return frameCount;
}

void runBrowserFrames(Game& game) {
    // Frame rate 0: one call per display frame; the last argument makes this call never return.
    emscripten_set_main_loop_arg(runFrame, &game, 0, 1);
    __builtin_unreachable();
}
