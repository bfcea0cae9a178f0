// fixture.h: a Quandrel game on SDL's dummy video driver, with a clock the test sets.
#pragma once

#include "game.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <initializer_list>
#include <string>

// The time the game reads; tests move it by hand.
inline Uint32 fakeNow = 0;
inline Uint32 fakeClock() {
    return fakeNow;
}

// Events as SDL delivers them: a press or release of the left button, a key pressed, a motion.
inline SDL_Event mouseButton(Uint8 type, int x, int y) {
    SDL_Event event = {};
    event.type = type;
    event.button.button = SDL_BUTTON_LEFT;
    event.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
    event.button.x = Uint16(x);
    event.button.y = Uint16(y);
    return event;
}

inline SDL_Event keyDown(SDLKey key) {
    SDL_Event event = {};
    event.type = SDL_KEYDOWN;
    event.key.state = SDL_PRESSED;
    event.key.keysym.sym = key;
    return event;
}

inline SDL_Event mouseMotion(int x, int y) {
    SDL_Event event = {};
    event.type = SDL_MOUSEMOTION;
    event.motion.x = Uint16(x);
    event.motion.y = Uint16(y);
    return event;
}

class GameTest : public ::testing::Test {
  protected:
    void SetUp() override {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        readClock = fakeClock;
        fakeNow = 1000;
        quitRequested = false;
        game = new Game;
        ASSERT_FALSE(quitRequested) << SDL_GetError();
        ASSERT_NE(screen, nullptr);
        game->newRound();
    }
    void TearDown() override {
        delete game;
        readClock = SDL_GetTicks;
        quitRequested = false;
    }

    void setSecret(std::initializer_list<int32_t> colours) {
        int i = 0;
        for (int32_t c : colours)
            game->secret[i++] = c;
    }
    void setRow(int r, std::initializer_list<int32_t> colours) {
        int i = 0;
        for (int32_t c : colours)
            game->rows[r].setPeg(i++, c);
    }
    std::string caption() const {
        char* title = nullptr;
        char* icon = nullptr;
        SDL_WM_GetCaption(&title, &icon);
        return title ? title : "";
    }

    Game* game = nullptr;
};
