// rules.h: one tick of a player's game: sliding, turning, falling, locking, clearing, scoring,
// settling rows and rising garbage. No SDL.
#pragma once

#include "board.h"

// One tick of the player's game; the game screen calls it once per tick before drawing.
int32_t updatePlayer(Player* player);

// One tick of the falling piece, its lock included; only while clearPhase is PhasePlay.
int32_t updatePiece(Player* player);

// Removes and scores full rows, sets off debris and popups, and arms the settle of every row.
int32_t clearLines(Player* player);

// Moves the debris one tick and frees what has fallen off the screen.
int32_t updateParticles(Player* player);
