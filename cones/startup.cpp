// startup.cpp: bringing Quandrel up: the sheets, video and the window.
#include "startup.h"

#include "game.h"

#include <cstdio>

SDL_Surface* conesSheet = nullptr;
SDL_Surface* guiSheet = nullptr;
SDL_Surface* screen = nullptr;
bool quitRequested = false;

namespace {

// Reads a Windows BMP relative to the working directory; says which file failed and why.
SDL_Surface* loadSheet(const char* path) {
    SDL_RWops* stream = SDL_RWFromFile(path, "rb");
    SDL_Surface* sheet = stream ? SDL_LoadBMP_RW(stream, 1) : nullptr;
    if (!sheet)
        std::fprintf(stderr, "Loading %s failed: %s\n", path, SDL_GetError());
    return sheet;
}

// Magenta pixels are transparent. The sheets keep their file's pixel format.
void keyOutMagenta(SDL_Surface* sheet) {
    SDL_SetColorKey(sheet, SDL_SRCCOLORKEY, SDL_MapRGB(sheet->format, 255, 0, 255));
}

} // namespace

bool loadSheets() {
    conesSheet = loadSheet("gfx/cones.bmp");
    if (!conesSheet)
        return false;
    guiSheet = loadSheet("gfx/gui.bmp");
    if (!guiSheet)
        return false;
    keyOutMagenta(conesSheet);
    keyOutMagenta(guiSheet);
    return true;
}

bool startVideo() {
    if (SDL_Init(SDL_INIT_VIDEO) == -1) {
        std::fprintf(stderr, "Initialization of SDL failed: %s\n", SDL_GetError());
        return false;
    }
    screen = SDL_SetVideoMode(800, 600, 16, 0);
    if (!screen) {
        std::fprintf(stderr, "Setting video-mode failed: %s\n", SDL_GetError());
        return false;
    }
    SDL_WM_SetCaption("Quandrel", nullptr);
    return true;
}
