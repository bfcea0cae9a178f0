// pointer.cpp: moves the X pointer over a window as a mouse would, for the machine-cost
// benchmark, so that the game under it gets motion events.
//
//   pointer storm WINDOW RATE SECONDS   RATE moves a second, on a steady clock, for SECONDS
//   pointer single WINDOW COUNT REST_MS COUNT lone moves REST_MS apart; prints when each was sent
//                                       (CLOCK_MONOTONIC nanoseconds), once the server has it
#include <X11/Xlib.h>
#include <time.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

int64_t nowNanoseconds() {
    timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return int64_t(t.tv_sec) * 1000000000 + t.tv_nsec;
}

void sleepUntil(int64_t nanoseconds) {
    timespec t = {time_t(nanoseconds / 1000000000), long(nanoseconds % 1000000000)};
    clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &t, nullptr);
}

// A point on a loop round the window's middle, so that every move lands somewhere new.
void moveTo(Display* display, Window window, long step) {
    int x = 200 + int(step * 7 % 400), y = 150 + int(step * 13 % 300);
    XWarpPointer(display, None, window, 0, 0, 0, 0, x, y);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 5 || (std::strcmp(argv[1], "storm") && std::strcmp(argv[1], "single"))) {
        std::fprintf(stderr,
                     "usage: pointer storm WINDOW RATE SECONDS | single WINDOW COUNT REST_MS\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "pointer: no X display\n");
        return 1;
    }
    Window window = Window(std::strtoul(argv[2], nullptr, 0));
    long a = std::atol(argv[3]), b = std::atol(argv[4]);
    int64_t next = nowNanoseconds();
    if (!std::strcmp(argv[1], "storm")) {
        for (long step = 0; step < a * b; ++step) {
            moveTo(display, window, step);
            XFlush(display);
            next += 1000000000 / a;
            sleepUntil(next);
        }
    } else {
        for (long step = 0; step < a; ++step) {
            next += b * 1000000;
            sleepUntil(next);
            int64_t sent = nowNanoseconds();
            moveTo(display, window, step);
            XSync(display, False);
            std::printf("%lld\n", static_cast<long long>(sent));
        }
    }
    XCloseDisplay(display);
    return 0;
}
