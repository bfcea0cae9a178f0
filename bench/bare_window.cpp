// bare_window.cpp: the floor under a game's start-up and memory: SDL brought up the way the game
// brings it up, its screen opened, filled and presented, and nothing else; then it idles until
// killed. "cones" or "blocks" picks which game's subsystems and video mode.
#include <SDL.h>

#include <cstring>

int main(int argc, char** argv) {
    const bool blocks = argc > 1 && std::strcmp(argv[1], "blocks") == 0;
    Uint32 subsystems =
        blocks ? SDL_INIT_AUDIO | SDL_INIT_VIDEO | SDL_INIT_JOYSTICK : SDL_INIT_VIDEO;
    if (SDL_Init(subsystems) < 0)
        return 1;
    SDL_Surface* screen =
        blocks ? SDL_SetVideoMode(640, 480, 32, SDL_HWSURFACE | SDL_DOUBLEBUF | SDL_FULLSCREEN)
               : SDL_SetVideoMode(800, 600, 16, 0);
    if (!screen)
        return 1;
    SDL_WM_SetCaption(blocks ? "Drapple" : "Quandrel", nullptr);
    for (;;) {
        SDL_FillRect(screen, nullptr, SDL_MapRGB(screen->format, 0, 0, 0));
        SDL_Flip(screen);
        SDL_Event event;
        while (SDL_PollEvent(&event)) {
        }
        SDL_Delay(15);
    }
}
