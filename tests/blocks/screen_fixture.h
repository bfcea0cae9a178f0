// screen_fixture.h: a 640 x 480 display under SDL's dummy driver, sheets whose cells are one
// plain colour each, and a picture of what the screen should hold, compared pixel by pixel.
#pragma once

#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "loop.h"
#include "sprites.h"

struct Colour {
    int r, g, b;
};
inline bool operator==(Colour a, Colour b) {
    // The two runtimes round colours slightly differently.
    return std::abs(a.r - b.r) <= 8 && std::abs(a.g - b.g) <= 8 && std::abs(a.b - b.b) <= 8;
}
inline std::ostream& operator<<(std::ostream& out, Colour c) {
    return out << "(" << c.r << ", " << c.g << ", " << c.b << ")";
}

constexpr Colour Backdrop = {20, 20, 60};       // what the screen holds before a drawing
constexpr Colour SheetRest = {250, 250, 250};   // sheet pixels outside every cell the game uses
constexpr Colour GaugeColour = {255, 128, 0};   // the gauge strip of the digit sheet
constexpr Colour WellBackColour = {90, 60, 30}; // the well's background picture
constexpr Colour KeyGreen = {0, 255, 0};

// One colour per cell. Columns: red, green, blue; trailing: what the cell stands for.
constexpr Colour blockColours[11] = {
    {255, 255, 255}, // 0 pivot marker
    {200, 0, 0},     // 1 piece 0
    {0, 0, 200},     // 2 piece 1
    {200, 200, 0},   // 3 piece 2
    {200, 0, 200},   // 4 piece 3
    {0, 200, 200},   // 5 piece 4
    {120, 60, 0},    // 6 piece 5
    {60, 120, 200},  // 7 piece 6
    {0, 120, 60},    // 8 piece 7
    {160, 160, 160}, // 9 preview
    {80, 80, 80},    // 10 garbage
};
constexpr Colour digitColours[10] = {
    {10, 10, 10}, // 0
    {40, 0, 0},   // 1
    {80, 0, 0},   // 2
    {120, 0, 0},  // 3
    {160, 0, 0},  // 4
    {0, 40, 0},   // 5
    {0, 80, 0},   // 6
    {0, 120, 0},  // 7
    {0, 0, 120},  // 8
    {0, 0, 160},  // 9
};

inline Uint32 mapped(SDL_Surface* surface, Colour c) {
    return SDL_MapRGB(surface->format, Uint8(c.r), Uint8(c.g), Uint8(c.b));
}

inline void fillRect(SDL_Surface* surface, int x, int y, int w, int h, Colour c) {
    SDL_Rect rect = {Sint16(x), Sint16(y), Uint16(w), Uint16(h)};
    SDL_FillRect(surface, &rect, mapped(surface, c));
}

inline SDL_Surface* makeSurface(int w, int h, int depth, Colour fill) {
    SDL_Surface* surface =
        SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, depth, 0xFF0000, 0x00FF00, 0x0000FF, 0);
    fillRect(surface, 0, 0, w, h, fill);
    return surface;
}

// Block sheet: cell n at x 20 n, with a stripe below the cells that must never show.
inline SDL_Surface* makeBlockSheet(int depth = 32) {
    SDL_Surface* sheet = makeSurface(220, 24, depth, SheetRest);
    for (int n = 0; n < 11; ++n)
        fillRect(sheet, 20 * n, 0, 20, 20, blockColours[n]);
    return sheet;
}

// Digit sheet: digit d is 10 x 32 at x 16 d; the gauge strip runs down x 160-161.
inline SDL_Surface* makeDigitSheet(int depth = 32) {
    SDL_Surface* sheet = makeSurface(170, 400, depth, SheetRest);
    for (int d = 0; d < 10; ++d)
        fillRect(sheet, 16 * d, 0, 10, 32, digitColours[d]);
    fillRect(sheet, 160, 0, 2, 400, GaugeColour);
    return sheet;
}

inline Colour pixelAt(SDL_Surface* surface, int x, int y) {
    SDL_LockSurface(surface);
    const Uint8* row = static_cast<const Uint8*>(surface->pixels) + y * surface->pitch;
    Uint32 value = 0;
    switch (surface->format->BytesPerPixel) {
    case 4:
        value = reinterpret_cast<const Uint32*>(row)[x];
        break;
    case 2:
        value = reinterpret_cast<const Uint16*>(row)[x];
        break;
    default:
        value = row[3 * x] | row[3 * x + 1] << 8 | row[3 * x + 2] << 16;
        break;
    }
    SDL_UnlockSurface(surface);
    Uint8 r, g, b;
    SDL_GetRGB(value, surface->format, &r, &g, &b);
    return {r, g, b};
}

// What the screen should show: painted with the same rectangles, in the same order, as the game.
struct Picture {
    std::vector<Colour> pixels = std::vector<Colour>(640 * 480, Backdrop);

    void fill(int x, int y, int w, int h, Colour c) {
        for (int py = std::max(y, 0); py < std::min(y + h, 480); ++py)
            for (int px = std::max(x, 0); px < std::min(x + w, 640); ++px)
                pixels[py * 640 + px] = c;
    }
    void block(int x, int y, int cell) { fill(x, y, 20, 20, blockColours[cell]); }
    void digit(int x, int y, int d) { fill(x, y, 10, 32, digitColours[d]); }
};

// The whole screen against the picture; names the first pixels that differ.
inline ::testing::AssertionResult screenShows(const Picture& expected) {
    int wrong = 0;
    std::string where;
    for (int y = 0; y < 480; ++y) {
        for (int x = 0; x < 640; ++x) {
            Colour want = expected.pixels[y * 640 + x];
            Colour got = pixelAt(screen, x, y);
            if (got == want)
                continue;
            if (++wrong <= 4) {
                std::ostringstream text;
                text << " (" << x << ", " << y << ") is " << got << " not " << want << ";";
                where += text.str();
            }
        }
    }
    if (wrong == 0)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << wrong << " pixels differ:" << where;
}

// The real display surface, under the dummy driver, cleared to the backdrop before each test.
class ScreenTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
        screen = SDL_SetVideoMode(640, 480, 32, SDL_HWSURFACE | SDL_DOUBLEBUF | SDL_FULLSCREEN);
        ASSERT_NE(screen, nullptr) << SDL_GetError();
    }
    static void TearDownTestSuite() {
        SDL_Quit();
        screen = nullptr;
    }
    void SetUp() override { fillRect(screen, 0, 0, 640, 480, Backdrop); }
};
