// board.cpp: turning piece cells, testing the falling piece against the well, and new pieces.
#include "board.h"

#include <cstdlib>

int32_t garbageClock = 0;

CellOffset rotateCell(int32_t x, int32_t y, int32_t turns) {
    for (int32_t i = 0; i < turns; ++i) {
        int32_t turned = y;
        y = -x;
        x = turned;
    }
    return {x, y};
}

int32_t pieceCollides(const Player* player) {
    const CellOffset* shape = pieceShapes[player->piece];
    for (int i = 0; i < PieceCells && shape[i].dx != ShapeEnd; ++i) {
        CellOffset cell = rotateCell(shape[i].dx, shape[i].dy, player->pieceTurn);
        int32_t column = player->pieceColumn + cell.dx;
        int32_t row = player->pieceRow + cell.dy;
        // A cell above the well is still coming in from the top and hits nothing.
        if (row < 0) {
            continue;
        }
        if (column < 0 || column >= BoardColumns || row >= BoardRows ||
            player->cells[column][row] != EmptyCell) {
            return 1;
        }
    }
    return 0;
}

int32_t spawnPiece(Player* player) {
    player->piece = player->nextPiece;
    player->nextPiece = rand() % PieceCount;
    player->pieceColumn = 3;
    player->pieceRow = 2;
    player->pieceTurn = 0;
    player->slideOffset = 0;
    // 2, not 0: the first gravity step then comes 199 ticks after the spawn.
    player->fallCounter = 2;
    player->slideSpeed = 0;
    player->fallStep = 1;
    player->turnSpeed = 0;
    player->turnAngle = 0;
    return 0;
}

void resetPlayerState(Player* player) {
    for (auto& column : player->cells) {
        for (int32_t& cell : column) {
            cell = EmptyCell;
        }
    }
    for (Particle& debris : player->particles) {
        debris.value = 0;
    }
    for (Particle& popup : player->popups) {
        popup.value = 0;
    }
    for (Particle& settle : player->rowSettle) {
        settle.y = 0;
        settle.vy = 0;
        settle.value = 0;
    }
    player->clearPhase = PhasePlay;
    player->lockPoints = 0;
    player->score = 0;
    player->chainValue = 1;
    player->chainTimer = 0;
    player->nextPiece = rand() % PieceCount;
    player->garbagePending = 0;
}

int32_t isToppedOut(const Player* player) {
    for (const auto& column : player->cells) {
        for (int row = 0; row < TopZoneRows; ++row) {
            if (column[row] != EmptyCell) {
                return 1;
            }
        }
    }
    return 0;
}
