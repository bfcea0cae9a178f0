// rules.cpp: one tick of Drapple: slides, turns, gravity, locking, row removal, chains and garbage.
#include "rules.h"

#include <cassert>
#include <cstdlib>

namespace {

constexpr int32_t GarbageInterval = 1200; // a row is queued when the clock passes this
constexpr int32_t SlideStep = 31;         // tenths of a pixel per tick of a slide
constexpr int32_t TurnStep = 6;           // degrees per tick of a turn
constexpr int32_t SoftDropBoost = 120;    // extra gravity per tick while Down is held
constexpr int32_t FallThreshold = 200;    // the piece drops a row once fallCounter passes this
constexpr int32_t ChainTimeout = 180;     // play ticks a chain survives without a new line
constexpr int32_t ChainCeiling = 127;     // a doubled chain value above this falls back to 64
constexpr int32_t ChainTop = 64;
constexpr int32_t PopupLifetime = 60;     // ticks a point popup is shown
constexpr int32_t DebrisFloor = 4800;     // debris below this y has left the screen
constexpr int32_t DebrisGravity = 4;      // tenths of a pixel per tick per tick
constexpr int32_t SettleGravity = 4;      // same pull for rows falling into place
constexpr int32_t DebrisLaunchSteps = 12; // upward speeds 0, 10 ... 110
constexpr int32_t DebrisLaunchUnit = 10;

// Brings a quarter-turn count changed by one back into 0 to 3.
int32_t wrapTurn(int32_t turn) {
    if (turn < 0) {
        return turn % 4 + 4;
    }
    if (turn > 3) {
        return turn % 4;
    }
    return turn;
}

void countGarbageClock(Player* player) {
    garbageClock += 1;
    if (garbageClock > GarbageInterval) {
        player->garbagePending += 1;
        garbageClock = 0;
    }
}

// A new slide is read only once the previous one has finished, which sets the pace of a held key.
void startSlide(Player* player) {
    if (player->slideSpeed != 0) {
        return;
    }
    int32_t direction = player->input.right - player->input.left;
    player->slideOffset = -CellSize * direction;
    player->pieceColumn += direction;
    if (pieceCollides(player)) {
        player->pieceColumn -= direction;
        direction = 0;
        player->slideOffset = 0;
    }
    player->slideSpeed = SlideStep * direction;
}

// Button A turns counter-clockwise, button B clockwise; a blocked turn is simply not made.
void startTurn(Player* player) {
    if (player->turnSpeed != 0) {
        return;
    }
    int32_t direction = player->input.buttonA - player->input.buttonB;
    int32_t oldTurn = player->pieceTurn;
    player->turnAngle = -90 * direction;
    player->pieceTurn = wrapTurn(player->pieceTurn + direction);
    if (pieceCollides(player)) {
        player->pieceTurn = oldTurn;
        direction = 0;
        player->turnAngle = 0;
    }
    player->turnSpeed = TurnStep * direction;
}

// Runs an animation value back towards 0; it ends once it reaches or passes 0.
void animateToZero(int32_t* value, int32_t* speed) {
    if (*speed == 0) {
        return;
    }
    *value += *speed;
    if (*value * *speed >= 0) {
        *speed = 0;
        *value = 0;
    }
}

// Writes the piece into the well. The piece can only reach places inside the well (it starts
// inside, and every move is checked), so the bounds test never skips a cell in play; it is there
// so that a broken record cannot write past the board.
void lockPiece(Player* player) {
    const CellOffset* shape = pieceShapes[player->piece];
    for (int i = 0; i < PieceCells && shape[i].dx != ShapeEnd; ++i) {
        CellOffset cell = rotateCell(shape[i].dx, shape[i].dy, player->pieceTurn);
        int32_t column = player->pieceColumn + cell.dx;
        int32_t row = player->pieceRow + cell.dy;
        bool inside = column >= 0 && column < BoardColumns && row >= 0 && row < BoardRows;
        assert(inside && "a locking piece lies outside the well");
        if (inside) {
            player->cells[column][row] = player->piece + 1;
        }
    }
    player->clearPhase = PhaseSettling;
    clearLines(player);
    spawnPiece(player);
}

void applyGravity(Player* player) {
    if (player->fallCounter <= FallThreshold) {
        return;
    }
    player->pieceRow += player->fallStep;
    player->fallCounter = 0;
    if (pieceCollides(player)) {
        player->pieceRow -= player->fallStep;
        lockPiece(player);
    }
}

bool isRowFull(const Player* player, int32_t row) {
    for (const auto& column : player->cells) {
        if (column[row] == EmptyCell) {
            return false;
        }
    }
    return true;
}

// One piece of debris per column of the removed row, in free slots, while there are any.
void scatterDebris(Player* player, int32_t row, int32_t startRow) {
    int32_t column = 0;
    for (Particle& debris : player->particles) {
        if (column == BoardColumns) {
            return;
        }
        if (debris.value != 0) {
            continue;
        }
        debris.value = player->cells[column][row];
        debris.x = CellSize * column;
        debris.y = CellSize * startRow;
        debris.vx = 2 * column - 8;
        debris.vy = -DebrisLaunchUnit * (rand() % DebrisLaunchSteps);
        ++column;
    }
}

void showPopup(Player* player, int32_t startRow) {
    for (Particle& popup : player->popups) {
        if (popup.value == 0) {
            popup = Particle{0, CellSize * startRow, 0, 0, player->chainValue};
            return;
        }
    }
}

void scoreLine(Player* player) {
    player->lockPoints += player->chainValue;
    player->chainValue *= 2;
    if (player->chainValue > ChainCeiling) {
        player->chainValue = ChainTop;
    }
    player->chainTimer = ChainTimeout;
}

void dropRowsAbove(Player* player, int32_t row) {
    for (auto& column : player->cells) {
        for (int32_t q = row; q >= 1; --q) {
            column[q] = column[q - 1];
        }
        column[0] = EmptyCell;
    }
}

// The row is drawn `removed` rows higher than its place and falls into it.
void armSettle(Player* player, int32_t row, int32_t removed) {
    Particle& settle = player->rowSettle[row];
    settle.y = -CellSize * removed;
    settle.vy = 0;
    settle.value = 1;
}

void agePopups(Player* player) {
    for (Particle& popup : player->popups) {
        if (popup.value == 0) {
            continue;
        }
        popup.x += 1;
        if (popup.x > PopupLifetime) {
            popup.x = 0;
            popup.value = 0;
        }
    }
}

// One pass of the rows falling into place. A row that lands in this pass still holds the phase,
// so the pass that finds every row at rest is the one that ends the settle.
void settleRows(Player* player) {
    player->clearPhase = PhaseSettled;
    for (Particle& settle : player->rowSettle) {
        if (settle.value == 0) {
            continue;
        }
        player->clearPhase = PhaseSettling;
        settle.vy += SettleGravity;
        settle.y += settle.vy;
        if (settle.y >= 0) {
            settle.y = 0;
            settle.value = 0;
        }
    }
}

// The board rises by the pending rows and as many garbage rows, each with one hole, come in below.
// Every row draws its hole even when nothing rises, so a seed gives the same pieces either way.
void riseGarbage(Player* player) {
    int32_t rising = player->garbagePending;
    player->clearPhase = PhasePlay;
    for (int32_t row = 0; row < BoardRows; ++row) {
        int32_t hole = rand() % BoardColumns;
        for (int32_t column = 0; column < BoardColumns; ++column) {
            int32_t& cell = player->cells[column][row];
            if (row + rising < BoardRows) {
                cell = player->cells[column][row + rising];
            } else {
                cell = column == hole ? EmptyCell : GarbageCell;
            }
        }
    }
    player->garbagePending = 0;
}

void runChainTimer(Player* player) {
    if (player->chainTimer > 0) {
        player->chainTimer -= 1;
    } else {
        player->chainValue = 1;
    }
}

} // namespace

int32_t updatePlayer(Player* player) {
    if (player->clearPhase == PhasePlay) {
        runChainTimer(player);
        updatePiece(player);
    }
    agePopups(player);
    updateParticles(player);
    if (player->clearPhase == PhaseSettling) {
        settleRows(player);
    }
    if (player->clearPhase == PhaseSettled) {
        riseGarbage(player);
    }
    return 0;
}

int32_t updatePiece(Player* player) {
    countGarbageClock(player);
    startSlide(player);
    if (player->fallStep != 0 && player->input.down) {
        player->fallCounter += SoftDropBoost;
    }
    player->fallCounter += 1;
    startTurn(player);
    animateToZero(&player->slideOffset, &player->slideSpeed);
    animateToZero(&player->turnAngle, &player->turnSpeed);
    applyGravity(player);
    return 0;
}

int32_t clearLines(Player* player) {
    int32_t removed = 0;
    int32_t row = BoardRows - 1;
    // Row 0 is never tested. A removed row is tested again, since it now holds the row above.
    while (row > 0) {
        if (isRowFull(player, row)) {
            int32_t startRow = row - removed; // where the line was before this lock
            scatterDebris(player, row, startRow);
            showPopup(player, startRow);
            scoreLine(player);
            dropRowsAbove(player, row);
            removed += 1;
            armSettle(player, row, removed);
        } else {
            armSettle(player, row - 1, removed);
            row -= 1;
        }
    }
    player->score += player->lockPoints;
    player->lockPoints = 0;
    return 0;
}

int32_t updateParticles(Player* player) {
    for (Particle& debris : player->particles) {
        if (debris.value == 0) {
            continue;
        }
        if (debris.y > DebrisFloor) {
            debris.value = 0;
        }
        debris.vy += DebrisGravity;
        debris.x += debris.vx;
        debris.y += debris.vy;
    }
    return 0;
}
