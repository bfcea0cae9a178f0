// well.h: drawing one player's well: background, the falling piece in motion, locked blocks.
#pragma once

#include <cstdint>

#include "board.h"

// Draws the player's well with its origin at (x0, y0): the cell at column c, row r has its corner
// at (x0 + 20 c, y0 - 80 + 20 r), so rows 0 and 1 lie above the origin. Only reads the record.
// Returns 0.
int32_t drawBoard(const Player* player, int32_t x0, int32_t y0);
