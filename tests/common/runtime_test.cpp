// runtime_test.cpp: proves which SDL 1.2 runtime the suite runs on, so that a run meant for the
// SDL2-based library cannot silently test the classic one.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>

TEST(Runtime, LinkedLibraryIsTheOneAskedFor) {
    const SDL_version* linked = SDL_Linked_Version();
    ASSERT_NE(linked, nullptr);
    EXPECT_EQ(linked->major, 1);
    EXPECT_EQ(linked->minor, 2);
    const char* expected = std::getenv("EXPECT_SDL_PATCH");
    if (!expected)
        GTEST_SKIP() << "EXPECT_SDL_PATCH not set; linked 1.2." << int(linked->patch);
    EXPECT_EQ(linked->patch, std::atoi(expected));
}
