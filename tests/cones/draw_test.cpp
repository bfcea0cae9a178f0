// draw_test.cpp: frames drawn from test sheets whose cells are one plain colour each, read back
// from the screen to see what was drawn where.
#include "fixture.h"

namespace {

struct Rgb {
    Uint8 r, g, b;
};

constexpr int32_t X = NoColour;
constexpr Rgb Black = {0, 0, 0};
constexpr Rgb Blue = {0, 0, 255};
constexpr Rgb Magenta = {255, 0, 255};

// The cone sheet's cells: x, width (height too), colour.
struct Cell {
    int x, size;
    Rgb colour;
    const char* name;
};

constexpr Cell emptyCell = {0, 32, {128, 128, 128}, "empty slot"};
constexpr Cell coneCells[] = {
    {32, 32, {255, 0, 0}, "cone 0"},      {64, 32, {0, 255, 0}, "cone 1"},
    {96, 32, {255, 255, 0}, "cone 2"},    {128, 32, {0, 255, 255}, "cone 3"},
    {160, 32, {255, 128, 0}, "cone 4"},   {192, 32, {128, 0, 255}, "cone 5"},
    {224, 32, {255, 255, 255}, "cone 6"}, {256, 32, {0, 128, 0}, "cone 7"},
    {288, 32, {128, 0, 0}, "cone 8"},
};
constexpr Cell markCells[] = {
    {324, 10, {64, 64, 64}, "no mark"},
    {334, 10, {255, 192, 192}, "colour mark"},
    {344, 10, {192, 255, 192}, "exact mark"},
};
constexpr Cell ringCell = {360, 32, {255, 128, 128}, "ring"}; // a 3-pixel rim, magenta inside
constexpr Cell markerCell = {392, 32, {128, 128, 255}, "random-row marker"};
constexpr int RingRim = 3;

// The gui sheet's pictures, by button index.
constexpr Rgb pictureColours[ButtonCount] = {
    {200, 100, 0}, {0, 100, 200}, {100, 200, 0},   {200, 0, 100},
    {100, 0, 200}, {0, 200, 100}, {200, 200, 100}, {100, 200, 200},
};

SDL_Surface* makeSheet(int w, int h) {
    SDL_Surface* sheet =
        SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 24, 0xFF0000, 0x00FF00, 0x0000FF, 0);
    SDL_FillRect(sheet, nullptr, SDL_MapRGB(sheet->format, Magenta.r, Magenta.g, Magenta.b));
    SDL_SetColorKey(sheet, SDL_SRCCOLORKEY, SDL_MapRGB(sheet->format, 255, 0, 255));
    return sheet;
}

void fillCell(SDL_Surface* sheet, SDL_Rect area, Rgb c) {
    SDL_FillRect(sheet, &area, SDL_MapRGB(sheet->format, c.r, c.g, c.b));
}

void fillCell(SDL_Surface* sheet, const Cell& cell) {
    fillCell(sheet, {Sint16(cell.x), 0, Uint16(cell.size), Uint16(cell.size)}, cell.colour);
}

class DrawTest : public GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        conesSheet = makeSheet(424, 32);
        fillCell(conesSheet, emptyCell);
        for (const Cell& cell : coneCells)
            fillCell(conesSheet, cell);
        for (const Cell& cell : markCells)
            fillCell(conesSheet, cell);
        fillCell(conesSheet, ringCell);
        fillCell(conesSheet,
                 {Sint16(ringCell.x + RingRim), RingRim, 32 - 2 * RingRim, 32 - 2 * RingRim},
                 Magenta);
        fillCell(conesSheet, markerCell);
        guiSheet = makeSheet(229, 124);
        for (int i = 0; i < ButtonCount; ++i)
            fillCell(guiSheet, game->buttons[i].source, pictureColours[i]);
    }
    void TearDown() override {
        SDL_FreeSurface(conesSheet);
        SDL_FreeSurface(guiSheet);
        conesSheet = guiSheet = nullptr;
        GameTest::TearDown();
    }

    void drawAt(int x, int y) {
        game->mouseX = x;
        game->mouseY = y;
        game->draw();
    }

    Rgb pixel(int x, int y) const {
        SDL_LockSurface(screen);
        const Uint8* row = static_cast<const Uint8*>(screen->pixels) + y * screen->pitch;
        Uint32 value = 0;
        switch (screen->format->BytesPerPixel) {
        case 2:
            value = reinterpret_cast<const Uint16*>(row)[x];
            break;
        case 4:
            value = reinterpret_cast<const Uint32*>(row)[x];
            break;
        }
        SDL_UnlockSurface(screen);
        Rgb c;
        SDL_GetRGB(value, screen->format, &c.r, &c.g, &c.b);
        return c;
    }

    // The screen's 16-bit pixels lose the low bits of each channel.
    ::testing::AssertionResult shows(int x, int y, Rgb want, const char* what) const {
        Rgb got = pixel(x, y);
        if (std::abs(got.r - want.r) <= 8 && std::abs(got.g - want.g) <= 8 &&
            std::abs(got.b - want.b) <= 8)
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure()
               << "(" << x << ", " << y << ") should show " << what << " (" << int(want.r) << ", "
               << int(want.g) << ", " << int(want.b) << ") but shows (" << int(got.r) << ", "
               << int(got.g) << ", " << int(got.b) << ")";
    }
    ::testing::AssertionResult shows(int x, int y, const Cell& cell) const {
        return shows(x, y, cell.colour, cell.name);
    }
    // A whole 32 x 32 cell drawn from (x, y): its four corners.
    ::testing::AssertionResult showsCell(int x, int y, const Cell& cell) const {
        for (int dy : {0, cell.size - 1}) {
            for (int dx : {0, cell.size - 1}) {
                ::testing::AssertionResult result = shows(x + dx, y + dy, cell);
                if (!result)
                    return result;
            }
        }
        return ::testing::AssertionSuccess();
    }
    // A ring from (x, y) shows its rim, and what lies below through its middle.
    ::testing::AssertionResult showsRing(int x, int y, const Cell& below) const {
        ::testing::AssertionResult rim = shows(x, y, ringCell);
        if (!rim)
            return rim;
        return shows(x + 16, y + 16, below);
    }
    ::testing::AssertionResult showsPicture(int button, int dx, int dy) const {
        const Button& b = game->buttons[button];
        return shows(b.target.x + dx, b.target.y + dy, pictureColours[button], "a picture");
    }
};

Cell cone(int c) {
    return coneCells[c];
}

} // namespace

TEST_F(DrawTest, TheFirstFrameShowsAnEmptyBoardThePaletteAndTheButtons) {
    game->draw();
    for (int r = 0; r < RowCount; ++r) {
        for (int s = 0; s < SlotCount; ++s)
            EXPECT_TRUE(showsCell(320 + 45 * s, 550 - 60 * r, emptyCell)) << "row " << r;
        for (int k = 0; k < 4; ++k) {
            int x = 250 + 10 * (k % 2), y = 555 - 60 * r + (k >= 2 ? 15 : 0);
            EXPECT_TRUE(shows(x, y, markCells[MarkNone])) << "row " << r << " mark " << k;
            EXPECT_TRUE(shows(x + 9, y + 9, markCells[MarkNone])) << "row " << r;
        }
    }
    for (int c = 0; c < ColourCount; ++c)
        EXPECT_TRUE(showsCell(100, 45 + 60 * c, cone(c)));
    EXPECT_TRUE(showsCell(520, 550, markerCell));
    EXPECT_TRUE(showsPicture(CheckButton, 0, 0));
    EXPECT_TRUE(showsPicture(CheckButton, 52, 21));
    EXPECT_TRUE(showsPicture(NewGameButton, 124, 19));
    EXPECT_TRUE(showsPicture(QuitButton, 49, 21));
    EXPECT_TRUE(shows(645, 535, Black, "no frame"));
    EXPECT_TRUE(shows(0, 0, Black, "background"));
    EXPECT_TRUE(shows(360, 210, Black, "no end panel"));
    EXPECT_TRUE(shows(600, 290, Black, "no secret"));
}

TEST_F(DrawTest, TheBoardShowsEachSlotsCone) {
    setRow(0, {0, 1, 2, 3});
    setRow(5, {4, 5, X, 6});
    setRow(9, {7, 8, 0, X});
    game->currentRow = 6;
    game->draw();
    const int32_t expected[3][5] = {{0, 0, 1, 2, 3}, {5, 4, 5, X, 6}, {9, 7, 8, 0, X}};
    for (const auto& row : expected) {
        for (int s = 0; s < 4; ++s) {
            Cell want = row[s + 1] == X ? emptyCell : cone(row[s + 1]);
            EXPECT_TRUE(showsCell(320 + 45 * s, 550 - 60 * row[0], want)) << "row " << row[0];
        }
    }
}

TEST_F(DrawTest, OnlyCheckedRowsShowTheirMarks) {
    const int32_t marks[3][4] = {{MarkColour, MarkExact, MarkNone, MarkNone},
                                 {MarkExact, MarkExact, MarkExact, MarkColour},
                                 {MarkExact, MarkColour, MarkColour, MarkExact}};
    for (int r = 0; r < 3; ++r) {
        setRow(r, {1, 2, 3, 4});
        std::copy(marks[r], marks[r] + 4, game->rows[r].marks);
    }
    game->currentRow = 2;
    game->draw();
    for (int r = 0; r < 3; ++r) {
        for (int k = 0; k < 4; ++k) {
            int32_t m = r < 2 ? marks[r][k] : MarkNone;
            int x = 250 + 10 * (k % 2), y = 555 - 60 * r + (k >= 2 ? 15 : 0);
            EXPECT_TRUE(shows(x + 5, y + 5, markCells[m])) << "row " << r << " mark " << k;
        }
    }
}

namespace {

struct RingCase {
    int currentRow;
    int mouseX, mouseY;
    int ringX, ringY; // -1: no ring
    const char* name;
};

// Palette bands: 100 < x <= 134, 45 < y <= 584. Row bands: 320 < x <= 486 and
// 550 - 60r < y < 582 - 60r, the ring one pixel left of the slot.
constexpr RingCase ringCases[] = {
    {0, 110, 100, 100, 45, "palette cone 0"},
    {0, 110, 106, 100, 105, "palette cone 1"},
    {0, 100, 100, -1, -1, "left of the palette"},
    {0, 134, 46, 100, 45, "palette corner"},
    {0, 135, 100, -1, -1, "right of the palette"},
    {0, 110, 45, -1, -1, "above the palette"},
    {0, 110, 584, 100, 525, "below the last cone"},
    {0, 110, 585, -1, -1, "below the palette"},
    {0, 400, 560, 364, 550, "slot 1 of row 0"},
    {0, 400, 582, -1, -1, "below row 0"},
    {0, 400, 581, 364, 550, "bottom of row 0"},
    {0, 400, 550, -1, -1, "top of row 0"},
    {0, 321, 551, 319, 550, "slot 0 of row 0"},
    {0, 320, 560, -1, -1, "left of row 0"},
    {0, 486, 560, 454, 550, "right of slot 3"},
    {0, 487, 560, -1, -1, "past slot 3"},
    {4, 450, 320, 409, 310, "slot 2 of row 4"},
    {4, 400, 560, -1, -1, "a row that is not current"},
};

} // namespace

TEST_F(DrawTest, AHighlightRingFollowsThePointerOverPaletteAndRow) {
    for (const RingCase& c : ringCases) {
        game->currentRow = c.currentRow;
        drawAt(c.mouseX, c.mouseY);
        for (int col = 0; col < ColourCount; ++col) {
            int y = 45 + 60 * col;
            if (c.ringX == 100 && c.ringY == y)
                EXPECT_TRUE(showsRing(100, y, cone(col))) << c.name;
            else
                EXPECT_TRUE(showsCell(100, y, cone(col))) << c.name << ", cone " << col;
        }
        for (int s = 0; s < 4; ++s) {
            int x = 320 + 45 * s, y = 550 - 60 * c.currentRow;
            if (c.ringX == x - 1 && c.ringY == y) {
                EXPECT_TRUE(showsRing(x - 1, y, emptyCell)) << c.name;
                EXPECT_TRUE(shows(x + 31, y, emptyCell)) << c.name << ": the slot's last column";
            } else {
                EXPECT_TRUE(showsCell(x, y, emptyCell)) << c.name << ", slot " << s;
                EXPECT_TRUE(shows(x - 1, y, Black, "the gap")) << c.name << ", slot " << s;
            }
        }
    }
}

namespace {

struct MarkerCase {
    int currentRow;
    int mouseX, mouseY;
    bool ring;
};

// The marker at (520, 550 - 60r) takes a ring for 520 <= x <= 552, y0 <= y <= y0 + 32.
constexpr MarkerCase markerCases[] = {
    {3, 552, 402, true},  {3, 553, 402, false}, {3, 520, 370, true}, {3, 519, 370, false},
    {3, 530, 369, false}, {3, 530, 403, false}, {0, 530, 560, true}, {9, 530, 42, true},
};

} // namespace

TEST_F(DrawTest, TheRandomRowMarkerSitsBesideTheCurrentRow) {
    for (const MarkerCase& c : markerCases) {
        game->currentRow = c.currentRow;
        drawAt(c.mouseX, c.mouseY);
        int y = 550 - 60 * c.currentRow;
        if (c.ring)
            EXPECT_TRUE(showsRing(520, y, markerCell)) << c.mouseX << ", " << c.mouseY;
        else
            EXPECT_TRUE(showsCell(520, y, markerCell)) << c.mouseX << ", " << c.mouseY;
    }
    game->currentRow = 10;
    drawAt(530, 5);
    for (int y = 0; y < 10; ++y)
        EXPECT_TRUE(shows(530, y, Black, "nothing: the marker is above the screen"));
}

namespace {

struct FrameCase {
    int mouseX, mouseY;
    int button; // framed, or -1
};

constexpr FrameCase frameCases[] = {
    {700, 545, CheckButton},  {780, 565, CheckButton}, {645, 535, CheckButton},
    {781, 565, -1},           {700, 566, -1},          {700, 15, NewGameButton},
    {780, 45, NewGameButton}, {700, 85, QuitButton},   {700, 50, -1},
};

} // namespace

TEST_F(DrawTest, AHoveredButtonGetsABlueFrameWithABlackInside) {
    for (const FrameCase& c : frameCases) {
        drawAt(c.mouseX, c.mouseY);
        for (int i : {CheckButton, NewGameButton, QuitButton}) {
            const SDL_Rect& area = game->buttons[i].hitArea;
            int right = area.x + area.w - 1, bottom = area.y + area.h - 1;
            if (i == c.button) {
                int midX = area.x + area.w / 2, midY = area.y + area.h / 2;
                for (auto [x, y] : {std::pair{area.x, area.y},
                                    {right, bottom},
                                    {area.x, midY},
                                    {right, midY},
                                    {midX, area.y},
                                    {midX, bottom}})
                    EXPECT_TRUE(shows(x, y, Blue, "frame")) << c.mouseX << ", " << c.mouseY;
                EXPECT_TRUE(shows(right + 1, bottom, Black, "outside")) << c.mouseX;
                EXPECT_TRUE(shows(area.x + 1, area.y + 1, Black, "inside")) << c.mouseX;
                EXPECT_TRUE(shows(right - 1, bottom - 1, Black, "inside")) << c.mouseX;
            } else {
                EXPECT_TRUE(shows(area.x, area.y, Black, "no frame")) << c.mouseX << " " << i;
                EXPECT_TRUE(shows(right, bottom, Black, "no frame")) << c.mouseX << " " << i;
            }
            EXPECT_TRUE(showsPicture(i, 1, 1)) << "the picture is drawn over the frame";
        }
    }
}

TEST_F(DrawTest, TheHeldConeSitsAtThePointerOverEverything) {
    game->heldColour = 2;
    drawAt(690, 545);
    EXPECT_TRUE(showsCell(690, 545, cone(2))) << "over the hovered CheckButton";
    EXPECT_TRUE(shows(645, 535, Blue, "frame"));
    drawAt(110, 50);
    EXPECT_TRUE(showsCell(110, 50, cone(2))) << "over the palette and its ring";
    drawAt(700, 590);
    for (int x : {700, 731})
        EXPECT_TRUE(shows(x, 599, cone(2))) << "cut at the bottom edge";
    drawAt(790, 300);
    EXPECT_TRUE(shows(799, 331, cone(2))) << "cut at the right edge";
    game->heldColour = NoColour;
    drawAt(700, 400);
    EXPECT_TRUE(shows(700, 400, Black, "nothing held"));
}

TEST_F(DrawTest, TheEndPanelShowsTheOutcomeAndALossRevealsTheSecret) {
    setSecret({3, 8, 0, 5});
    setRow(4, {1, 2, 4, 6});
    for (int32_t outcome : {Won, Lost}) {
        game->outcome = outcome;
        game->currentRow = 5;
        drawAt(0, 0);
        int banner = outcome == Won ? WonBanner : LostBanner;
        EXPECT_TRUE(showsPicture(banner, 0, 0));
        EXPECT_TRUE(showsPicture(banner, 10, 10)) << "over the board";
        EXPECT_TRUE(showsPicture(EndPrompt, 0, 0));
        EXPECT_TRUE(showsPicture(EndPrompt, 214, 25)) << "the full height of its source";
        EXPECT_TRUE(showsPicture(AgainButton, 45, 22));
        EXPECT_TRUE(showsPicture(LeaveButton, 32, 22));
        EXPECT_TRUE(showsCell(365, 310, cone(2))) << "the board stays";
        for (int k = 0; k < 4; ++k) {
            int x = 600 + 45 * k;
            if (outcome == Lost)
                EXPECT_TRUE(showsCell(x, 290, cone(game->secret[k]))) << "secret " << k;
            else
                EXPECT_TRUE(shows(x + 16, 306, Black, "no secret after a win"));
        }
    }
}

TEST_F(DrawTest, TheEndButtonsGetFramesThatCoverTheBoard) {
    setRow(4, {1, 2, 4, 6});
    game->outcome = Lost;
    game->currentRow = 10;
    drawAt(355, 328);
    EXPECT_TRUE(shows(300, 295, Blue, "AgainButton frame"));
    EXPECT_TRUE(shows(354, 327, Blue, "AgainButton frame"));
    EXPECT_TRUE(shows(340, 325, Black, "the frame's inside over the board"));
    EXPECT_TRUE(showsPicture(AgainButton, 0, 0));
    drawAt(465, 295);
    EXPECT_TRUE(shows(465, 295, Blue, "LeaveButton frame"));
    EXPECT_TRUE(shows(300, 295, Black, "AgainButton unframed"));
    EXPECT_TRUE(shows(340, 325, cone(1)));
    drawAt(700, 60);
    EXPECT_TRUE(shows(645, 55, Blue, "QuitButton is framed after the round too"));
}

TEST_F(DrawTest, AfterAWinTheMarkerAndRingsMoveOn) {
    setSecret({0, 1, 2, 3});
    game->currentRow = 4;
    setRow(4, {0, 1, 2, 3});
    game->checkRow();
    ASSERT_EQ(game->outcome, Won);
    drawAt(530, 260);
    EXPECT_TRUE(showsRing(520, 250, markerCell));
    for (int k = 0; k < 4; ++k)
        EXPECT_TRUE(shows(250 + 10 * (k % 2) + 5, 320 + (k >= 2 ? 15 : 0), markCells[MarkExact]));
    drawAt(330, 260);
    EXPECT_TRUE(shows(319, 281, ringCell)) << "the ring's foot below EndPrompt";
    drawAt(330, 240);
    EXPECT_TRUE(shows(319, 281, Black, "no ring"));
    drawAt(110, 400);
    EXPECT_TRUE(showsRing(100, 345, cone(5)));
}
