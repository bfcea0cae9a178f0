// loop.h: the run of Drapple: start-up, the tick loop and shutdown, and the state they share.
#pragma once

#include <SDL.h>

#include <cstdint>

#include "board.h"

constexpr int MaxJoysticks = 4;     // devices opened at start-up
constexpr int PlayerCount = 2;      // records that receive input; only the first plays
constexpr Uint32 TickInterval = 15; // a tick runs once more than this many milliseconds have passed

// Everything of a run that is not global; lives from start-up to shutdown.
struct GameContext {
    SDL_Joystick* joysticks[MaxJoysticks]; // slot i: device i, or null when not opened
    Player players[PlayerCount];
    int32_t quitRequested; // set by the title menu's quit choice
    int32_t joystickCount; // SDL_NumJoysticks() at start-up
};

// One screen's work for one tick; a screen changes screens by storing another step.
using ScreenStep = int32_t (*)(GameContext* context);

extern SDL_Surface* screen;      // the display
extern SDL_Surface* digitSheet;  // "num.bmp": digits and the gauge strip, loaded for the whole run
extern ScreenStep currentScreen; // the step of the screen that is showing

// True when a tick is due at `now`, the previous one having started at `reference`. The
// difference is unsigned so that it stays right across the wrap of the 32-bit millisecond clock.
bool tickDue(Uint32 now, Uint32 reference);

// What the loop waits with: SDL's millisecond clock, delay and event queue in the game, a test's
// own in the loop's tests.
struct LoopWait {
    Uint32 (*readClock)();              // milliseconds, wrapping at 2^32
    void (*sleep)(Uint32 milliseconds); // at least this long
    int (*pollEvent)(SDL_Event* event); // 1 and the event, or 0 when the queue is empty
};

// Drains the event queue until a tick is due after `reference`, sleeping through all but the
// last millisecond before it. False as soon as a quit event is polled.
bool awaitTick(const LoopWait& wait, Uint32 reference);

// Brings up SDL, the display, the digit sheet, the random generator and the joysticks, and makes
// the title current. Ends the program with its message when SDL, the display or "num.bmp" fails.
void startUp(GameContext* context);

// One tick: current controls, quit requests, the screen's step and the flip.
void runTick(GameContext* context);

// Waits for each tick and runs it, until a quit event arrives; never returns.
[[noreturn]] void runLoop(GameContext* context);

// Closes the opened joysticks, frees the digit sheet, says goodbye and exits with status 0.
[[noreturn]] void shutDown(GameContext* context);
