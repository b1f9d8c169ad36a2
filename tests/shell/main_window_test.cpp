#include "core/commands.h"
#include "core/floor_field.h"
#include "shell/main_window.h"
#include "tests/core/core_test_support.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <memory>
#include <set>
#include <tuple>

namespace {

using namespace command;
using namespace coretest;

class MainWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder = std::filesystem::temp_directory_path() /
                 ("varnisk-shell-" +
                  std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
    }
    void TearDown() override { std::filesystem::remove_all(folder); }

    // A new main window, created on these settings (none: the defaults).
    GameState& Open(const std::string& settings = "", std::uint32_t tickTimer = 1) {
        std::ofstream(folder / "in.ini") << settings;
        window = std::make_unique<MainWindow>();
        auto owned = std::make_unique<RecordingPorts>();
        ports = owned.get();
        ports->tickCount = 1234;
        ports->tickTimer = tickTimer;
        ports->menu = &window->menu;
        ConnectPorts(*window, std::move(owned));
        window->options = {folder / "in.ini", folder / "out.ini", std::nullopt};
        OnCreate(*window);
        return window->game;
    }
    std::set<int> CheckedIds() const {
        std::set<int> ids;
        for (int id = newGame; id <= about; ++id) {
            if (FindMenuItem(window->menu, id)->checked) {
                ids.insert(id);
            }
        }
        return ids;
    }
    bool MusicPlaying() const { // the last word of the music ports
        const auto last = std::find_if(ports->calls.rbegin(), ports->calls.rend(), [](auto& c) {
            return c == "PlayMusic" || c == "StopMusic";
        });
        return last != ports->calls.rend() && *last == "PlayMusic";
    }

    std::filesystem::path folder;
    std::unique_ptr<MainWindow> window;
    RecordingPorts* ports = nullptr;
};

const std::set<int> defaultChecks = {normal, conveyorBelt, movingLR, movingUD,
                                     spring, music,        sound};

TEST_F(MainWindowTest, StartUpLaysOutTheFieldForTheLoadedSettingsAndMarksThem) {
    const GameState& state = Open("[Setting]\nDifficulty=3\nFloorFlag=6\nSpeed=1\n");
    EXPECT_FIELDS(state, "mode", GameMode::Title, "playerY", 352, "floorCount", 1, "shownFloor", 1);
    // Seeded from the tick count, then laid out for Hard with the loaded switches.
    GameState replay = state;
    SeedRandom(replay.random, 1234);
    LayOutField(replay);
    for (int i = 0; i < floorSlotCount; ++i) {
        EXPECT_EQ(Named(state.floors[i]), Named(replay.floors[i])) << "slot " << i;
    }
    EXPECT_EQ(CheckedIds(), (std::set<int>{hard, movingLR, movingUD, music, sound, speedUp}));
}

// Practice clears the Difficulty menu's marks and grays it; the title puts them
// back. Ending the program during practice saves the player's own settings.
TEST_F(MainWindowTest, PracticeClearsTheDifficultyChecksAndTheTeardownSavesThePlayersOwn) {
    Open("[Setting]\nDifficulty=3\nFloorFlag=9\n");
    OnCommand(*window, practice);
    EXPECT_EQ(CheckedIds(), (std::set<int>{music, sound}));
    EXPECT_FALSE(IsCommandAvailable(window->menu, easy));
    OnCommand(*window, command::pause);
    EXPECT_EQ(FindMenuItem(window->menu, command::pause)->label, "&Resume");
    OnCommand(*window, command::abort);
    EXPECT_EQ(FindMenuItem(window->menu, command::pause)->label, "&Pause");
    EXPECT_EQ(CheckedIds(), (std::set<int>{hard, conveyorBelt, spring, music, sound}));
    EXPECT_TRUE(IsCommandAvailable(window->menu, easy));
    EXPECT_FALSE(IsCommandAvailable(window->menu, command::pause));
    OnCommand(*window, practice);
    OnCommand(*window, command::exit); // asks for the teardown
    OnDestroy(*window);
    EXPECT_TRUE(Once(*ports, "SendDestroyMessage", "ReleaseSurfaces", "ReleaseEffects",
                     "CloseMusic", "CloseHelp", "PostQuitMessage 0"));
    std::ifstream in(folder / "out.ini");
    const std::string saved{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    EXPECT_NE(saved.find("Difficulty=3"), std::string::npos) << saved;
    EXPECT_NE(saved.find("FloorFlag=9"), std::string::npos) << saved;
}

// Each option flips its setting and check mark (a second time back) and redraws
// only what shows it; a partial redraw starts from black with every slot to draw.
TEST_F(MainWindowTest, OptionCommandsFlipTheirSettingAndCheckMark) {
    using G = GameState;
    const std::tuple<int, std::int32_t G::*, std::int32_t, std::vector<std::string>> cases[] = {
        {easy, &G::difficulty, 1, {"DrawDifficultyAndBest"}},
        {hard, &G::difficulty, 3, {"DrawDifficultyAndBest"}},
        {conveyorBelt, &G::floorFlags, 14, {}},
        {movingLR, &G::floorFlags, 13, {}},
        {movingUD, &G::floorFlags, 11, {}},
        {spring, &G::floorFlags, 7, {}},
        {music, &G::musicOn, 0, {"StopMusic"}},
        {sound, &G::soundOn, 0, {}},
        {speedUp, &G::speedUp, 1, {"FillWindowRectBlack 24 64 440 416", "DrawPartialFrame"}},
        {showJumpCount, &G::showJumpCount, 1, {"DrawJumpCountLabel", "DrawBest5Pages"}}};
    for (const auto& [id, field, after, shown] : cases) {
        GameState& state = Open();
        const std::int32_t before = state.*field;
        ParkFloors(state); // and no slot to draw
        ports->Clear();
        OnCommand(*window, id);
        EXPECT_EQ(state.*field, after) << id;
        std::set<int> checks = defaultChecks;
        if (checks.erase(field == &G::difficulty ? normal : id) == 0 || field == &G::difficulty) {
            checks.insert(id);
        }
        EXPECT_EQ(CheckedIds(), checks) << id;
        std::vector<std::string> drawn = ports->calls;
        std::erase_if(drawn, [](const std::string& call) {
            return call.rfind("CheckMenuItem", 0) == 0 || call == "UpdateMenuChecks";
        });
        EXPECT_EQ(drawn, shown) << id;
        const int marked = id == speedUp;
        EXPECT_FIELDS(state, "slot0.dirty", marked, "slot10.dirty", marked, "slot11.dirty", marked,
                      "slot13.dirty", marked)
            << id;
        if (field != &G::difficulty) {
            OnCommand(*window, id);
            EXPECT_EQ(state.*field, before) << id;
            EXPECT_EQ(CheckedIds(), defaultChecks) << id;
        }
    }
}

TEST_F(MainWindowTest, MusicPlaysOnlyDuringAGameAndFromTheResume) {
    Open();
    OnCommand(*window, music); // off in the title
    OnCommand(*window, music); // on in the title: it waits for a game
    EXPECT_FALSE(MusicPlaying());
    OnCommand(*window, newGame);
    EXPECT_TRUE(MusicPlaying());
    OnCommand(*window, command::pause);
    OnCommand(*window, music);
    OnCommand(*window, music); // on during a pause: it waits for the resume
    EXPECT_FALSE(MusicPlaying());
    OnCommand(*window, command::pause);
    EXPECT_TRUE(MusicPlaying());
}

// A settings file that cannot be read is left alone all run: the player is
// told once, and the records go to (and next time come from) the aside
// file. A save that fails is told, and retried as often as asked.
TEST_F(MainWindowTest, AnUnreadableFileIsToldAndKeptAndAFailedSaveMayBeRetried) {
    const std::filesystem::path blocked = folder / "blocked.ini";
    std::filesystem::create_directory(blocked); // a folder in the way
    for (const int run : {1, 2}) {
        window = std::make_unique<MainWindow>();
        auto owned = std::make_unique<RecordingPorts>();
        ports = owned.get();
        ConnectPorts(*window, std::move(owned));
        window->options = {blocked, blocked, std::nullopt};
        OnCreate(*window);
        const auto told = ports->CallsStartingWith("TellSettingsProblem");
        ASSERT_EQ(told.size(), 1u);
        EXPECT_NE(told[0].find("a folder is in the way"), std::string::npos) << told[0];
        EXPECT_NE(told[0].find("blocked-unsaved.ini"), std::string::npos) << told[0];
        EXPECT_EQ(window->game.records[1][0].score, run == 1 ? 5 : 77) << "from the aside file";
        window->game.records[1][0].score = 77;
        OnDestroy(*window);
        EXPECT_TRUE(std::filesystem::is_directory(blocked));
        EXPECT_TRUE(ports->CallsStartingWith("OfferToRetrySave").empty());
    }
    // The aside file's folder is a file now: each Retry saves again.
    std::filesystem::remove(folder / "blocked-unsaved.ini");
    std::ofstream(folder / "no-folder") << "a file";
    window->saveTo = folder / "no-folder" / "out.ini";
    ports->Clear();
    ports->retrySaves = 2;
    OnDestroy(*window);
    const auto offered = ports->CallsStartingWith("OfferToRetrySave");
    ASSERT_EQ(offered.size(), 3u);
    // The path as the system writes it: backslashes on Windows.
    const std::string shown = (std::filesystem::path("no-folder") / "out.ini").string();
    EXPECT_NE(offered[0].find(shown), std::string::npos) << offered[0];
}

} // namespace
