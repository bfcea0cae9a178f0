// loop.cpp: Quandrel's frame loop: a frame whenever the game has changed, and rest in between.
//
// The frame is a picture of the game's fields alone, so drawing once after a run of events shows
// what drawing after each of them would have shown last. The game therefore draws only after
// events (and the first frame before any), at most one frame per display refresh, and rests
// while no event comes.
#include "loop.h"

#include <csignal>

#include "game.h"

namespace {

// SDL turns an interrupt or a termination request into the same quit event as the window's close
// button, which the game ignores; so the game takes both signals itself and ends as on Escape.
volatile std::sig_atomic_t terminationSignalled = 0;

void noteTermination(int) {
    terminationSignalled = 1;
}

// Also hands SDL whatever the window system has sent, so that a rest after it misses nothing.
bool eventsWaiting() {
    return SDL_PollEvent(nullptr) != 0; // looks without taking the event
}

// Until the frame that events left behind is due; with the screen up to date, until input comes.
Uint32 restTime(const FrameState& frames, Uint32 now) {
    if (!frames.stale)
        return IdleRest;
    Uint32 age = now - frames.drawnAt;
    return age < FrameGap ? FrameGap - age : 0;
}

} // namespace

void drawFrame(Game& game, FrameState& frames, Uint32 now) {
    game.draw();
    frames.drawnAt = now;
    frames.stale = false;
    ++frames.framesDrawn;
}

void runPass(Game& game, FrameState& frames, Uint32 now, Uint32 gap) {
    if (eventsWaiting()) {
        frames.stale = true;
        if (game.handleEvents() == -1)
            quitRequested = true;
    }
    if (!quitRequested && frames.stale && Uint32(now - frames.drawnAt) >= gap)
        drawFrame(game, frames, now);
}

uint32_t runFrameLoop(Game& game, const LoopClock& clock) {
    FrameState frames = {};
    if (quitRequested) // a failed start-up draws nothing
        return 0;
    terminationSignalled = 0;
    auto previousInterrupt = std::signal(SIGINT, noteTermination);
    auto previousTermination = std::signal(SIGTERM, noteTermination);
    drawFrame(game, frames, clock.now());
    while (!quitRequested) {
        if (!eventsWaiting())
            clock.rest(restTime(frames, clock.now()));
        if (terminationSignalled)
            quitRequested = true;
        else
            runPass(game, frames, clock.now(), FrameGap);
    }
    std::signal(SIGINT, previousInterrupt);
    std::signal(SIGTERM, previousTermination);
    return frames.framesDrawn;
}
