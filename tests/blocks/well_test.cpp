// well_test.cpp: where the well puts its background, the piece in motion and the locked blocks.
#include <initializer_list>
#include <utility>

#include "screen_fixture.h"
#include "well.h"

namespace {

using Spot = std::pair<int, int>;

class WellTest : public ScreenTest {
  protected:
    void SetUp() override {
        ScreenTest::SetUp();
        blockSheet = makeBlockSheet();
        // Larger than the 180 x 450 the well uses: the stripe beyond must not show.
        player = Player{};
        player.characterBack = makeSurface(190, 460, 32, SheetRest);
        fillRect(player.characterBack, 0, 0, 180, 450, WellBackColour);
    }
    void TearDown() override {
        SDL_FreeSurface(blockSheet);
        SDL_FreeSurface(player.characterBack);
        blockSheet = nullptr;
    }
    // The background as drawBoard lays it under a well whose origin is (240, 40).
    static Picture background() {
        Picture picture;
        picture.fill(235, 25, 180, 450, WellBackColour);
        return picture;
    }
    void place(int32_t piece, int32_t turn, int32_t angle, int32_t column, int32_t row,
               int32_t fall, int32_t slide) {
        player.piece = piece;
        player.pieceTurn = turn;
        player.turnAngle = angle;
        player.pieceColumn = column;
        player.pieceRow = row;
        player.fallCounter = fall;
        player.slideOffset = slide;
    }
    Player player;
};

// The falling piece: its fields, then where each cell (list order) and the pivot marker land.
struct PieceCase {
    const char* name;
    int32_t piece, turn, angle, column, row, fall, slide;
    std::initializer_list<Spot> cells;
    Spot pivot;
};

TEST_F(WellTest, FallingPieceCellsAndPivotMarker) {
    const PieceCase cases[] = {
        {"at rest, one row up and half a cell down",
         3,
         0,
         0,
         3,
         5,
         100,
         0,
         {{300, 50}, {320, 50}, {280, 50}, {300, 30}},
         {300, 50}},
        {"one tick into a counter-clockwise turn",
         0,
         1,
         -84,
         3,
         5,
         100,
         0,
         {{300, 50}, {319, 47}, {321, 67}, {297, 30}},
         {300, 50}},
        {"that turn finished",
         0,
         1,
         0,
         3,
         5,
         100,
         0,
         {{300, 50}, {300, 30}, {320, 30}, {280, 50}},
         {300, 50}},
        {"first tick of a slide to the right",
         2,
         0,
         0,
         4,
         10,
         0,
         -169,
         {{304, 140}, {324, 140}, {324, 160}, {304, 160}},
         {304, 140}},
        {"last tick of a slide, the offset truncated toward zero",
         7,
         0,
         0,
         2,
         10,
         19,
         -14,
         {{279, 141}, {299, 141}, {279, 161}},
         {279, 141}},
    };
    for (const PieceCase& c : cases) {
        SCOPED_TRACE(c.name);
        fillRect(screen, 0, 0, 640, 480, Backdrop);
        place(c.piece, c.turn, c.angle, c.column, c.row, c.fall, c.slide);
        drawBoard(&player, 240, 40);
        Picture expected = background();
        for (Spot cell : c.cells)
            expected.block(cell.first, cell.second, c.piece + 1);
        expected.block(c.pivot.first, c.pivot.second, PivotSprite);
        EXPECT_TRUE(screenShows(expected));
    }
}

TEST_F(WellTest, LockedBlocksSitOnTheGridAndCoverThePiece) {
    place(3, 0, 0, 3, 5, 100, 0); // cells at y 50 overlap the blocks of row 5 (y 60)
    player.cells[0][5] = 1;
    player.cells[3][5] = GarbageCell;
    player.cells[0][2] = 8; // the top visible row
    player.cells[7][23] = 4;
    player.cells[5][0] = 2; // rows 0 and 1 lie above the screen
    player.cells[6][1] = 2;
    drawBoard(&player, 240, 40);
    Picture expected = background();
    for (Spot cell : {Spot{300, 50}, Spot{320, 50}, Spot{280, 50}, Spot{300, 30}})
        expected.block(cell.first, cell.second, 4);
    expected.block(300, 50, PivotSprite);
    expected.block(240, 60, 1);
    expected.block(300, 60, GarbageCell);
    expected.block(240, 0, 8);
    expected.block(380, 420, 4);
    expected.block(340, -40, 2);
    expected.block(360, -20, 2);
    EXPECT_TRUE(screenShows(expected));
}

TEST_F(WellTest, SettlingRowsAreDrawnAboveTheirPlace) {
    place(6, 0, 0, 3, 2, 0, 0);
    player.cells[1][20] = 5;
    player.rowSettle[20] = {0, -400, 28, 0, 1}; // lifted two rows: 40 pixels up
    player.cells[2][21] = 6;
    player.rowSettle[21] = {0, -15, 0, 0, 1}; // -1.5 pixels truncate to -1
    player.cells[3][22] = 7;                  // at rest
    drawBoard(&player, 240, 40);
    Picture expected = background();
    for (Spot cell : {Spot{300, -20}, Spot{300, -60}, Spot{300, -40}, Spot{300, 0}})
        expected.block(cell.first, cell.second, 7);
    expected.block(300, -20, PivotSprite);
    expected.block(260, 320, 5);
    expected.block(280, 379, 6);
    expected.block(300, 400, 7);
    EXPECT_TRUE(screenShows(expected));
}

TEST_F(WellTest, MissingPicturesDrawNothing) {
    SDL_FreeSurface(player.characterBack);
    player.characterBack = nullptr;
    SDL_FreeSurface(blockSheet);
    blockSheet = nullptr;
    place(3, 0, 0, 3, 5, 100, 0);
    player.cells[0][10] = 1;
    drawBoard(&player, 240, 40);
    EXPECT_TRUE(screenShows(Picture{}));
}

} // namespace
