// blocks_main.cpp: Drapple's entry in the browser: the game's own start-up, then the page's frames
// run the ticks, since a page must not wait in a loop of its own.
#include "blocks_frames.h"

int main(int, char**) {
    static GameContext context; // two player records: too big to keep on the stack
    startUp(&context);
    runBrowserTicks(&context);
}
