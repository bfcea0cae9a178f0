// rest.cpp: Quandrel's rest between frames on the X Window System: asleep until the X server
// sends the game something, or the time is up.
//
// SDL reads the window's input from its connection to the X server; the loop lets SDL read all
// there is just before it rests, so anything new arrives on that connection and wakes the game.
// Under another of SDL's video drivers the game looks at its queue every millisecond instead.
#include <SDL.h>
#include <SDL_syswm.h>
#include <poll.h>

#include "loop.h"

namespace {

constexpr int NoConnection = -1;

int displayConnection() {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (SDL_GetWMInfo(&info) > 0 && info.subsystem == SDL_SYSWM_X11 && info.info.x11.display)
        return ConnectionNumber(info.info.x11.display);
    return NoConnection;
}

} // namespace

void restUntilInput(Uint32 milliseconds) {
    static const int connection = displayConnection(); // the window lives as long as the game
    if (connection == NoConnection) {
        if (milliseconds > 0)
            SDL_Delay(1);
        return;
    }
    pollfd watch = {connection, POLLIN, 0};
    poll(&watch, 1, int(milliseconds)); // a signal or an error ends the rest early: harmless
}
