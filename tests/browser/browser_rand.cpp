// browser_rand.cpp: rand and srand as the browser build's C library has them, in place of the
// native C library's, so that a native game seeded as the page's game was draws the same numbers.
#include <cstdint>
#include <cstdlib>

namespace {

uint64_t state = 0;

} // namespace

// srand(s) starts the sequence at s - 1, taken as a 32-bit unsigned number; each rand steps a
// 64-bit linear congruential generator and gives its top 31 bits.
extern "C" void srand(unsigned seed) noexcept {
    state = seed - 1;
}

extern "C" int rand() noexcept {
    state = 6364136223846793005ULL * state + 1;
    return int(state >> 33);
}
