// small_sheet_test.cpp: sheets smaller than the cells the game cuts from them: a frame draws the
// part of each cell that the sheet holds and nothing of the rest.
#include "fixture.h"

#include <cstdlib>

namespace {

struct Colour {
    int r, g, b;
};

constexpr Colour Black = {0, 0, 0};
constexpr Colour EmptySlotColour = {200, 200, 200}; // cells of the cone sheet, left to right
constexpr Colour FirstConeColour = {200, 40, 40};
constexpr Colour HalfConeColour = {40, 40, 200};
constexpr Colour GuiColour = {40, 200, 40};

SDL_Surface* plainSheet(int w, int h, Colour c) {
    SDL_Surface* sheet =
        SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 24, 0xFF0000, 0x00FF00, 0x0000FF, 0);
    SDL_FillRect(sheet, nullptr, SDL_MapRGB(sheet->format, Uint8(c.r), Uint8(c.g), Uint8(c.b)));
    return sheet;
}

void paint(SDL_Surface* sheet, int x, int w, Colour c) {
    SDL_Rect area = {Sint16(x), 0, Uint16(w), Uint16(sheet->h)};
    SDL_FillRect(sheet, &area, SDL_MapRGB(sheet->format, Uint8(c.r), Uint8(c.g), Uint8(c.b)));
}

// The screen's pixel, read through its own format (the runtimes round 16-bit colours apart).
testing::AssertionResult shows(int x, int y, Colour want) {
    SDL_LockSurface(screen);
    Uint16 value = static_cast<Uint16*>(screen->pixels)[y * screen->pitch / 2 + x];
    SDL_UnlockSurface(screen);
    Uint8 r, g, b;
    SDL_GetRGB(value, screen->format, &r, &g, &b);
    if (std::abs(r - want.r) <= 8 && std::abs(g - want.g) <= 8 && std::abs(b - want.b) <= 8)
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << "(" << x << ", " << y << ") is (" << int(r) << ", "
                                       << int(g) << ", " << int(b) << ")";
}

// A cone sheet that ends halfway through the second cone, and a gui sheet of one pixel.
class SmallSheetTest : public GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        conesSheet = plainSheet(80, 32, EmptySlotColour);
        paint(conesSheet, 32, 32, FirstConeColour);
        paint(conesSheet, 64, 16, HalfConeColour);
        guiSheet = plainSheet(1, 1, GuiColour);
    }
    void TearDown() override {
        SDL_FreeSurface(conesSheet);
        SDL_FreeSurface(guiSheet);
        conesSheet = guiSheet = nullptr;
        GameTest::TearDown();
    }
};

// Columns: x, y on the screen, the colour it shows; trailing: what the frame draws there.
constexpr struct {
    int x, y;
    Colour colour;
} smallSheetPixels[] = {
    {330, 560, EmptySlotColour}, // an empty slot of the first row: the sheet's first cell
    {110, 55, FirstConeColour},  // palette cone 0, whole
    {110, 115, HalfConeColour},  // palette cone 1, its left half
    {125, 115, Black},           // palette cone 1, its right half: past the sheet's edge
    {110, 175, Black},           // palette cone 2: wholly past the edge
    {255, 560, Black},           // the marks of the first row, past the edge
    {530, 560, Black},           // the random-row marker, past the edge
    {687, 540, GuiColour},       // the Check button: the one pixel the gui sheet has
    {688, 540, Black},           // and nothing beside it
    {690, 545, Black},           // or below
};

TEST_F(SmallSheetTest, AFrameDrawsWhatTheSheetsHoldAndNothingBeyond) {
    game->draw();
    for (const auto& p : smallSheetPixels)
        EXPECT_TRUE(shows(p.x, p.y, p.colour));
}

// A hovered button, a held cone and an ended round cut more cells from the small sheets.
TEST_F(SmallSheetTest, EveryPartOfTheFrameDrawsFromASheetOfOnePixel) {
    SDL_FreeSurface(conesSheet);
    conesSheet = plainSheet(1, 1, FirstConeColour);
    game->heldColour = 8;
    game->mouseX = 700;
    game->mouseY = 550;
    game->draw();
    EXPECT_TRUE(shows(700, 550, Black)) << "cone 8 lies past the sheet's only pixel";
    EXPECT_TRUE(shows(320, 550, FirstConeColour)) << "the empty slot's first pixel";
    EXPECT_TRUE(shows(321, 550, Black));
    game->outcome = Lost;
    game->heldColour = NoColour;
    game->draw();
    EXPECT_TRUE(shows(350, 200, Black)) << "the lost banner lies past the sheet";
    EXPECT_TRUE(shows(305, 300, Black)) << "and so does the Again button";
    EXPECT_TRUE(shows(600, 290, Black)) << "and the secret's cones";
    EXPECT_TRUE(shows(687, 540, GuiColour)) << "the Check button still has its pixel";
}

} // namespace
