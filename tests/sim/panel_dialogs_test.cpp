// The runner with the real start panel and dialogs: keys in the title take
// the panel's road, the dialogs are answered from the script without a tick
// passing, and the screens show the panel's pages and a dialog open in its
// tick.

#include "shell/panel/start_panel.h"
#include "tests/assets/asset_readers.h"
#include "tests/sim/run_script.h"
#include "tools/varnisk-sim/runner.h"
#include "tools/varnisk-sim/screen_file.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>

namespace {

using asset_readers::Bitmap;

std::vector<std::string> RunScriptText(const std::string& script, std::int64_t ticks,
                                       const std::vector<ScreenRequest>& screens = {}) {
    SimOptions options;
    options.ticks = ticks;
    options.screens = screens;
    return RunScriptLines(script, options);
}

std::string Field(const std::string& line, const std::string& key) {
    const std::size_t start = line.find("\"" + key + "\":") + key.size() + 3;
    return line.substr(start, line.find_first_of(",}", start) - start);
}

// Which tables the final line shows freshly reset (1st place 5 points, 10
// jumps); the loader's defaults of a missing file have 0 jumps.
std::string ResetTables(const std::string& final) {
    const std::string fresh = "[{\"name\":\"QUILLMARE\",\"score\":5,\"jumps\":10}";
    std::string reset;
    std::size_t at = final.find("\"records\":[");
    for (int table = 0; table < 3; ++table) {
        at = final.find("[{", at + 1);
        reset += final.compare(at, fresh.size(), fresh) == 0 ? '1' : '0';
    }
    return reset;
}

// Where a picture stands, pixel for pixel, in a screen; x is -1 if nowhere.
std::pair<int, int> Find(const Bitmap& picture, const Bitmap& screen) {
    for (int y = 0; y + picture.height <= screen.height; ++y)
        for (int x = 0; x + picture.width <= screen.width; ++x) {
            bool same = true;
            for (int py = 0; py < picture.height && same; py += 3)
                for (int px = 0; px < picture.width && same; px += 3)
                    same = screen.at(x + px, y + py) == picture.at(px, py);
            if (same)
                return {x, y};
        }
    return {-1, -1};
}

class ScreenFolder : public ::testing::Test {
  protected:
    ScreenFolder() { std::filesystem::create_directories(folder_); }
    ~ScreenFolder() override { std::filesystem::remove_all(folder_); }
    Bitmap Screen(const std::string& name) {
        return asset_readers::LoadBmp(std::filesystem::relative(folder_ / name, VARNISK_ASSET_DIR));
    }
    const std::filesystem::path folder_ =
        std::filesystem::temp_directory_path() /
        ("varnisk-sim-panel-" +
         std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
};

} // namespace

TEST(RunnerPanel, SpaceInTheTitlePressesNewGameAsTheKeyComesUpAndIsNoJump) {
    const auto lines = RunScriptText("3 key-down 32\n4 key-up 32\n", 6);
    EXPECT_EQ(Field(lines[3], "mode"), "1");
    EXPECT_EQ(Field(lines[3], "jumpHeld"), "0");
    EXPECT_EQ(Field(lines[4], "mode"), "0");
    EXPECT_EQ(Field(lines[4], "practiceDifficulty"), "0");
}

TEST(RunnerPanel, EveryClearChoiceReachesTheRealDialog) {
    // Choices 0 to 4 reset no table, all, Easy, Normal, Hard; no choice is all.
    const std::string resets[] = {"000", "111", "100", "010", "001"};
    for (int choice = -1; choice <= 4; ++choice) {
        const std::string script =
            choice < 0 ? "" : "1 clear-choice " + std::to_string(choice) + "\n";
        const auto lines = RunScriptText(script + "1 command 40017\n", 3);
        ASSERT_EQ(lines.size(), 4u) << "no tick lost to the dialog: " << choice;
        EXPECT_EQ(ResetTables(lines.back()), resets[choice < 0 ? 1 : choice]) << choice;
    }
}

TEST(RunnerPanel, ADialogTakesNoTimeAndChangesNothingOfTheGame) {
    const auto plain = RunScriptText("0 command 40001\n5 key-down 32\n12 key-up 32\n", 40);
    EXPECT_EQ(RunScriptText("0 command 40001\n5 key-down 32\n8 command 40019\n12 key-up 32\n"
                            "20 clear-choice 0\n20 command 40017\n",
                            40),
              plain);
}

TEST_F(ScreenFolder, AScreenInTheTickADialogOpensShowsItAnswered) {
    const Bitmap about = asset_readers::LoadBmp("bitmaps/about.bmp");
    ASSERT_EQ(about.error, "");
    const auto lines = RunScriptText("3 command 40019\n6 clear-choice 2\n6 command 40017\n", 8,
                                     {{3, folder_ / "about.bmp"},
                                      {4, folder_ / "after.bmp"},
                                      {6, folder_ / "clear.bmp"},
                                      {7, folder_ / "cleared.bmp"}});
    ASSERT_EQ(lines.size(), 9u);
    EXPECT_GE(Find(about, Screen("about.bmp")).first, 0) << "the About picture, in its tick";
    EXPECT_EQ(Find(about, Screen("after.bmp")).first, -1) << "and gone after";

    // The Clear Best5 screen differs from the next one only where the dialog
    // stood: the field scrolls on behind both.
    const Bitmap clear = Screen("clear.bmp"), cleared = Screen("cleared.bmp");
    ASSERT_EQ(clear.error, "");
    int changedInMiddle = 0;
    for (int py = 150; py < 250; ++py)
        for (int px = 250; px < 380; ++px)
            changedInMiddle += clear.at(px, py) != cleared.at(px, py);
    EXPECT_GT(changedInMiddle, 2000);
    EXPECT_EQ(ResetTables(lines.back()), "100");
}

TEST_F(ScreenFolder, ThePanelsPagesRunOnTheVirtualClockAndAClickTurnsThem) {
    SimRun run;
    StartRun(run, SimOptions{});
    for (int tick = 0; tick < 200; ++tick)
        DispatchGameTimer(run);
    // 200 ticks of 40 ms are 8 s, 160 page ticks of 50 ms: page 1 stands.
    // The 160th is due with the 200th game tick and comes after it.
    EXPECT_EQ(run.window.panel.pageCounter, 159);

    // The screen shows panelImage's page 1 at the picture's place.
    ASSERT_TRUE(SaveClientArea(run.mainWindow, run.window.screen.palette, folder_ / "page.bmp"));
    const Bitmap screen = Screen("page.bmp");
    ASSERT_EQ(screen.error, "");
    std::int32_t mainX = 0, mainY = 0, left = 13, top = 12;
    ClientToScreen(run.mainWindow, mainX, mainY);
    ClientToScreen(run.window.panel.window, left, top);
    left -= mainX;
    top -= mainY;
    int differing = 0;
    for (int py = 0; py < 140; ++py)
        for (int px = 0; px < 288; ++px)
            differing += screen.at(left + px, top + py) !=
                         GetPixelIndex(run.window.screen.panelImage.bitmap, px, 140 + py);
    EXPECT_EQ(differing, 0);

    // A click on the picture, as the script gives it in client pixels; the
    // release names no point and comes where the press was.
    ScriptEvent click{};
    click.verb = ScriptVerb::LeftButtonDown;
    click.x = left + 100;
    click.y = top + 60;
    DeliverEvent(run, click);
    click.verb = ScriptVerb::LeftButtonUp;
    DeliverEvent(run, click);
    // Page 2 starts its slide; the page tick left over runs after the click.
    EXPECT_EQ(run.window.panel.pageCounter, 281);
    EXPECT_EQ(RunState(run).jumpHeld, 0) << "the click was the panel's, not the game's";
    EndRun(run);
    CloseRun(run);
}
