// The runner with the real start panel and dialogs: keys in the title take
// the panel's road, the dialogs are answered from the script without a tick
// passing, and the screens show the panel's pages and a dialog open in its
// tick.

#include "platform/gdi/gdi.h"
#include "platform/user/user.h"
#include "tests/sim/run_script.h"
#include "tools/varnisk-sim/screen_file.h"

namespace {

using asset_readers::Bitmap;

std::vector<std::string> RunScriptText(const std::string& script, std::int64_t ticks,
                                       const std::vector<ScreenRequest>& screens = {}) {
    SimOptions options;
    options.ticks = ticks;
    options.screens = screens;
    return RunScriptLines(script, options);
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

// Whether a picture stands, pixel for pixel, anywhere in a screen.
bool Shows(const Bitmap& screen, const Bitmap& picture) {
    for (int y = 0; y + picture.height <= screen.height; ++y)
        for (int x = 0; x + picture.width <= screen.width; ++x) {
            bool same = true;
            for (int py = 0; py < picture.height && same; py += 3)
                for (int px = 0; px < picture.width && same; px += 3)
                    same = screen.at(x + px, y + py) == picture.at(px, py);
            if (same)
                return true;
        }
    return false;
}

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

TEST(RunnerPanel, AScreenInTheTickADialogOpensShowsItAnswered) {
    TempFolder folder;
    const Bitmap about = asset_readers::LoadBmp("bitmaps/about.bmp");
    ASSERT_EQ(about.error, "");
    const auto lines = RunScriptText("3 command 40019\n6 clear-choice 2\n6 command 40017\n", 8,
                                     {{3, folder.path / "about.bmp"},
                                      {4, folder.path / "after.bmp"},
                                      {6, folder.path / "clear.bmp"},
                                      {7, folder.path / "cleared.bmp"}});
    ASSERT_EQ(lines.size(), 9u);
    EXPECT_TRUE(Shows(folder.Screen("about.bmp"), about)) << "the About picture, in its tick";
    EXPECT_FALSE(Shows(folder.Screen("after.bmp"), about)) << "and gone after";

    // The Clear Best5 screen differs from the next one where the dialog
    // stood: the field scrolls on behind both.
    const Bitmap clear = folder.Screen("clear.bmp"), cleared = folder.Screen("cleared.bmp");
    ASSERT_EQ(clear.error, "");
    int changedInMiddle = 0;
    for (int py = 150; py < 250; ++py)
        for (int px = 250; px < 380; ++px)
            changedInMiddle += clear.at(px, py) != cleared.at(px, py);
    EXPECT_GT(changedInMiddle, 2000);
    EXPECT_EQ(ResetTables(lines.back()), "100");
}

TEST(RunnerPanel, ThePanelsPagesRunOnTheVirtualClockAndAClickTurnsThem) {
    TempFolder folder;
    SimRun run;
    StartRun(run, SimOptions{});
    for (int tick = 0; tick < 200; ++tick)
        DispatchGameTimer(run);
    // 200 ticks of 40 ms are 8 s, 160 page ticks of 50 ms: page 1 stands.
    // The 160th is due with the 200th game tick and comes after it.
    EXPECT_EQ(run.window.panel.pageCounter, 159);

    // The screen shows panelImage's page 1 at the picture's place.
    ASSERT_TRUE(
        SaveClientArea(run.mainWindow, run.window.screen.palette, folder.path / "page.bmp"));
    const Bitmap screen = folder.Screen("page.bmp");
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
    ScriptEvent press{}, release{};
    press.verb = ScriptVerb::LeftButtonDown;
    press.hasPoint = true;
    press.x = left + 100;
    press.y = top + 60;
    release.verb = ScriptVerb::LeftButtonUp;
    DeliverEvent(run, press);
    DeliverEvent(run, release);
    // Page 2 starts its slide; the page tick left over runs after the click.
    EXPECT_EQ(run.window.panel.pageCounter, 281);
    EXPECT_EQ(RunState(run).jumpHeld, 0) << "the click was the panel's, not the game's";
    EndRun(run);
    CloseRun(run);
}
