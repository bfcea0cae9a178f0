// rest.cpp: Quandrel's rest between frames on Windows: asleep until a message for the game's
// window comes into the thread's queue, or the time is up.
//
// SDL reads the window's input from the queue of the thread that made the window, the game's
// only one; the loop lets SDL read all there is just before it rests, and input still unread
// ends the rest at once all the same.
#include <windows.h>

#include "loop.h"

void restUntilInput(Uint32 milliseconds) {
    MsgWaitForMultipleObjectsEx(0, nullptr, DWORD(milliseconds), QS_ALLINPUT, MWMO_INPUTAVAILABLE);
}
