// board_test.cpp: quarter turns, the collision test, spawning, a new game's state and the top zone.
#include "board.h"
#include "well_text.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(RotateCell, TurnsCounterClockwiseOnScreen) {
    struct Case {
        int32_t x, y, turns; // offset and quarter turns
        int32_t wantX, wantY;
    };
    constexpr Case cases[] = {
        {1, 0, 0, 1, 0},    // no turn
        {1, 0, 1, 0, -1},   // right of the pivot goes above it
        {1, 0, 2, -1, 0},   // half turn
        {1, 0, 3, 0, 1},    // three quarters
        {1, 0, 4, 1, 0},    // full turn
        {2, -1, 2, -2, 1},  // half turn negates both
        {0, -2, 1, -2, 0},  // bar's top cell goes left
        {2, -1, -1, 2, -1}, // a negative count leaves the offset alone
    };
    for (const Case& c : cases) {
        CellOffset got = rotateCell(c.x, c.y, c.turns);
        EXPECT_EQ(got.dx, c.wantX) << c.x << "," << c.y << " x" << c.turns;
        EXPECT_EQ(got.dy, c.wantY) << c.x << "," << c.y << " x" << c.turns;
    }
}

TEST(RotateCell, SquareTurnsAboutItsTopLeftCell) {
    const CellOffset want[] = {{0, 0}, {0, -1}, {1, -1}, {1, 0}};
    for (int i = 0; i < 4; ++i) {
        CellOffset got = rotateCell(pieceShapes[2][i].dx, pieceShapes[2][i].dy, 1);
        EXPECT_EQ(got.dx, want[i].dx) << "cell " << i;
        EXPECT_EQ(got.dy, want[i].dy) << "cell " << i;
    }
}

TEST(PieceCollides, WallsFloorBlocksAndTheSpaceAboveTheWell) {
    struct Case {
        const char* name;
        int32_t piece, column, row, turn;
        int32_t blockColumn, blockRow; // one locked block, or -1 for none
        int32_t want;
    };
    constexpr Case cases[] = {
        {"square at the left wall", 2, 0, 10, 0, -1, -1, 0},
        {"square through the left wall (column -1)", 2, -1, 10, 0, -1, -1, 1},
        {"square at the right wall", 2, 6, 10, 0, -1, -1, 0},
        {"square through the right wall (column 8)", 2, 7, 10, 0, -1, -1, 1},
        {"square on the floor", 2, 3, 22, 0, -1, -1, 0},
        {"square through the floor (row 24)", 2, 3, 23, 0, -1, -1, 1},
        {"square half above the well", 2, 3, -1, 0, -1, -1, 0},
        {"square above the well and outside its columns", 2, -5, -3, 0, -1, -1, 0},
        {"square half above the well on a block", 2, 3, -1, 0, 4, 0, 1},
        {"cell above the well past the right wall", 4, 7, 0, 0, -1, -1, 0},
        {"square beside a block", 2, 3, 10, 0, 5, 10, 0},
        {"square on a block", 2, 3, 10, 0, 4, 11, 1},
        {"turned square reaches the row above its pivot", 2, 3, 10, 1, 4, 9, 1},
        {"unturned square leaves the row above free", 2, 3, 10, 0, 4, 9, 0},
        {"bar at the start covers row 0", 6, 3, 2, 0, 3, 0, 1},
        {"bar at the start ends in row 3", 6, 3, 2, 0, 3, 4, 0},
        {"turned bar through the left wall", 6, 1, 10, 1, -1, -1, 1},
        {"turned bar at the left wall", 6, 2, 10, 1, -1, -1, 0},
        {"bar turned back through the right wall", 6, 6, 10, 3, -1, -1, 1},
        {"three-cell piece ignores the place of a fourth cell", 7, 3, 10, 0, 4, 11, 0},
    };
    for (const Case& c : cases) {
        Player player{};
        player.piece = c.piece;
        player.pieceColumn = c.column;
        player.pieceRow = c.row;
        player.pieceTurn = c.turn;
        if (c.blockColumn >= 0) {
            player.cells[c.blockColumn][c.blockRow] = 1;
        }
        EXPECT_EQ(pieceCollides(&player), c.want) << c.name;
    }
}

TEST(SpawnPiece, PreviewBecomesThePieceAtTheStartWithOneDraw) {
    const std::vector<int> draws = randSequence(41, 2);
    Player player{};
    std::memset(&player, 0x5a, sizeof player);
    player.nextPiece = 5;
    player.cells[3][2] = 4; // a spawn does not look at the board
    srand(41);
    spawnPiece(&player);

    EXPECT_EQ(player.piece, 5);
    EXPECT_EQ(player.nextPiece, draws[0] % 8);
    EXPECT_EQ(player.pieceColumn, 3);
    EXPECT_EQ(player.pieceRow, 2);
    EXPECT_EQ(player.pieceTurn, 0);
    EXPECT_EQ(player.slideOffset, 0);
    EXPECT_EQ(player.fallCounter, 2);
    EXPECT_EQ(player.slideSpeed, 0);
    EXPECT_EQ(player.fallStep, 1);
    EXPECT_EQ(player.turnSpeed, 0);
    EXPECT_EQ(player.turnAngle, 0);
    EXPECT_EQ(player.cells[3][2], 4);
    EXPECT_EQ(rand(), draws[1]) << "a spawn draws exactly once";
}

TEST(ResetPlayerState, StartsAnEmptyGameAndDrawsThePreview) {
    const std::vector<int> draws = randSequence(9, 2);
    Player player{};
    std::memset(&player, 0x5a, sizeof player);
    const int32_t junk = player.score;
    SDL_Surface* picture = player.characterBack;
    player.input.left = 1;
    srand(9);
    resetPlayerState(&player);

    EXPECT_EQ(bottomRows(player, 0), bottomRows(Player{}, 0));
    for (const Particle& debris : player.particles) {
        ASSERT_EQ(debris.value, 0);
        ASSERT_EQ(debris.x, junk) << "only the value frees a slot";
    }
    for (const Particle& popup : player.popups) {
        ASSERT_EQ(popup.value, 0);
    }
    for (const Particle& settle : player.rowSettle) {
        ASSERT_EQ(settle.y, 0);
        ASSERT_EQ(settle.vy, 0);
        ASSERT_EQ(settle.value, 0);
    }
    EXPECT_EQ(player.clearPhase, PhasePlay);
    EXPECT_EQ(player.lockPoints, 0);
    EXPECT_EQ(player.score, 0);
    EXPECT_EQ(player.chainValue, 1);
    EXPECT_EQ(player.chainTimer, 0);
    EXPECT_EQ(player.garbagePending, 0);
    EXPECT_EQ(player.nextPiece, draws[0] % 8);
    EXPECT_EQ(player.characterBack, picture) << "the game screen owns the picture";
    EXPECT_EQ(player.input.left, 1);
    EXPECT_EQ(rand(), draws[1]) << "a reset draws exactly once";
}

TEST(StartGame, FirstPieceIsTheFirstDrawAndThePreviewTheSecond) {
    const std::vector<int> draws = randSequence(77, 3);
    Player player;
    startGame(&player, 77);
    EXPECT_EQ(player.piece, draws[0] % 8);
    EXPECT_EQ(player.nextPiece, draws[1] % 8);
    EXPECT_EQ(rand(), draws[2]);
}

TEST(IsToppedOut, AnyBlockInTheTopThreeRows) {
    struct Case {
        int32_t column, row, value; // one locked cell, or column -1 for an empty well
        int32_t want;
    };
    constexpr Case cases[] = {
        {-1, 0, 0, 0},          // empty well
        {0, 0, 1, 1},           // top-left corner
        {7, 1, 8, 1},           // right column, second row
        {4, 2, GarbageCell, 1}, // garbage pushed into the last row of the zone
        {4, 3, 1, 0},           // first row below the zone
        {7, 23, 1, 0},          // bottom corner
    };
    for (const Case& c : cases) {
        Player player{};
        if (c.column >= 0) {
            player.cells[c.column][c.row] = c.value;
        }
        EXPECT_EQ(isToppedOut(&player), c.want) << c.column << "," << c.row;
    }
}

} // namespace
