// main.cpp: Drapple, a falling-block puzzle: start up, then play until asked to quit.
#include "loop.h"

int main(int, char**) {
    static GameContext context; // two player records: too big to keep on the stack
    startUp(&context);
    runLoop(&context);
}
