// art_test.cpp: the generated pictures of both games load through SDL, have the sizes the games
// cut from them, and use their transparent colour exactly where the games need it.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

struct Rgb {
    int r, g, b;
    bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
    bool operator!=(const Rgb& o) const { return !(*this == o); }
};

constexpr Rgb Magenta{255, 0, 255};
constexpr Rgb Green{0, 255, 0};

int distance(Rgb a, Rgb b) {
    return std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b);
}

// A loaded picture, freed at the end of the test.
struct Picture {
    explicit Picture(const std::string& path) : surface(SDL_LoadBMP(path.c_str())) {}
    ~Picture() { SDL_FreeSurface(surface); }
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;

    Rgb at(int x, int y) const {
        const Uint8* p = static_cast<const Uint8*>(surface->pixels) + y * surface->pitch +
                         x * surface->format->BytesPerPixel;
        Uint32 value = 0;
        for (int i = surface->format->BytesPerPixel - 1; i >= 0; --i) // little-endian
            value = (value << 8) | p[i];
        Uint8 r, g, b;
        SDL_GetRGB(value, surface->format, &r, &g, &b);
        return Rgb{r, g, b};
    }
    // Counts the pixels of a rectangle that are (or are not) the key colour.
    int countKey(int x, int y, int w, int h, Rgb key, bool isKey = true) const {
        int n = 0;
        for (int j = y; j < y + h; ++j)
            for (int i = x; i < x + w; ++i)
                n += (at(i, j) == key) == isKey;
        return n;
    }
    // The mean colour of the pixels of a rectangle that are not the key colour.
    Rgb meanVisible(int x, int y, int w, int h, Rgb key) const {
        long r = 0, g = 0, b = 0, n = 0;
        for (int j = y; j < y + h; ++j)
            for (int i = x; i < x + w; ++i) {
                Rgb c = at(i, j);
                if (c == key)
                    continue;
                r += c.r, g += c.g, b += c.b, ++n;
            }
        return n ? Rgb{int(r / n), int(g / n), int(b / n)} : key;
    }

    SDL_Surface* surface;
};

const std::string conesDir = CONES_GFX_DIR;
const std::string blocksDir = BLOCKS_DIR;

// file                        width height  exact size (else at least)
struct SizeCase {
    std::string path;
    int w, h;
    bool exact;
};

TEST(Art, EveryPictureLoadsWithTheSizeTheGameCutsFrom) {
    const SizeCase cases[] = {
        {conesDir + "/cones.bmp", 424, 32, false},         // cones, holes, marks
        {conesDir + "/gui.bmp", 229, 124, false},          // the eight button pictures
        {blocksDir + "/num.bmp", 162, 360, false},         // digits and the gauge strip
        {blocksDir + "/block.bmp", 220, 20, false},        // eleven cells
        {blocksDir + "/char.bmp", 190, 50, false},         // the cursor
        {blocksDir + "/char/1/back.bmp", 180, 450, false}, // the well's background
        {blocksDir + "/backtitle.bmp", 640, 480, true},    // full-screen pictures
        {blocksDir + "/back1p.bmp", 640, 480, true},
        {blocksDir + "/resault.bmp", 640, 480, true},
    };
    for (const SizeCase& c : cases) {
        SCOPED_TRACE(c.path);
        Picture p(c.path);
        ASSERT_NE(p.surface, nullptr) << SDL_GetError();
        if (c.exact) {
            EXPECT_EQ(p.surface->w, c.w);
            EXPECT_EQ(p.surface->h, c.h);
        } else {
            EXPECT_GE(p.surface->w, c.w);
            EXPECT_GE(p.surface->h, c.h);
        }
    }
}

// Soft edges must be blended over what lies below, never over the key: a pixel close to the key
// colour but not it would show as a fringe round every shape.
TEST(Art, NoPixelIsANearMissOfTheKeyColour) {
    const std::pair<std::string, Rgb> cases[] = {
        {conesDir + "/cones.bmp", Magenta},      {conesDir + "/gui.bmp", Magenta},
        {blocksDir + "/num.bmp", Green},         {blocksDir + "/block.bmp", Green},
        {blocksDir + "/char.bmp", Green},        {blocksDir + "/back1p.bmp", Green},
        {blocksDir + "/resault.bmp", Green},     {blocksDir + "/backtitle.bmp", Green},
        {blocksDir + "/char/1/back.bmp", Green},
    };
    for (const auto& [path, key] : cases) {
        SCOPED_TRACE(path);
        Picture p(path);
        ASSERT_NE(p.surface, nullptr) << SDL_GetError();
        int fringe = 0;
        for (int y = 0; y < p.surface->h; ++y)
            for (int x = 0; x < p.surface->w; ++x) {
                Rgb c = p.at(x, y);
                fringe += !(c == key) && distance(c, key) < 150;
            }
        EXPECT_EQ(fringe, 0);
    }
}

TEST(Art, ConeSheetCellsAreTellApartAndLetTheBoardShowAround) {
    Picture p(conesDir + "/cones.bmp");
    ASSERT_NE(p.surface, nullptr) << SDL_GetError();
    // The hole and the nine cones: transparent corners, something visible in the middle.
    for (int cell = 0; cell < 10; ++cell) {
        SCOPED_TRACE(cell);
        EXPECT_EQ(p.at(32 * cell, 0), Magenta);
        EXPECT_GT(p.countKey(32 * cell + 8, 8, 16, 20, Magenta, false), 200);
    }
    // Each cone looks unlike every other and unlike the hole.
    Rgb mean[10];
    for (int cell = 0; cell < 10; ++cell)
        mean[cell] = p.meanVisible(32 * cell, 0, 32, 32, Magenta);
    for (int a = 0; a < 10; ++a)
        for (int b = a + 1; b < 10; ++b)
            EXPECT_GT(distance(mean[a], mean[b]), 60) << "cells " << a << " and " << b;
    // The three marks differ plainly at their centres as shown on the black screen: dark (hollow),
    // white, red.
    auto shown = [&p](int x, int y) { return p.at(x, y) == Magenta ? Rgb{0, 0, 0} : p.at(x, y); };
    const Rgb none = shown(329, 5), colour = shown(339, 5), exact = shown(349, 5);
    EXPECT_GT(distance(none, colour), 300);
    EXPECT_GT(distance(none, exact), 200);
    EXPECT_GT(distance(colour, exact), 200);
    // The highlight ring keeps the cone below it in view.
    EXPECT_EQ(p.countKey(368, 8, 16, 16, Magenta, false), 0);
}

TEST(Art, GuiPicturesAllHoldSomething) {
    Picture p(conesDir + "/gui.bmp");
    ASSERT_NE(p.surface, nullptr) << SDL_GetError();
    // x   y    w    h
    const int sources[8][4] = {
        {0, 0, 53, 22},   {0, 25, 125, 20}, {0, 72, 50, 22},  {129, 28, 100, 22},
        {0, 98, 215, 26}, {0, 50, 46, 23},  {48, 50, 33, 23}, {128, 0, 100, 23},
    };
    for (const auto& s : sources) {
        SCOPED_TRACE(s[0] * 1000 + s[1]);
        EXPECT_GT(p.countKey(s[0], s[1], s[2], s[3], Magenta, false), s[2] * s[3] / 2);
    }
}

// The full-screen pictures are laid over a screen that is never cleared, so every pixel that is
// not meant to show the game below must be opaque.
TEST(Art, FullScreenPicturesAreTransparentExactlyWhereTheGameShowsThrough) {
    Picture title(blocksDir + "/backtitle.bmp");
    Picture frame(blocksDir + "/back1p.bmp");
    Picture result(blocksDir + "/resault.bmp");
    Picture back(blocksDir + "/char/1/back.bmp");
    ASSERT_TRUE(title.surface && frame.surface && result.surface && back.surface);
    EXPECT_EQ(title.countKey(0, 0, 640, 480, Green), 0);
    EXPECT_EQ(back.countKey(0, 0, 180, 450, Green), 0);
    // The frame: the well's window is all transparent, everything else opaque.
    EXPECT_EQ(frame.countKey(240, 0, 160, 440, Green), 160 * 440);
    EXPECT_EQ(frame.countKey(0, 0, 640, 480, Green), 160 * 440);
    // The result panel: a transparent surround, an opaque place under the final score.
    EXPECT_EQ(result.at(0, 0), Green);
    EXPECT_EQ(result.at(639, 479), Green);
    EXPECT_EQ(result.countKey(250, 240, 160, 32, Green), 0);
}

// Beside the well the game draws over the frame every tick, so the frame keeps that column
// plain: words or edges printed there would be read as part of a popup, the gauge or the stack.
// What the three can reach, in screen pixels:
struct Area {
    int x, y, w, h;
};
constexpr int DigitW = 10, DigitH = 32, Cell = 20;
// Popups: units digit at x 410 and the tens digit left of it (no chain value passes 64); the
// bottom row's popup, row 23, stands at 40 - 80 + 20 x 23 = 420.
constexpr Area popupReach = {410 - DigitW, 0, 2 * DigitW, 420 + DigitH};
// The chain gauge: 2 pixels at x 402, up to 360 high above y 440.
constexpr Area gaugeReach = {402, 440 - 360, 2, 360};
// The garbage stack: cells at x 405 from y 422 upwards, up to the screen's top when enough rows
// are pending.
constexpr Area stackReach = {405, 0, Cell, 422 + Cell};
// The column is the smallest rectangle round all three.
constexpr Area sideColumn = {popupReach.x, 0, stackReach.x + stackReach.w - popupReach.x,
                             popupReach.y + popupReach.h};
static_assert(gaugeReach.x >= sideColumn.x && gaugeReach.x + gaugeReach.w <= stackReach.x + Cell);
static_assert(gaugeReach.y + gaugeReach.h <= sideColumn.h && stackReach.h <= sideColumn.h);

TEST(Art, FrameLeavesTheColumnBesideTheWellPlain) {
    Picture frame(blocksDir + "/back1p.bmp");
    ASSERT_NE(frame.surface, nullptr) << SDL_GetError();
    const Area& c = sideColumn;
    const Rgb plain = frame.at(c.x, c.y);
    EXPECT_NE(plain, Green);
    int marked = 0;
    std::string where;
    for (int y = c.y; y < c.y + c.h; ++y)
        for (int x = c.x; x < c.x + c.w; ++x) {
            Rgb p = frame.at(x, y);
            if (distance(p, plain) <= 3)
                continue;
            if (++marked <= 4)
                where += " (" + std::to_string(x) + ", " + std::to_string(y) + ")";
        }
    EXPECT_EQ(marked, 0) << "pixels unlike the column's background, first at" << where;
}

TEST(Art, DigitsGaugeAndBlocksAreWhereTheGameCutsThem) {
    Picture num(blocksDir + "/num.bmp");
    Picture blocks(blocksDir + "/block.bmp");
    Picture cursor(blocksDir + "/char.bmp");
    ASSERT_TRUE(num.surface && blocks.surface && cursor.surface);
    // Ten different digits, each with a transparent surround.
    for (int d = 0; d < 10; ++d) {
        SCOPED_TRACE(d);
        EXPECT_GT(num.countKey(16 * d, 0, 10, 32, Green, false), 40);
        EXPECT_GT(num.countKey(16 * d, 0, 10, 32, Green), 40);
        for (int e = 0; e < d; ++e) {
            int differing = 0;
            for (int y = 0; y < 32; ++y)
                for (int x = 0; x < 10; ++x)
                    differing += distance(num.at(16 * d + x, y), num.at(16 * e + x, y)) > 100;
            EXPECT_GT(differing, 10) << "digit " << e;
        }
    }
    // The gauge strip is opaque all the way down its 360 pixels.
    EXPECT_EQ(num.countKey(160, 0, 2, 360, Green), 0);
    // Cell 0 marks the pivot over a block and lets the block show; the other cells are solid,
    // and the eight piece colours differ.
    EXPECT_GT(blocks.countKey(0, 0, 20, 20, Green), 200);
    EXPECT_GT(blocks.countKey(0, 0, 20, 20, Green, false), 0);
    EXPECT_EQ(blocks.countKey(20, 0, 200, 20, Green), 0);
    for (int a = 1; a <= 8; ++a)
        for (int b = a + 1; b <= 10; ++b)
            EXPECT_GT(distance(blocks.at(20 * a + 10, 14), blocks.at(20 * b + 10, 14)), 60)
                << "cells " << a << " and " << b;
    // The cursor frames the menu line and leaves its word visible.
    EXPECT_EQ(cursor.at(95, 25), Green);
    EXPECT_NE(cursor.at(95, 2), Green);
}

} // namespace
