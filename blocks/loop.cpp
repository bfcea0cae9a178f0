// loop.cpp: Drapple's start-up, its 15-millisecond tick loop and its shutdown.
//
// A tick runs once more than 15 ms have passed since the previous one began, in the very
// millisecond the clock says so, with the event queue drained just before it. Between ticks the
// loop sleeps, and looks at the clock closely only in the last millisecond before the tick.
#include "loop.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "input.h"
#include "screens.h"
#include "sprites.h"

SDL_Surface* screen = nullptr;
SDL_Surface* digitSheet = nullptr;
ScreenStep currentScreen = titleScreen;

namespace {

// The messages are Shift-JIS bytes, as the game has always written them.
// "SDLが初期化できません"
constexpr char SdlInitFailedText[] =
    "SDL\x82\xaa\x8f\x89\x8a\xfa\x89\xbb\x82\xc5\x82\xab\x82\xdc\x82\xb9"
    "\x82\xf1";
// "640*480 フルカラー で初期化できません."
constexpr char VideoModeFailedText[] =
    "640*480 \x83\x74\x83\x8b\x83\x4a\x83\x89\x81\x5b \x82\xc5\x8f\x89"
    "\x8a\xfa\x89\xbb\x82\xc5\x82\xab\x82\xdc\x82\xb9\x82\xf1.";
// "正常終了"
constexpr char NormalEndText[] = "\x90\xb3\x8f\xed\x8f\x49\x97\xb9";

constexpr Uint32 SdlSubsystems = SDL_INIT_AUDIO | SDL_INIT_VIDEO | SDL_INIT_JOYSTICK;
constexpr Uint32 VideoFlags = SDL_HWSURFACE | SDL_DOUBLEBUF | SDL_FULLSCREEN;
constexpr int ScreenWidth = 640;
constexpr int ScreenHeight = 480;
constexpr int ScreenDepth = 32;

Uint32 tickReference = 0; // SDL_GetTicks() at the start of the previous tick

const LoopWait sdlWait = {SDL_GetTicks, SDL_Delay, SDL_PollEvent};

void startSdl() {
    if (SDL_Init(SdlSubsystems) < 0) {
        std::puts(SdlInitFailedText);
        std::exit(-1);
    }
    std::atexit(SDL_Quit);
    SDL_WM_SetCaption("Drapple", nullptr);
}

void openDisplay() {
    screen = SDL_SetVideoMode(ScreenWidth, ScreenHeight, ScreenDepth, VideoFlags);
    if (!screen) {
        std::puts(VideoModeFailedText);
        std::exit(1);
    }
}

// Every screen draws numbers, so the digits are read once and a missing sheet ends the game.
void loadDigits() {
    digitSheet = loadKeyedImage("num.bmp");
    if (!digitSheet) {
        std::puts(ImageUnreadableText);
        std::exit(1);
    }
}

void openJoysticks(GameContext* context) {
    context->joystickCount = SDL_NumJoysticks();
    for (int i = 0; i < context->joystickCount && i < MaxJoysticks; ++i)
        context->joysticks[i] = SDL_JoystickOpen(i);
}

void pushQuit() {
    SDL_Event quit = {};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
}

} // namespace

bool tickDue(Uint32 now, Uint32 reference) {
    return Uint32(now - reference) > TickInterval;
}

bool awaitTick(const LoopWait& wait, Uint32 reference) {
    for (;;) {
        SDL_Event event;
        if (wait.pollEvent(&event)) {
            // Controls are read from SDL's state tables each tick; only quitting is an event.
            if (event.type == SDL_QUIT)
                return false;
            continue;
        }
        Uint32 now = wait.readClock();
        if (tickDue(now, reference))
            return true;
        Uint32 elapsed = now - reference;
        // Sleeping until the clock reads one short of the due millisecond wakes within that
        // millisecond, however far into the current one the clock already is; waking late by a
        // fraction of it still starts the tick in the millisecond it is due.
        if (elapsed < TickInterval)
            wait.sleep(TickInterval - elapsed);
    }
}

void startUp(GameContext* context) {
    startSdl();
    openDisplay();
    loadDigits();
    std::srand(unsigned(std::time(nullptr)));
    tickReference = SDL_GetTicks();
    openJoysticks(context);
    context->quitRequested = 0;
    currentScreen = titleScreen;
}

void runTick(GameContext* context) {
    SDL_PumpEvents();
    readInput(context);
    if (context->quitRequested == 1)
        pushQuit();
    if (SDL_GetKeyState(nullptr)[SDLK_ESCAPE])
        pushQuit();
    currentScreen(context);
    SDL_Flip(screen);
}

void runLoop(GameContext* context) {
    for (;;) {
        if (!awaitTick(sdlWait, tickReference))
            shutDown(context);
        tickReference = SDL_GetTicks();
        runTick(context);
    }
}

void shutDown(GameContext* context) {
    for (int i = 0; i < context->joystickCount && i < MaxJoysticks; ++i) {
        if (SDL_JoystickOpened(i) && context->joysticks[i]) {
            SDL_JoystickClose(context->joysticks[i]);
            context->joysticks[i] = nullptr;
        }
    }
    freeImage(&digitSheet);
    std::printf("%s", NormalEndText);
    std::exit(0);
}
