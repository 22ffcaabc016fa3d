// What only a real window shows, in an X server: the PNG holds the window's very pixels, the
// window's title and size, and each way of closing it ends the program with status 0. Every
// window opens at the same place under the same title, so CTest runs these one at a time.
#include "case_name.h"
#include "program.h"
#include "viewer.h"
#include "x_screen.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace {

const std::string trimapExample = "0 0 4 0 1 3\n5 1 8 2 6 5\n";

// The window of the test before has gone, so the one with the title is this test's.
void awaitNoWindow() {
    ASSERT_TRUE(haveDisplay()) << "no X display; scripts/test.sh runs the suite in Xvfb";
    for (int tries = 0; tries < 500 && windowShown(windowTitle); ++tries) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ASSERT_FALSE(windowShown(windowTitle)) << "a window of an earlier test is still open";
}

TEST(Window, ShowsWhatThePngHoldsUntilItsCloseButton) {
    awaitNoWindow();
    const ScratchFolder folder;
    Program saving(TRIMAP_PATH, {"-o", folder.path + "/t.png"}, trimapExample);
    ASSERT_EQ(0, saving.status()) << saving.errors();
    Program showing(TRIMAP_PATH, {}, trimapExample);
    const std::optional<WindowInfo> window = awaitWindow(windowTitle);
    ASSERT_TRUE(window) << "no window titled " << windowTitle;
    EXPECT_EQ(1024, window->width);
    EXPECT_EQ(700, window->height);
    const Image shown = grab(*window);
    closeWindow(*window);
    EXPECT_EQ(0, showing.status());
    EXPECT_EQ(saving.output(), showing.output());
    const Image saved = readPng(folder.path + "/t.png");
    ASSERT_EQ(shown.rgb.size(), saved.rgb.size());
    std::size_t differing = 0;
    for (std::size_t i = 0; i < shown.rgb.size(); i += 3) {
        differing += !std::equal(&shown.rgb[i], &shown.rgb[i] + 3, &saved.rgb[i]);
    }
    EXPECT_EQ(0u, differing) << "pixels differ";
}

class Key : public testing::TestWithParam<const char*> {};

TEST_P(Key, ClosesTheWindow) {
    awaitNoWindow();
    Program program(PARAQUAD_PATH, {}, "1 1 5 2 6 5");
    const std::optional<WindowInfo> window = awaitWindow(windowTitle);
    ASSERT_TRUE(window) << "no window titled " << windowTitle;
    pressKey(*window, GetParam());
    EXPECT_EQ(0, program.status());
    EXPECT_EQ("unesite temena paralelograma\nkoordinate temena D paralelograma su x=2.000000, "
              "y=4.000000\n",
              program.output());
}

INSTANTIATE_TEST_SUITE_P(Keys, Key, testing::Values("Escape", "q"), CaseName());

} // namespace
