// well_text.h: Drapple wells written and read as rows of text, so that a test shows its board.
#pragma once

#include "board.h"

#include <cstdlib>
#include <initializer_list>
#include <string>
#include <vector>

// One character per cell: '.' empty, '1' to '8' a locked block of that value, 'G' garbage.
inline int32_t cellFromChar(char c) {
    if (c == 'G') {
        return GarbageCell;
    }
    if (c >= '1' && c <= '8') {
        return c - '0';
    }
    return EmptyCell;
}

inline char charFromCell(int32_t value) {
    if (value == GarbageCell) {
        return 'G';
    }
    if (value >= 1 && value <= 8) {
        return static_cast<char>('0' + value);
    }
    if (value == EmptyCell) {
        return '.';
    }
    return '?';
}

// Writes the given rows at the bottom of the well: the last string is row 23.
inline void fillBottom(Player* player, std::initializer_list<const char*> rows) {
    int32_t row = BoardRows - static_cast<int32_t>(rows.size());
    for (const char* text : rows) {
        for (int32_t column = 0; column < BoardColumns; ++column) {
            player->cells[column][row] = cellFromChar(text[column]);
        }
        ++row;
    }
}

// Rows `first` to 23 as text, in the notation of fillBottom.
inline std::vector<std::string> bottomRows(const Player& player, int32_t first) {
    std::vector<std::string> rows;
    for (int32_t row = first; row < BoardRows; ++row) {
        std::string text;
        for (int32_t column = 0; column < BoardColumns; ++column) {
            text += charFromCell(player.cells[column][row]);
        }
        rows.push_back(text);
    }
    return rows;
}

// A new game as the game screen starts it, with the given seed; the background stays unloaded.
inline void startGame(Player* player, unsigned seed) {
    *player = Player{};
    srand(seed);
    resetPlayerState(player);
    spawnPiece(player);
}

// The first `count` numbers that rand() gives after srand(seed).
inline std::vector<int> randSequence(unsigned seed, int count) {
    srand(seed);
    std::vector<int> numbers;
    for (int i = 0; i < count; ++i) {
        numbers.push_back(rand());
    }
    return numbers;
}
