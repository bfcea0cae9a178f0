// screens.h: the title menu, the playing field and the result screen, one step per tick each.
#pragma once

#include <SDL.h>

#include <cstdint>

#include "board.h"

struct GameContext;

extern SDL_Surface* backImage;   // the full-screen picture of the screen that is showing
extern SDL_Surface* cursorImage; // the title menu's cursor
extern int32_t titleLoaded;      // 1 while the title's pictures are loaded
extern int32_t gameLoaded;       // 1 while the game's pictures are loaded and the player is set up
extern int32_t resultLoaded;     // 1 while the result picture is loaded and its snapshot taken
extern int32_t titleChoice;      // 0 start a game, 1 quit
extern int32_t resultFrames;     // ticks the result has been shown

// Each step loads its pictures on its first tick and draws nothing then; it draws its whole
// picture on every later tick, and frees what it loaded when it hands over. Each returns 0.
int32_t titleScreen(GameContext* context);
int32_t gameScreen(GameContext* context);
int32_t resultScreen(GameContext* context);

// Prepares the player for a new game: empty well, no score or chain, the well's background, and
// the first falling piece with the next one previewed. Returns 0.
int32_t resetPlayer(Player* player);
