// The main window's handlers: start-up and teardown orders, the command
// table and the menu's check marks through whole games.

#include "core/commands.h"
#include "core/floor_field.h"
#include "core/random.h"
#include "persist/settings_file.h"
#include "shell/main_menu.h"
#include "shell/main_window.h"
#include "tests/support/recording_ports.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <memory>

namespace {

// The calls of the shell's own ports, without the menu's check marks.
std::vector<std::string> WithoutMenuDrawing(const std::vector<std::string>& calls) {
    std::vector<std::string> out;
    for (const std::string& call : calls) {
        if (call.rfind("CheckMenuItem", 0) != 0 && call != "UpdateMenuChecks") {
            out.push_back(call);
        }
    }
    return out;
}

class MainWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        auto ports = std::make_unique<RecordingPorts>();
        ports_ = ports.get();
        ports_->tickCount = 1234;
        ports_->menu = &window_->menu;
        ConnectPorts(*window_, std::move(ports));
        folder_ = std::filesystem::temp_directory_path() /
                  ("varnisk-shell-" +
                   std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
        window_->options = {folder_ / "in.ini", folder_ / "out.ini", std::nullopt};
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    void WriteSettings(const std::string& text) { std::ofstream(folder_ / "in.ini") << text; }
    std::string SavedSettings() {
        std::ifstream in(folder_ / "out.ini");
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    bool Checked(int id) { return FindMenuItem(window_->menu, id)->checked; }
    std::vector<std::string> Calls() { return WithoutMenuDrawing(ports_->calls); }

    GameState& Create() {
        OnCreate(*window_);
        return window_->game;
    }

    std::filesystem::path folder_;
    std::unique_ptr<MainWindow> window_ = std::make_unique<MainWindow>();
    RecordingPorts* ports_ = nullptr;
};

} // namespace

TEST_F(MainWindowTest, StartUpRunsInOrderAndLaysOutForTheLoadedSettings) {
    WriteSettings("[Setting]\nDifficulty=3\nFloorFlag=6\nSpeed=1\n");
    GameState& state = Create();
    EXPECT_EQ(Calls(), (std::vector<std::string>{"CreateSurfaces", "GetTickCount", "LoadEffects",
                                                 "OpenMusic", "ShowMainWindow", "CreateTickTimer",
                                                 "CreateStartPanel"}));
    EXPECT_EQ(state.mode, GameMode::Title);
    EXPECT_EQ(state.playerY, 352);
    EXPECT_EQ(state.floorCount, 1);
    EXPECT_EQ(state.shownFloor, 1);
    EXPECT_EQ(state.tickTimer, 1u);
    // Seeded from the tick count, then laid out for Hard with the loaded switches.
    GameState replay{};
    replay.difficulty = 3;
    replay.floorFlags = 6;
    replay.floorCount = 1;
    SeedRandom(replay.random, 1234);
    LayOutField(replay);
    for (int i = 0; i < floorSlotCount; ++i) {
        EXPECT_EQ(state.floors[i].kind, replay.floors[i].kind) << i;
        EXPECT_EQ(state.floors[i].x, replay.floors[i].x) << i;
    }
    // Check marks follow the loaded settings.
    EXPECT_TRUE(Checked(command::hard));
    EXPECT_FALSE(Checked(command::normal));
    EXPECT_FALSE(Checked(command::conveyorBelt));
    EXPECT_TRUE(Checked(command::movingLR));
    EXPECT_TRUE(Checked(command::movingUD));
    EXPECT_FALSE(Checked(command::spring));
    EXPECT_TRUE(Checked(command::music));
    EXPECT_TRUE(Checked(command::sound));
    EXPECT_TRUE(Checked(command::speedUp));
    EXPECT_FALSE(Checked(command::showJumpCount));
}

TEST_F(MainWindowTest, WithoutATimerItBeepsAndNothingTicks) {
    ports_->tickTimer = 0;
    GameState& state = Create();
    const auto calls = Calls();
    ASSERT_GE(calls.size(), 2u);
    EXPECT_EQ(calls[calls.size() - 2], "SoundDefaultBeep");
    EXPECT_EQ(calls.back(), "CreateStartPanel");
    const FloorSlot before = state.floors[0];
    OnTimer(*window_, 1);
    EXPECT_EQ(state.floors[0].y, before.y);
    OnCommand(*window_, command::newGame); // the menus still answer
    EXPECT_EQ(state.mode, GameMode::Playing);
}

TEST_F(MainWindowTest, TeardownSavesFirstThenReleasesInOrder) {
    Create();
    ports_->Clear();
    OnDestroy(*window_);
    EXPECT_EQ(Calls(), (std::vector<std::string>{"ReleaseSurfaces", "ReleaseEffects", "CloseMusic",
                                                 "CloseHelp", "PostQuitMessage 0"}));
    EXPECT_NE(SavedSettings().find("Difficulty=2"), std::string::npos);
}

TEST_F(MainWindowTest, EndingDuringPracticeSavesThePlayersOwnSettings) {
    WriteSettings("[Setting]\nDifficulty=3\nFloorFlag=9\n");
    GameState& state = Create();
    OnCommand(*window_, command::practice);
    ASSERT_EQ(state.difficulty, 2);
    ASSERT_EQ(state.floorFlags, 0);
    OnCommand(*window_, command::exit); // sends the destroy message (recorded here)
    OnDestroy(*window_);
    const std::string saved = SavedSettings();
    EXPECT_NE(saved.find("Difficulty=3"), std::string::npos) << saved;
    EXPECT_NE(saved.find("FloorFlag=9"), std::string::npos) << saved;
}

TEST_F(MainWindowTest, PracticeClearsTheDifficultyChecksAndTheTitleRestoresThem) {
    WriteSettings("[Setting]\nDifficulty=2\nFloorFlag=0\n");
    GameState& state = Create();
    ASSERT_TRUE(Checked(command::normal));
    OnCommand(*window_, command::practice);
    for (int id = command::easy; id <= command::spring; ++id) {
        EXPECT_FALSE(Checked(id)) << id;
    }
    EXPECT_FALSE(IsCommandAvailable(window_->menu, command::easy));
    OnCommand(*window_, command::pause);
    EXPECT_EQ(FindMenuItem(window_->menu, command::pause)->label, "&Resume");
    OnCommand(*window_, command::abort);
    EXPECT_EQ(FindMenuItem(window_->menu, command::pause)->label, "&Pause");
    EXPECT_TRUE(Checked(command::normal));
    EXPECT_FALSE(Checked(command::conveyorBelt)); // floor flags were 0 before
    EXPECT_EQ(state.floorFlags, 0);
    EXPECT_TRUE(IsCommandAvailable(window_->menu, command::easy));
    EXPECT_FALSE(IsCommandAvailable(window_->menu, command::pause));
}

TEST_F(MainWindowTest, DifficultyAndFloorCommandsMoveTheirChecks) {
    GameState& state = Create();
    ports_->Clear();
    OnCommand(*window_, command::easy);
    EXPECT_EQ(state.difficulty, 1);
    EXPECT_TRUE(Checked(command::easy));
    EXPECT_FALSE(Checked(command::normal));
    EXPECT_EQ(Calls(), std::vector<std::string>{"DrawDifficultyAndBest"});
    ports_->Clear();
    OnCommand(*window_, command::movingUD);
    EXPECT_EQ(state.floorFlags, 11);
    EXPECT_FALSE(Checked(command::movingUD));
    EXPECT_TRUE(Calls().empty()); // nothing is redrawn
    OnCommand(*window_, command::movingUD);
    EXPECT_EQ(state.floorFlags, 15);
    EXPECT_TRUE(Checked(command::movingUD));
}

TEST_F(MainWindowTest, MusicToggleStartsTheMusicOnlyDuringPlay) {
    GameState& state = Create();
    ports_->Clear();
    OnCommand(*window_, command::music); // off in the title
    EXPECT_EQ(state.musicOn, 0);
    EXPECT_FALSE(Checked(command::music));
    EXPECT_EQ(Calls(), std::vector<std::string>{"StopMusic"});
    ports_->Clear();
    OnCommand(*window_, command::music); // on in the title: nothing plays yet
    EXPECT_EQ(state.musicOn, 1);
    EXPECT_TRUE(Checked(command::music));
    EXPECT_TRUE(Calls().empty());
    OnCommand(*window_, command::newGame);
    OnCommand(*window_, command::music);
    ports_->Clear();
    OnCommand(*window_, command::music); // on during play: plays from the start
    EXPECT_EQ(Calls(), std::vector<std::string>{"PlayMusic"});
    OnCommand(*window_, command::pause);
    OnCommand(*window_, command::music);
    ports_->Clear();
    OnCommand(*window_, command::music); // on during a pause: waits for the resume
    EXPECT_TRUE(ports_->CallsStartingWith("PlayMusic").empty());
    OnCommand(*window_, command::pause);
    EXPECT_EQ(ports_->CallsStartingWith("PlayMusic").size(), 1u);
}

TEST_F(MainWindowTest, SoundSpeedUpAndJumpCountToggles) {
    GameState& state = Create();
    ports_->Clear();
    OnCommand(*window_, command::sound);
    EXPECT_EQ(state.soundOn, 0);
    EXPECT_FALSE(Checked(command::sound));
    OnCommand(*window_, command::sound);
    EXPECT_EQ(state.soundOn, 1);
    EXPECT_TRUE(Calls().empty());

    for (FloorSlot& slot : state.floors) {
        slot.dirty = 0;
    }
    OnCommand(*window_, command::speedUp);
    EXPECT_EQ(state.speedUp, 1);
    EXPECT_TRUE(Checked(command::speedUp));
    EXPECT_EQ(Calls(),
              (std::vector<std::string>{"FillWindowRectBlack 24 64 440 416", "DrawPartialFrame"}));
    for (const FloorSlot& slot : state.floors) {
        EXPECT_EQ(slot.dirty, 1);
    }
    ports_->Clear();
    OnCommand(*window_, command::speedUp);
    EXPECT_EQ(state.speedUp, 0);
    EXPECT_EQ(Calls(), std::vector<std::string>{"DrawFullFrame"});

    ports_->Clear();
    OnCommand(*window_, command::showJumpCount);
    EXPECT_EQ(state.showJumpCount, 1);
    EXPECT_TRUE(Checked(command::showJumpCount));
    EXPECT_EQ(Calls(), (std::vector<std::string>{"DrawJumpCountLabel", "DrawBest5Pages"}));
}

TEST_F(MainWindowTest, HelpAboutClearAndTheCommandThatDoesNothing) {
    GameState& state = Create();
    ports_->Clear();
    OnCommand(*window_, command::nothing);
    OnCommand(*window_, 12345);
    EXPECT_TRUE(Calls().empty());
    OnCommand(*window_, command::helpTopics);
    OnCommand(*window_, command::helpKey);
    OnCommand(*window_, command::about);
    EXPECT_EQ(Calls(),
              (std::vector<std::string>{"ShowHelpTopics", "ShowHelpTopics", "RunAboutDialog"}));
    ports_->Clear();
    state.records[0][0].score = 99;
    OnCommand(*window_, command::clearBest5); // the dialog answers "Clear All"
    EXPECT_EQ(state.records[0][0].score, 5);
    EXPECT_EQ(state.records[0][0].jumps, 10);
}
