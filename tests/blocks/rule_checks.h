// rule_checks.h: what must hold after every tick of a Drapple game, for the long seeded runs.
#pragma once

#include <gtest/gtest.h>

#include "board.h"

inline bool isCellValue(int32_t value) {
    return value == EmptyCell || (value >= 1 && value <= PieceCount) || value == GarbageCell;
}

inline bool isChainValue(int32_t value) {
    return value == 1 || value == 2 || value == 4 || value == 8 || value == 16 || value == 32 ||
           value == 64;
}

// The falling piece and the preview are real pieces, and every cell of the piece is in the well.
inline testing::AssertionResult pieceInsideWell(const Player& player) {
    if (player.piece < 0 || player.piece >= PieceCount || player.pieceTurn < 0 ||
        player.pieceTurn > 3 || player.nextPiece < 0 || player.nextPiece >= PieceCount)
        return testing::AssertionFailure() << "piece " << player.piece << " turn "
                                           << player.pieceTurn << " next " << player.nextPiece;
    const CellOffset* shape = pieceShapes[player.piece];
    for (int i = 0; i < PieceCells && shape[i].dx != ShapeEnd; ++i) {
        CellOffset cell = rotateCell(shape[i].dx, shape[i].dy, player.pieceTurn);
        int32_t column = player.pieceColumn + cell.dx;
        int32_t row = player.pieceRow + cell.dy;
        if (column < 0 || column >= BoardColumns || row < 0 || row >= BoardRows)
            return testing::AssertionFailure() << "piece cell at " << column << "," << row;
    }
    return testing::AssertionSuccess();
}

// Debris, popups and row settles hold only values they can show, and the garbage clock its range.
inline testing::AssertionResult effectsWithinTables(const Player& player) {
    for (const Particle& debris : player.particles) {
        if (!isCellValue(debris.value))
            return testing::AssertionFailure() << "debris shows " << debris.value;
    }
    for (const Particle& popup : player.popups) {
        if (popup.value != 0 && (!isChainValue(popup.value) || popup.x < 1 || popup.x > 60))
            return testing::AssertionFailure() << "popup " << popup.value << " aged " << popup.x;
    }
    for (const Particle& settle : player.rowSettle) {
        if (settle.y > 0 || settle.y < -CellSize * BoardRows || settle.value < 0 ||
            settle.value > 1)
            return testing::AssertionFailure() << "row settle at " << settle.y;
    }
    if (garbageClock < 0 || garbageClock > 1200)
        return testing::AssertionFailure() << "garbage clock " << garbageClock;
    return testing::AssertionSuccess();
}

// The rules after one tick of play: cells, phase, score, chain, garbage, piece and effect tables.
inline testing::AssertionResult stateIsSound(const Player& player, int32_t previousScore) {
    for (const auto& column : player.cells) {
        for (int32_t value : column) {
            if (!isCellValue(value))
                return testing::AssertionFailure() << "cell holds " << value;
        }
    }
    // A settle that ends is followed by the rise in the same tick, so no tick ends settled.
    if (player.clearPhase != PhasePlay && player.clearPhase != PhaseSettling)
        return testing::AssertionFailure() << "phase " << player.clearPhase;
    if (player.score < previousScore)
        return testing::AssertionFailure()
               << "score fell from " << previousScore << " to " << player.score;
    if (!isChainValue(player.chainValue) || player.chainTimer < 0 || player.chainTimer > 180 ||
        player.garbagePending < 0 || player.lockPoints != 0)
        return testing::AssertionFailure()
               << "chain " << player.chainValue << " timer " << player.chainTimer << " pending "
               << player.garbagePending << " lock points " << player.lockPoints;
    testing::AssertionResult piece = pieceInsideWell(player);
    if (!piece)
        return piece;
    return effectsWithinTables(player);
}
