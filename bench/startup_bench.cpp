// startup_bench.cpp: start-up of each game, from the start of its program to its first presented
// frame, on SDL's dummy video driver, beside a bare SDL program that opens the same screen. The
// games take no options: a preloaded SDL_Flip (first_frame) answers at the frame and ends them.
#include <benchmark/benchmark.h>

#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

int64_t nowNanoseconds() {
    timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return int64_t(t.tv_sec) * 1000000000 + t.tv_nsec;
}

struct Launch {
    const char* folder;  // the working folder: the game reads its pictures from there
    const char* program; // the program and its one argument (for the bare window only)
    const char* argument;
    int frame; // the presented frame to stop at, counted from 1
};

// The child: the start time is taken right before the program replaces it.
[[noreturn]] void startChild(const Launch& launch, int answer) {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    setenv("LD_PRELOAD", FIRST_FRAME_LIBRARY, 1);
    setenv("FIRST_FRAME_FD", std::to_string(answer).c_str(), 1);
    setenv("FIRST_FRAME_COUNT", std::to_string(launch.frame).c_str(), 1);
    if (chdir(launch.folder) != 0)
        _exit(126);
    setenv("FIRST_FRAME_START", std::to_string(nowNanoseconds()).c_str(), 1);
    execl(launch.program, launch.program, launch.argument, static_cast<char*>(nullptr));
    _exit(127);
}

// One run of the program; the time to its frame in nanoseconds, or -1 when it gave none.
int64_t timeToFrame(const Launch& launch) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        return -1;
    pid_t child = fork();
    if (child == 0) {
        close(pipeEnds[0]);
        startChild(launch, pipeEnds[1]);
    }
    close(pipeEnds[1]);
    int64_t elapsed = -1;
    if (child < 0 || read(pipeEnds[0], &elapsed, sizeof elapsed) != sizeof elapsed)
        elapsed = -1;
    close(pipeEnds[0]);
    int status = 0;
    if (child > 0)
        waitpid(child, &status, 0);
    return elapsed;
}

void startUp(benchmark::State& state, Launch launch) {
    for (auto _ : state) {
        int64_t elapsed = timeToFrame(launch);
        if (elapsed < 0) {
            state.SkipWithError("the program presented no frame");
            break;
        }
        state.SetIterationTime(double(elapsed) / 1e9);
    }
}

const Launch cones = {CONES_DIR, CONES_PROGRAM, nullptr, 1};
const Launch conesFloor = {CONES_DIR, BARE_WINDOW_PROGRAM, "cones", 1};
// The first tick of the title only loads its pictures; the second is the first drawn title.
const Launch blocksFirst = {BLOCKS_DIR, BLOCKS_PROGRAM, nullptr, 1};
const Launch blocksTitle = {BLOCKS_DIR, BLOCKS_PROGRAM, nullptr, 2};
const Launch blocksFloor = {BLOCKS_DIR, BARE_WINDOW_PROGRAM, "blocks", 1};

#define START_UP(name, launch)                                                                     \
    BENCHMARK_CAPTURE(startUp, name, launch)                                                       \
        ->Name("startup/" #name)                                                                   \
        ->UseManualTime()                                                                          \
        ->Iterations(1)                                                                            \
        ->Unit(benchmark::kMillisecond)

START_UP(cones_floor, conesFloor);
START_UP(cones_first_frame, cones);
START_UP(blocks_floor, blocksFloor);
START_UP(blocks_first_frame, blocksFirst);
START_UP(blocks_first_title, blocksTitle);

} // namespace

BENCHMARK_MAIN();
