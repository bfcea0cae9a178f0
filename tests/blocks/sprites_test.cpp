// sprites_test.cpp: numbers, the side display and picture loading, read back from the screen.
#include <cstdio>
#include <cstring>
#include <initializer_list>

#include "screen_fixture.h"

namespace {

class SpritesTest : public ScreenTest {
  protected:
    void SetUp() override {
        ScreenTest::SetUp();
        digitSheet = makeDigitSheet();
        blockSheet = makeBlockSheet();
        player = Player{};
    }
    void TearDown() override {
        SDL_FreeSurface(digitSheet);
        SDL_FreeSurface(blockSheet);
        digitSheet = blockSheet = nullptr;
    }
    Player player;
};

struct DigitAt {
    int x, digit;
};
struct NumberCase {
    int32_t value, pad, x, y;
    std::initializer_list<DigitAt> digits; // where each digit should stand, on row y
};

TEST_F(SpritesTest, NumbersStandRightAlignedOnTheirPadSlot) {
    const NumberCase cases[] = {
        {0, 0, 300, 100, {{300, 0}}},                                  // zero is one digit
        {1234, 0, 300, 100, {{300, 4}, {290, 3}, {280, 2}, {270, 1}}}, // grows leftwards
        {7, 3, 100, 50, {{130, 7}, {120, 0}, {110, 0}, {100, 0}}},     // leading zeros to x
        {2147483647,
         0,
         400,
         300,
         {{400, 7},
          {390, 4},
          {380, 6},
          {370, 3},
          {360, 8},
          {350, 4},
          {340, 7},
          {330, 4},
          {320, 1},
          {310, 2}}},
    };
    for (const NumberCase& c : cases) {
        SCOPED_TRACE(c.value);
        fillRect(screen, 0, 0, 640, 480, Backdrop);
        drawNumber(c.value, c.pad, c.x, c.y);
        Picture expected;
        for (DigitAt d : c.digits)
            expected.digit(d.x, c.y, d.digit);
        EXPECT_TRUE(screenShows(expected));
    }
}

TEST_F(SpritesTest, SixteenDigitNumbersKeepTheirLeadingZeros) {
    const int32_t values[] = {0, 1234567890};
    for (int32_t value : values) {
        SCOPED_TRACE(value);
        fillRect(screen, 0, 0, 640, 480, Backdrop);
        drawNumber(value, 16, 100, 200);
        Picture expected;
        int32_t rest = value;
        for (int k = 0; k < 16; ++k, rest /= 10) // units at x + 160, highest at x + 10
            expected.digit(100 + 10 * (16 - k), 200, rest % 10);
        EXPECT_TRUE(screenShows(expected));
    }
}

TEST_F(SpritesTest, PreviewShowsTheNextPieceUnturnedInOneColour) {
    struct PreviewCase {
        int32_t piece;
        std::initializer_list<std::pair<int, int>> cells;
    };
    const PreviewCase cases[] = {
        {3, {{450, 80}, {470, 80}, {430, 80}, {450, 60}}},
        {6, {{450, 80}, {450, 40}, {450, 60}, {450, 100}}},
        {7, {{450, 80}, {470, 80}, {450, 100}}}, // three cells only
    };
    for (const PreviewCase& c : cases) {
        SCOPED_TRACE(c.piece);
        fillRect(screen, 0, 0, 640, 480, Backdrop);
        player.nextPiece = c.piece;
        player.piece = 0;
        drawNextPiece(&player, 450, 80);
        Picture expected;
        for (auto cell : c.cells)
            expected.block(cell.first, cell.second, PreviewSprite);
        EXPECT_TRUE(screenShows(expected));
    }
}

TEST_F(SpritesTest, GarbageStackGrowsUpOneBlockPerPendingRow) {
    for (int32_t pending : {0, 1, 3}) {
        SCOPED_TRACE(pending);
        fillRect(screen, 0, 0, 640, 480, Backdrop);
        player.garbagePending = pending;
        drawStack(&player, 405, 422);
        Picture expected;
        for (int i = 0; i < pending; ++i)
            expected.block(405, 422 - 20 * i, GarbageCell);
        EXPECT_TRUE(screenShows(expected));
    }
}

TEST_F(SpritesTest, GaugeRisesTwoPixelsPerChainTick) {
    for (int32_t ticks : {0, 1, 180}) {
        SCOPED_TRACE(ticks);
        fillRect(screen, 0, 0, 640, 480, Backdrop);
        player.chainTimer = ticks;
        drawGauge(&player, 402, 440);
        Picture expected;
        expected.fill(402, 440 - 2 * ticks, 2, 2 * ticks, GaugeColour);
        EXPECT_TRUE(screenShows(expected));
    }
}

TEST_F(SpritesTest, DebrisIsLiftedFortyPixelsAndPlacedInWholePixels) {
    player.particles[0] = {-15, 2005, 0, 0, 3}; // -1.5 px truncates to -1
    player.particles[5] = {1400, 3000, 0, 0, GarbageCell};
    player.particles[6] = {400, 400, 0, 0, 0}; // a free slot shows nothing
    player.particles[255] = {0, 0, 5, 5, 8};   // at the origin, drawn 40 pixels up
    drawParticles(&player, 240, 40);
    Picture expected;
    expected.block(239, 200, 3);
    expected.block(380, 300, GarbageCell);
    expected.block(240, 0, 8);
    EXPECT_TRUE(screenShows(expected));
}

TEST_F(SpritesTest, PopupsStandBesideTheirRowWithUnitsAtX) {
    player.popups[0] = {5, 2000, 0, 0, 12};
    player.popups[3] = {5, 4000, 0, 0, 0}; // free
    player.popups[7] = {5, 3005, 0, 0, 64};
    drawPopups(&player, 410, 40);
    Picture expected;
    expected.digit(410, 160, 2);
    expected.digit(400, 160, 1);
    expected.digit(410, 260, 4);
    expected.digit(400, 260, 6);
    EXPECT_TRUE(screenShows(expected));
}

TEST_F(SpritesTest, MissingSurfacesDrawNothing) {
    drawSprite(nullptr, 0, 0, 20, 20, screen, 0, 0);
    drawSprite(blockSheet, 0, 0, 20, 20, nullptr, 0, 0);
    SDL_FreeSurface(blockSheet);
    blockSheet = nullptr;
    player.garbagePending = 2;
    player.nextPiece = 2;
    drawStack(&player, 405, 422);
    drawNextPiece(&player, 450, 80);
    EXPECT_TRUE(screenShows(Picture{}));
}

// Loading runs in a scratch folder holding one small picture.
class LoadImageTest : public ScreenTest {
  protected:
    void SetUp() override {
        ScreenTest::SetUp();
        SDL_Surface* picture = makeSurface(30, 20, 24, KeyGreen);
        fillRect(picture, 10, 0, 20, 20, blockColours[4]);
        ASSERT_EQ(SDL_SaveBMP(picture, "sprites_test_picture.bmp"), 0);
        SDL_FreeSurface(picture);
    }
    void TearDown() override { std::remove("sprites_test_picture.bmp"); }
};

TEST_F(LoadImageTest, KeysOutGreenInTheDisplayFormat) {
    int32_t before = liveImageCount();
    SDL_Surface* image = loadImage("sprites_test_picture.bmp");
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(liveImageCount(), before + 1);
    EXPECT_EQ(image->format->BitsPerPixel, screen->format->BitsPerPixel);
    EXPECT_TRUE(image->flags & SDL_SRCCOLORKEY);
    drawSprite(image, 0, 0, 30, 20, screen, 100, 100);
    Picture expected;
    expected.block(110, 100, 4);
    EXPECT_TRUE(screenShows(expected));
    freeImage(&image);
    EXPECT_EQ(image, nullptr);
    EXPECT_EQ(liveImageCount(), before);
    freeImage(&image); // a second free of the nulled pointer is harmless
    EXPECT_EQ(liveImageCount(), before);
}

TEST_F(LoadImageTest, MissingFileIsNamedInShiftJis) {
    int32_t before = liveImageCount();
    testing::internal::CaptureStdout();
    SDL_Surface* image = loadImage("no/such/picture.bmp");
    std::fflush(stdout);
    std::string said = testing::internal::GetCapturedStdout();
    EXPECT_EQ(image, nullptr);
    EXPECT_EQ(liveImageCount(), before);
    EXPECT_EQ(said,
              "\x89\xe6\x91\x9c\x83\x74\x83\x40\x83\x43\x83\x8b\x82\xaa\x93\xc7\x82\xdf\x82\xdc"
              "\x82\xb9\x82\xf1\x82\xc5\x82\xb5\x82\xbd:no/such/picture.bmp\n");
}

} // namespace
