// The real program on a private X server: the title with its start panel, a
// game started with Enter, a jump charged with the space bar, a pause and a
// resume with Escape, an option switched and the program left through the
// menus; then the settings it saved.

#include "tests/e2e/child_process.h"
#include "tests/e2e/e2e_options.h"
#include "tests/e2e/game_layout.h"
#include "tests/e2e/game_window_driver.h"
#include "tests/e2e/settings_ini.h"
#include "tests/e2e/x_session.h"
#include "tests/e2e/xvfb_server.h"

#include <X11/keysym.h>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <thread>

namespace {

using namespace std::chrono_literals;

// Generous: a loaded two-core machine, and the sanitized build starts slowly.
constexpr auto patience = 30s;

// The menus as the game lays them out: 'i' an item, '-' a separator.
constexpr int fileMenu = 0;
constexpr const char* fileEntries = "ii-ii-i"; // New Game, Practice | Pause, Abort | Exit
constexpr int exitItem = 4;
constexpr int optionMenu = 2;
constexpr const char* optionEntries = "iiii-i"; // Music, Sound, SpeedUp, Show Jump Count | Clear
constexpr int showJumpCountItem = 3;

// A fresh folder for the run's home, settings and logs, removed at the end.
class TemporaryFolder {
  public:
    TemporaryFolder() {
        const char* base = std::getenv("TMPDIR");
        std::string pattern = std::string(base != nullptr ? base : "/tmp") + "/varnisk-e2e-XXXXXX";
        if (mkdtemp(pattern.data()) != nullptr) {
            path_ = pattern;
        }
    }
    ~TemporaryFolder() {
        std::error_code ignored;
        if (!path_.empty()) {
            std::filesystem::remove_all(path_, ignored);
        }
    }
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;
    const std::filesystem::path& Path() const { return path_; }

  private:
    std::filesystem::path path_;
};

std::string PrintedLog(const std::filesystem::path& file) {
    std::ifstream in(file);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool Differs(const WindowImage& image, const GameRect& area,
             const std::vector<std::uint32_t>& before) {
    return CountDifferences(image.Area(area), before) > 0;
}

} // namespace

TEST(EndToEnd, PlaysPausesAndQuitsThroughTheMenu) {
    const E2eOptions& options = Options();
    TemporaryFolder folder;
    ASSERT_FALSE(folder.Path().empty());
    const std::filesystem::path config = folder.Path() / "config";
    const std::filesystem::path settings = config / "varnisk" / "varnisk.ini";
    std::filesystem::create_directories(settings.parent_path());
    if (options.zoomSetting > 0) {
        std::ofstream(settings) << "[Setting]\nZoom=" << options.zoomSetting << "\n";
    }

    // 1. The server, our connection to it, then the game. Destroyed in the
    //    reverse order: the game first, the server last.
    const std::filesystem::path xvfbLog = folder.Path() / "xvfb.log";
    XvfbServer server(options.xvfb, options.screen, xvfbLog.string());
    ASSERT_FALSE(server.DisplayName().empty()) << "Xvfb did not start:\n" << PrintedLog(xvfbLog);
    XSession session(server.DisplayName(), patience);
    ASSERT_TRUE(session.Connected()) << "cannot connect to " << server.DisplayName();
    ASSERT_TRUE(session.HasXTest()) << "the X server has no XTest extension";

    ChildOptions game;
    game.argv = {options.game};
    game.workingDirectory = folder.Path().string();
    game.environment = {
        {"DISPLAY", server.DisplayName()}, {"XDG_CONFIG_HOME", config.string()},
        {"HOME", folder.Path().string()},  {"SDL_AUDIODRIVER", "dummy"},
        {"SDL_VIDEODRIVER", "x11"},        {"DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent"},
        {"WAYLAND_DISPLAY", std::nullopt}, {"XAUTHORITY", std::nullopt},
    };
    ChildProcess varnisk(game);
    ASSERT_TRUE(varnisk.Started());

    // 2. The window, by its title, and the factor it shows the screen at.
    WindowPlace window;
    const auto windowDeadline = std::chrono::steady_clock::now() + patience;
    while ((window = session.FindViewableWindow("VARNISK")).id == 0 &&
           std::chrono::steady_clock::now() < windowDeadline && varnisk.Running()) {
        std::this_thread::sleep_for(100ms);
    }
    ASSERT_NE(window.id, 0u) << "no window titled VARNISK was mapped";
    const int zoom = window.width / layout::screenWidth;
    std::fprintf(stderr, "e2e: the window is %dx%d, factor %d\n", window.width, window.height,
                 zoom);
    ASSERT_GE(zoom, 1);
    EXPECT_EQ(window.width, layout::screenWidth * zoom);
    EXPECT_EQ(window.height, layout::screenHeight * zoom);
    if (options.expectedZoom > 0) {
        EXPECT_EQ(zoom, options.expectedZoom);
    }
    session.FocusWindow(window);
    GameWindowDriver driver(session, window, zoom, options.name);
    const auto showsAll = [](const auto& probes) {
        return [&probes](const WindowImage& image) {
            return CountMatches(image, probes) == static_cast<int>(std::size(probes));
        };
    };
    const auto showsNone = [](const auto& probes) {
        // A few may match by chance on the field below.
        return [&probes](const WindowImage& image) { return CountMatches(image, probes) <= 2; };
    };

    // 3. The title: the start panel over the field.
    ASSERT_TRUE(driver.WaitUntil("the start panel", showsAll(layout::startPanel), patience));
    // The pointer rests on the frame, right of the field, where it clicks nothing.
    driver.MoveTo(450, 440);

    // Show Jump Count, from the Option menu: the status panel shows its label.
    const std::vector<std::uint32_t> blankLabel = driver.Capture().Area(layout::jumpCountLabel);
    ASSERT_TRUE(driver.ChooseMenuItem(optionMenu, optionEntries, showJumpCountItem, patience));
    ASSERT_TRUE(driver.WaitUntil(
        "the jump-count label",
        [&](const WindowImage& image) {
            return Differs(image, layout::jumpCountLabel, blankLabel);
        },
        patience));
    driver.MoveTo(450, 440);

    // Enter presses New Game: the panel goes, the game's field shows.
    driver.Tap(XK_Return);
    ASSERT_TRUE(driver.WaitUntil("the game started", showsNone(layout::startPanel), patience));
    const WindowImage started = driver.Capture();
    const std::vector<std::uint32_t> emptyGauge = started.Area(layout::jumpGauge);
    const std::vector<std::uint32_t> noJumps = started.Area(layout::jumpCounter);

    // Holding space charges the gauge; letting go jumps: the counter counts
    // the jump and the field shows the character moving.
    driver.Key(XK_space, true);
    const bool charged = driver.WaitUntil(
        "the gauge charging",
        [&](const WindowImage& image) { return Differs(image, layout::jumpGauge, emptyGauge); },
        patience);
    driver.Key(XK_space, false);
    ASSERT_TRUE(charged);
    const std::vector<std::uint32_t> atRelease = driver.Capture().Area(layout::field);
    ASSERT_TRUE(driver.WaitUntil(
        "the jump counted",
        [&](const WindowImage& image) { return Differs(image, layout::jumpCounter, noJumps); },
        patience));
    ASSERT_TRUE(driver.WaitUntil(
        "the field moving",
        [&](const WindowImage& image) { return Differs(image, layout::field, atRelease); },
        patience));
    // The landing empties the gauge again.
    ASSERT_TRUE(driver.WaitUntil(
        "the landing",
        [&](const WindowImage& image) { return !Differs(image, layout::jumpGauge, emptyGauge); },
        patience));

    // 4. Escape pauses: the sign shows and the field stands still.
    driver.Tap(XK_Escape);
    ASSERT_TRUE(driver.WaitUntil("the pause sign", showsAll(layout::pauseSignProbes), patience));
    const std::vector<std::uint32_t> paused = driver.Capture().Area(layout::field);
    std::this_thread::sleep_for(1s); // a measured second of standing still, not a wait
    const WindowImage stillPaused = driver.Capture();
    if (CountDifferences(stillPaused.Area(layout::field), paused) != 0) {
        ADD_FAILURE() << "the field changed while paused";
        driver.SaveScreenshot("the field still while paused");
    }

    // Escape again resumes: the sign goes and the field moves on.
    driver.Tap(XK_Escape);
    ASSERT_TRUE(
        driver.WaitUntil("the pause sign gone", showsNone(layout::pauseSignProbes), patience));
    const std::vector<std::uint32_t> resumed = driver.Capture().Area(layout::field);
    ASSERT_TRUE(driver.WaitUntil(
        "the field moving again",
        [&](const WindowImage& image) { return Differs(image, layout::field, resumed); },
        patience));

    // 5. File, Exit: the program ends by itself, successfully.
    ASSERT_TRUE(driver.ChooseMenuItem(fileMenu, fileEntries, exitItem, patience));
    const std::optional<int> status = varnisk.WaitForExit(patience);
    ASSERT_TRUE(status.has_value()) << "the game did not end after File, Exit";
    EXPECT_EQ(*status, 0);

    // 6. What it saved: the option switched on, the rest as they were.
    ASSERT_TRUE(std::filesystem::exists(settings)) << settings;
    EXPECT_EQ(ReadIniValue(settings, "Setting", "Jump"), "1");
    EXPECT_EQ(ReadIniValue(settings, "Setting", "Difficulty"), "2");
    EXPECT_EQ(ReadIniValue(settings, "Setting", "FloorFlag"), "15");
    EXPECT_EQ(ReadIniValue(settings, "Setting", "Music"), "1");
    EXPECT_EQ(ReadIniValue(settings, "Setting", "Sound"), "1");
    EXPECT_EQ(ReadIniValue(settings, "Setting", "Speed"), "0");
    EXPECT_EQ(ReadIniValue(settings, "Record", "00R"), "5");
    if (options.zoomSetting > 0) {
        // The player's own key survives the save.
        EXPECT_EQ(ReadIniValue(settings, "Setting", "Zoom"), std::to_string(options.zoomSetting));
    }
}
