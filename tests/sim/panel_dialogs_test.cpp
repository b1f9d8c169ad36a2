// The runner with the real start panel and dialogs: keys in the title take
// the panel's road, the dialogs are answered from the script without a tick
// passing, and the screens show the panel's pages and a dialog open in its
// tick.

#include "shell/panel/page_counter.h"
#include "shell/panel/start_panel.h"
#include "tests/assets/asset_readers.h"
#include "tools/varnisk-sim/runner.h"
#include "tools/varnisk-sim/screen_file.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>

namespace {

using asset_readers::Bitmap;
using asset_readers::LoadBmp;

std::vector<std::string> RunScriptText(const std::string& script, std::int64_t ticks,
                                       const std::vector<ScreenRequest>& screens = {}) {
    std::istringstream in(script);
    const ScriptResult parsed = ParseScript(in);
    EXPECT_FALSE(parsed.error) << *parsed.error;
    SimOptions options;
    options.ticks = ticks;
    options.screens = screens;
    std::ostringstream out;
    RunSimulation(options, parsed.events, out);
    std::vector<std::string> lines;
    std::istringstream all(out.str());
    for (std::string line; std::getline(all, line);)
        lines.push_back(line);
    return lines;
}

std::string Field(const std::string& line, const std::string& key) {
    const std::size_t at = line.find("\"" + key + "\":");
    const std::size_t start = at + key.size() + 3;
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

// The first line where two traces part, or -1.
int FirstDifference(const std::vector<std::string>& a, const std::vector<std::string>& b) {
    for (std::size_t i = 0; i < std::max(a.size(), b.size()); ++i)
        if (i >= a.size() || i >= b.size() || a[i] != b[i])
            return static_cast<int>(i);
    return -1;
}

Bitmap LoadScreen(const std::filesystem::path& file) {
    return LoadBmp(std::filesystem::relative(file, VARNISK_ASSET_DIR).string());
}

// Where a picture stands, pixel for pixel, in a screen; (-1, -1) if nowhere.
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
    void SetUp() override {
        folder_ = std::filesystem::temp_directory_path() /
                  ("varnisk-sim-panel-" +
                   std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }
    std::filesystem::path folder_;
};

} // namespace

TEST(RunnerPanel, KeysInTheTitleTakeThePanelsRoad) {
    // Space presses the focused New Game button: the game starts as the key
    // comes up, and the key that pressed the button is no jump.
    const auto space = RunScriptText("3 key-down 32\n4 key-up 32\n", 6);
    EXPECT_EQ(Field(space[3], "mode"), "1");
    EXPECT_EQ(Field(space[3], "jumpHeld"), "0");
    EXPECT_EQ(Field(space[4], "mode"), "0");
    EXPECT_EQ(Field(space[4], "practiceDifficulty"), "0");

    // Tab to Practice, Enter.
    const auto practice =
        RunScriptText("1 key-down 9\n1 key-up 9\n2 key-down 13\n2 key-up 13\n", 4);
    EXPECT_EQ(Field(practice[1], "mode"), "1");
    EXPECT_EQ(Field(practice[2], "mode"), "0");
    EXPECT_NE(Field(practice[2], "practiceDifficulty"), "0");

    // Escape presses Exit: the run ends there with its final line.
    const auto exit = RunScriptText("2 key-down 27\n", 50);
    ASSERT_EQ(exit.size(), 3u);
    EXPECT_EQ(exit[2].rfind("{\"final\":true", 0), 0u);
}

TEST(RunnerPanel, EveryClearChoiceReachesTheRealDialog) {
    const std::pair<std::string, std::string> cases[] = {
        {"", "111"}, // as opened: Clear All
        {"1 clear-choice 0\n", "000"},
        {"1 clear-choice 1\n", "111"},
        {"1 clear-choice 2\n", "100"},
        {"1 clear-choice 3\n", "010"},
        {"1 clear-choice 4\n", "001"},
    };
    for (const auto& [choice, reset] : cases) {
        const auto lines = RunScriptText(choice + "1 command 40017\n", 3);
        ASSERT_EQ(lines.size(), 4u) << "no tick lost to the dialog: " << choice;
        EXPECT_EQ(ResetTables(lines.back()), reset) << choice;
    }
}

TEST(RunnerPanel, ADialogTakesNoTimeAndChangesNothingOfTheGame) {
    const auto plain = RunScriptText("0 command 40001\n5 key-down 32\n12 key-up 32\n", 40);
    const auto withDialogs = RunScriptText("0 command 40001\n5 key-down 32\n8 command 40019\n"
                                           "12 key-up 32\n20 clear-choice 0\n20 command 40017\n",
                                           40);
    EXPECT_EQ(FirstDifference(withDialogs, plain), -1);
}

TEST_F(ScreenFolder, AScreenInTheTickADialogOpensShowsItAnswered) {
    const Bitmap about = LoadBmp("bitmaps/about.bmp");
    ASSERT_EQ(about.error, "");
    const auto lines = RunScriptText("3 command 40019\n6 clear-choice 2\n6 command 40017\n", 8,
                                     {{3, folder_ / "about.bmp"},
                                      {4, folder_ / "after.bmp"},
                                      {6, folder_ / "clear.bmp"},
                                      {7, folder_ / "cleared.bmp"}});
    ASSERT_EQ(lines.size(), 9u);
    const Bitmap open = LoadScreen(folder_ / "about.bmp");
    ASSERT_EQ(open.error, "");
    const auto [x, y] = Find(about, open);
    EXPECT_GE(x, 0) << "the About picture is on the screen of its tick";
    EXPECT_EQ(Find(about, LoadScreen(folder_ / "after.bmp")).first, -1) << "and gone after";

    // The Clear Best5 screen differs from the next one only where the dialog
    // stood: the field scrolls on behind both.
    const Bitmap clear = LoadScreen(folder_ / "clear.bmp");
    const Bitmap cleared = LoadScreen(folder_ / "cleared.bmp");
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
    SimOptions options;
    StartRun(run, options);
    for (int tick = 0; tick < 200; ++tick)
        DispatchGameTimer(run);
    // 200 ticks of 40 ms are 8 s, 160 page ticks of 50 ms: page 1 stands.
    // The 160th is due with the 200th game tick and comes after it.
    EXPECT_EQ(StartPanelPageCounter(), 159);

    // The screen shows panelImage's page 1 at the picture's place.
    ASSERT_TRUE(SaveClientArea(run.mainWindow, RunState(run).palette, folder_ / "page.bmp"));
    const Bitmap screen = LoadScreen(folder_ / "page.bmp");
    ASSERT_EQ(screen.error, "");
    std::int32_t mainX = 0, mainY = 0, panelX = 0, panelY = 0;
    ClientToScreen(run.mainWindow, mainX, mainY);
    ClientToScreen(StartPanel(), panelX, panelY);
    const int left = panelX - mainX + 13, top = panelY - mainY + 12;
    int differing = 0;
    for (int py = 0; py < 140; ++py)
        for (int px = 0; px < 288; ++px)
            differing += screen.at(left + px, top + py) !=
                         GetPixelIndex(RunState(run).panelImage.bitmap, px, 140 + py);
    EXPECT_EQ(differing, 0);

    // A click on the picture, as the script gives it in client pixels.
    ScriptEvent click{};
    click.tick = 200;
    click.verb = ScriptVerb::LeftButtonDown;
    click.x = left + 100;
    click.y = top + 60;
    DeliverEvent(run, click);
    click.verb = ScriptVerb::LeftButtonUp;
    click.hasPoint = false;
    DeliverEvent(run, click);
    // Page 2 starts its slide; the page tick left over runs after the click.
    EXPECT_EQ(StartPanelPageCounter(), 281);
    EXPECT_EQ(RunState(run).jumpHeld, 0) << "the click was the panel's, not the game's";
    EndRun(run);
    CloseRun(run);
}
