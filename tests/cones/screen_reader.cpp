// screen_reader.cpp: reads a Quandrel screenshot back into colours and marks by comparing each
// place on the board with the cells of the real cone sheet, so that tests need not know the art.
//
// usage: cones_screen_reader SCREENSHOT.bmp CONES_SHEET.bmp
// prints one line per row, bottom row first: "row R: P P P P marks M M M M" (P: colour 0 to 8,
// or - for an empty slot; M: 0 none, 1 right colour, 2 right colour in the right slot),
// then "marker R" (or "marker none") and "secret S S S S" (or "secret none"). A place that
// matches no cell well is printed as "?".
#include <SDL.h>

#include <cstdio>
#include <cstdlib>

namespace {

SDL_Surface* shot;
SDL_Surface* sheet;

struct Rgb {
    int r, g, b;
};

Rgb pixelAt(SDL_Surface* surface, int x, int y) {
    const Uint8* p = static_cast<const Uint8*>(surface->pixels) + y * surface->pitch +
                     x * surface->format->BytesPerPixel;
    Uint32 value = 0;
    for (int i = 0; i < surface->format->BytesPerPixel; ++i)
        value |= Uint32(p[i]) << (8 * i);
    Uint8 r, g, b;
    SDL_GetRGB(value, surface->format, &r, &g, &b);
    return {r, g, b};
}

// Mean difference per channel between the screen at (x, y) and a sheet cell drawn over black
// (the sheet's magenta is transparent); cellX < 0 stands for plain black.
double distance(int x, int y, int cellX, int size) {
    long total = 0;
    for (int dy = 0; dy < size; ++dy) {
        for (int dx = 0; dx < size; ++dx) {
            Rgb want = {0, 0, 0};
            if (cellX >= 0) {
                want = pixelAt(sheet, cellX + dx, dy);
                if (want.r == 255 && want.g == 0 && want.b == 255)
                    want = {0, 0, 0};
            }
            Rgb got = pixelAt(shot, x + dx, y + dy);
            total += std::abs(got.r - want.r) + std::abs(got.g - want.g) + std::abs(got.b - want.b);
        }
    }
    return double(total) / (3.0 * size * size);
}

// The best of `count` candidate cells, or -2 when none comes close.
int classify(int x, int y, const int* cells, int count, int size) {
    int best = -2;
    double bestDistance = 1e9;
    for (int i = 0; i < count; ++i) {
        double d = distance(x, y, cells[i], size);
        if (d < bestDistance) {
            bestDistance = d;
            best = i;
        }
    }
    return bestDistance < 12.0 ? best : -2;
}

// Cells of the cone sheet: the empty slot at 0, cone c at 32 (c + 1), mark m at 324 + 10 m,
// the random-row marker at 392.
constexpr int slotCells[] = {0, 32, 64, 96, 128, 160, 192, 224, 256, 288}; // empty, cones 0-8
constexpr int markCells[] = {324, 334, 344};
constexpr int secretCells[] = {-1, 32, 64, 96, 128, 160, 192, 224, 256, 288}; // none, cones
constexpr int markerCells[] = {-1, 392};

void printSlot(int found) {
    if (found == -2)
        std::printf(" ?");
    else if (found == 0)
        std::printf(" -");
    else
        std::printf(" %d", found - 1);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s SCREENSHOT.bmp CONES_SHEET.bmp\n", argv[0]);
        return 2;
    }
    shot = SDL_LoadBMP(argv[1]);
    sheet = SDL_LoadBMP(argv[2]);
    if (!shot || !sheet || shot->w < 800 || shot->h < 600) {
        std::fprintf(stderr, "cannot read the pictures: %s\n", SDL_GetError());
        return 2;
    }
    for (int r = 0; r < 10; ++r) {
        std::printf("row %d:", r);
        for (int s = 0; s < 4; ++s)
            printSlot(classify(320 + 45 * s, 550 - 60 * r, slotCells, 10, 32));
        std::printf(" marks");
        for (int k = 0; k < 4; ++k) {
            int x = 250 + 10 * (k % 2), y = 555 - 60 * r + (k >= 2 ? 15 : 0);
            int mark = classify(x, y, markCells, 3, 10);
            mark == -2 ? std::printf(" ?") : std::printf(" %d", mark);
        }
        std::printf("\n");
    }
    int markerRow = -1;
    for (int r = 0; r < 10; ++r) {
        if (classify(520, 550 - 60 * r, markerCells, 2, 32) == 1)
            markerRow = r;
    }
    markerRow < 0 ? std::printf("marker none\n") : std::printf("marker %d\n", markerRow);
    int secret[4];
    int shown = 0;
    for (int k = 0; k < 4; ++k) {
        secret[k] = classify(600 + 45 * k, 290, secretCells, 10, 32);
        shown += secret[k] > 0;
    }
    if (shown == 0) {
        std::printf("secret none\n");
    } else {
        std::printf("secret");
        for (int k = 0; k < 4; ++k)
            secret[k] > 0 ? std::printf(" %d", secret[k] - 1) : std::printf(" ?");
        std::printf("\n");
    }
    return 0;
}
