// startup_test.cpp: loading the two sheets from the working directory, and what a bad one says.
#include "game.h"
#include "startup.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

// Runs each test in a fresh folder with a gfx/ inside, and comes back afterwards.
class SheetTest : public ::testing::Test {
  protected:
    void SetUp() override {
        char buffer[4096];
        ASSERT_NE(getcwd(buffer, sizeof buffer), nullptr);
        home = buffer;
        char pattern[] = "/tmp/cones-sheets-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder = pattern;
        ASSERT_EQ(chdir(folder.c_str()), 0);
        ASSERT_EQ(system("mkdir gfx"), 0);
        conesSheet = guiSheet = nullptr;
    }
    void TearDown() override {
        forgetSheets();
        ASSERT_EQ(chdir(home.c_str()), 0);
        ASSERT_EQ(system(("rm -rf " + folder).c_str()), 0);
    }

    static void writeSheet(const char* path, int w, int h) {
        SDL_Surface* sheet =
            SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 24, 0xFF0000, 0x00FF00, 0x0000FF, 0);
        ASSERT_NE(sheet, nullptr);
        SDL_FillRect(sheet, nullptr, SDL_MapRGB(sheet->format, 255, 0, 255));
        ASSERT_EQ(SDL_SaveBMP(sheet, path), 0) << SDL_GetError();
        SDL_FreeSurface(sheet);
    }
    static void writeText(const char* path, const char* text) {
        FILE* file = std::fopen(path, "w");
        ASSERT_NE(file, nullptr);
        std::fputs(text, file);
        std::fclose(file);
    }
    static void forgetSheets() {
        SDL_FreeSurface(conesSheet);
        SDL_FreeSurface(guiSheet);
        conesSheet = guiSheet = nullptr;
    }
    static bool loadQuietly(std::string& message) {
        forgetSheets();
        ::testing::internal::CaptureStderr();
        bool loaded = loadSheets();
        message = ::testing::internal::GetCapturedStderr();
        return loaded;
    }

    std::string home, folder;
};

} // namespace

TEST_F(SheetTest, BothSheetsLoadWithMagentaKeyedOutInTheirOwnFormat) {
    writeSheet("gfx/cones.bmp", 424, 32);
    writeSheet("gfx/gui.bmp", 229, 124);
    std::string message;
    ASSERT_TRUE(loadQuietly(message));
    EXPECT_EQ(message, "");
    for (SDL_Surface* sheet : {conesSheet, guiSheet}) {
        ASSERT_NE(sheet, nullptr);
        EXPECT_EQ(sheet->format->BitsPerPixel, 24);
        EXPECT_TRUE(sheet->flags & SDL_SRCCOLORKEY);
        EXPECT_FALSE(sheet->flags & SDL_RLEACCEL);
        EXPECT_EQ(sheet->format->colorkey, SDL_MapRGB(sheet->format, 255, 0, 255));
    }
    EXPECT_EQ(conesSheet->w, 424);
    EXPECT_EQ(guiSheet->w, 229);
}

namespace {

struct BadSheetCase {
    const char* cones; // what gfx/cones.bmp holds: "sheet", "text" or nullptr for no file
    const char* gui;
    const char* named; // the file the message names
};

constexpr BadSheetCase badSheetCases[] = {
    {nullptr, "sheet", "gfx/cones.bmp"}, {"sheet", nullptr, "gfx/gui.bmp"},
    {"text", "sheet", "gfx/cones.bmp"},  {"sheet", "text", "gfx/gui.bmp"},
    {nullptr, nullptr, "gfx/cones.bmp"},
};

} // namespace

TEST_F(SheetTest, AMissingOrUnreadableSheetIsNamedWithSdlsReason) {
    for (const BadSheetCase& c : badSheetCases) {
        std::remove("gfx/cones.bmp");
        std::remove("gfx/gui.bmp");
        const char* paths[2] = {"gfx/cones.bmp", "gfx/gui.bmp"};
        const char* contents[2] = {c.cones, c.gui};
        for (int i = 0; i < 2; ++i) {
            if (contents[i] && std::string(contents[i]) == "sheet")
                writeSheet(paths[i], 424, 124);
            else if (contents[i])
                writeText(paths[i], "not a picture\n");
        }
        std::string message;
        EXPECT_FALSE(loadQuietly(message)) << c.named;
        std::string start = std::string("Loading ") + c.named + " failed: ";
        EXPECT_EQ(message.rfind(start, 0), 0u) << message;
        EXPECT_GT(message.size(), start.size() + 1) << "SDL's reason follows: " << message;
        EXPECT_EQ(message.back(), '\n');
        EXPECT_EQ(message.find('\n'), message.size() - 1) << "one line: " << message;
    }
}
