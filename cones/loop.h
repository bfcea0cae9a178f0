// loop.h: Quandrel's frame loop: a frame whenever the game has changed, and rest in between.
#pragma once

#include <SDL.h>

#include <cstdint>

class Game;

// The least time from one frame to the next, milliseconds: a display refresh at 60 a second is
// 16.7 ms, so a burst of pointer motion is drawn as at most one frame a refresh, not hundreds.
constexpr Uint32 FrameGap = 17;

// The longest rest with the screen up to date, milliseconds: input ends a rest at once, but a
// signal may be taken by another of SDL's threads and leave this one asleep until then.
constexpr Uint32 IdleRest = 100;

// What the loop waits with: in the program SDL's clock and restUntilInput, in tests their own.
struct LoopClock {
    Uint32 (*now)();                   // milliseconds, wrapping at 2^32
    void (*rest)(Uint32 milliseconds); // returns once input may have come, or after about this long
};

// Sleeps until the window system has input for the game or the time is up; it may return early,
// never much later. SDL 1.2 has no such wait (its own looks every 10 ms, too seldom for the
// pointer), so each platform's build supplies one: x11/ for the X Window System.
void restUntilInput(Uint32 milliseconds);

// The frame on screen, and whether the game has moved on since it was drawn.
struct FrameState {
    Uint32 drawnAt;       // clock when the frame on screen was drawn
    bool stale;           // events were handled after it
    uint32_t framesDrawn; // since the loop started
};

// Draws and presents the whole frame and notes when.
void drawFrame(Game& game, FrameState& frames, Uint32 now);

// Handles the events waiting in the queue, if any, then draws a frame when they left the screen
// behind and the frame on it is at least `gap` old. Sets quitRequested when Escape asks for it.
void runPass(Game& game, FrameState& frames, Uint32 now, Uint32 gap);

// The first frame, then a pass whenever events come, resting while none do, until a quit is
// requested: by Escape, by the quit buttons, or by an interrupt or termination signal (the
// window's close button still does nothing). Returns the frames drawn.
uint32_t runFrameLoop(Game& game, const LoopClock& clock);
