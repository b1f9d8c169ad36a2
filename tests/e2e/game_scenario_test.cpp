// The real program on a private X server: an option switched from the menus,
// a game started with Enter, a jump charged with space, a pause and resume
// with Escape, File, Exit; then the settings it saved; and its command line.
// Run as
//   e2e_tests --game PATH [--xvfb PATH] [--screen WxHxD] [--zoom-setting N]
//             [--expect-zoom N] [--name NAME] [--wine PATH] [--agree-with FILE]
// zoom-setting: [Setting] Zoom=N written before start (0: none); expect-zoom:
// the factor the window must show (0: only reported); name: pictures' prefix;
// wine: the game is VARNISK.EXE, played under this Wine in a prefix of the
// run's own, its settings in that prefix's %APPDATA%; agree-with: the game
// pixels another run saved as NAME-started.ppm once its game had started,
// which the frame and status panel of this run must match.

#include "tests/e2e/child_process.h"
#include "tests/e2e/game_layout.h"
#include "tests/e2e/menu_driver.h"

#include <X11/keysym.h>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <optional>
#include <sys/wait.h>
#include <thread>
#include <utility>

namespace {

using namespace std::chrono_literals;

struct E2eOptions {
    std::string game, xvfb = "/usr/bin/Xvfb", screen = "1280x800x24", name = "e2e";
    std::string zoomSetting = "0", expectedZoom = "0", wine, agreeWith;
} options;

// Generous: a loaded two-core machine, and the sanitized build starts slowly.
constexpr auto patience = 30s;

// The menus as the game lays them out: 'i' an item, '-' a separator.
constexpr int fileMenu = 0;
constexpr const char* fileEntries = "ii-ii-i"; // New Game, Practice | Pause, Abort | Exit
constexpr int exitItem = 4;
constexpr int optionMenu = 2;
constexpr const char* optionEntries = "iiii-i"; // Music, Sound, SpeedUp, Show Jump Count | Clear
constexpr int showJumpCountItem = 3;

// The run's home, settings and logs, removed at the end.
struct RemovedAtEnd {
    std::filesystem::path path;
    ~RemovedAtEnd() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
};

std::string FileText(const std::filesystem::path& file) {
    std::ifstream in(file);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The value of `key` in [section] of a settings file as the game writes it.
std::optional<std::string> IniValue(const std::filesystem::path& file, const std::string& section,
                                    const std::string& key) {
    std::ifstream in(file);
    bool inSection = false;
    for (std::string line; std::getline(in, line);) {
        if (line.ends_with('\r'))
            line.pop_back(); // the Windows game may end its lines with CR LF
        if (line.starts_with('['))
            inSection = line == "[" + section + "]";
        else if (inSection && line.starts_with(key + "="))
            return line.substr(key.size() + 1);
    }
    return std::nullopt;
}

// Where the game keeps its settings, made ready for a run in `folder`: the
// Linux game's under XDG_CONFIG_HOME; the Windows game's in the %APPDATA%
// of a Wine prefix made for the run (wineboot makes its user's folders).
std::filesystem::path PrepareSettingsFolder(const std::filesystem::path& folder) {
    if (options.wine.empty())
        return folder / "config" / "varnisk";
    const std::filesystem::path prefix = folder / "wine";
    const std::string boot = "WINEPREFIX='" + prefix.string() + "' WINEDEBUG=-all DISPLAY= '" +
                             options.wine + "' wineboot --init >/dev/null 2>&1";
    if (std::system(boot.c_str()) != 0)
        return {};
    // The server wineboot left behind has no display: the game's windows
    // would go nowhere. The game starts its own.
    const std::string stop =
        "WINEPREFIX='" + prefix.string() + "' '" + options.wine + "server' -k >/dev/null 2>&1";
    std::system(stop.c_str());
    for (const auto& user : std::filesystem::directory_iterator(prefix / "drive_c" / "users")) {
        if (user.path().filename() != "Public" && exists(user.path() / "AppData"))
            return user.path() / "AppData" / "Roaming" / "VARNISK";
    }
    return {};
}

} // namespace

TEST(EndToEnd, PlaysPausesAndQuitsThroughTheMenu) {
    std::string pattern = (std::filesystem::temp_directory_path() / "varnisk-e2e-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    const RemovedAtEnd folder{pattern};
    const std::filesystem::path config = folder.path / "config";
    const std::filesystem::path settingsFolder = PrepareSettingsFolder(folder.path);
    ASSERT_FALSE(settingsFolder.empty()) << "the Wine prefix could not be made";
    const std::filesystem::path settings = settingsFolder / "varnisk.ini";
    std::filesystem::create_directories(settings.parent_path());
    if (options.zoomSetting != "0")
        std::ofstream(settings) << "[Setting]\nZoom=" << options.zoomSetting << "\n";

    // 1. The server, our connection, the game; destroyed in reverse order.
    const std::filesystem::path xvfbLog = folder.path / "xvfb.log";
    std::string display;
    const auto server = StartXvfb(options.xvfb, options.screen, xvfbLog.string(), display);
    ASSERT_FALSE(display.empty()) << "Xvfb did not start:\n" << FileText(xvfbLog);
    XSession game(display, patience);
    ASSERT_TRUE(game.Connected()) << "cannot connect to " << display;
    ASSERT_TRUE(game.HasXTest()) << "the X server has no XTest extension";
    std::vector<std::string> command{options.game};
    if (!options.wine.empty())
        command.insert(command.begin(), options.wine);
    ChildProcess varnisk({.argv = command,
                          .environment = {{"DISPLAY", display},
                                          {"HOME", folder.path.string()},
                                          {"XDG_CONFIG_HOME", config.string()},
                                          {"SDL_AUDIODRIVER", "dummy"},
                                          {"SDL_VIDEODRIVER", "x11"},
                                          {"WINEPREFIX", (folder.path / "wine").string()},
                                          {"WINEDEBUG", "-all"},
                                          {"DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent"},
                                          {"WAYLAND_DISPLAY", std::nullopt},
                                          {"XAUTHORITY", std::nullopt}},
                          .workingDirectory = folder.path.string()});
    ASSERT_TRUE(varnisk.Started());

    // 2. The window, by its title, and its zoom factor.
    WindowPlace window;
    const auto windowDeadline = std::chrono::steady_clock::now() + patience;
    while ((window = game.FindViewableWindow("VARNISK")).id == 0 &&
           std::chrono::steady_clock::now() < windowDeadline && varnisk.Running())
        std::this_thread::sleep_for(100ms);
    ASSERT_NE(window.id, 0u) << "no window titled VARNISK was mapped";
    const int zoom = window.width / layout::screenWidth;
    std::fprintf(stderr, "e2e: the window is %dx%d, factor %d\n", window.width, window.height,
                 zoom);
    ASSERT_GE(zoom, 1);
    EXPECT_EQ(std::pair(window.width, window.height),
              std::pair(layout::screenWidth * zoom, layout::screenHeight * zoom));
    if (options.expectedZoom != "0") {
        EXPECT_EQ(std::to_string(zoom), options.expectedZoom);
    }
    game.Play(window, zoom, options.name);

    // 3. The title: the start panel over the field.
    ASSERT_TRUE(game.WaitUntil("the start panel", ShowsAll(layout::startPanel), patience));
    // The pointer rests on the frame, right of the field, where it clicks nothing.
    game.MoveTo(450, 440);

    // Show Jump Count, from the Option menu: the status panel shows its label.
    const std::vector<std::uint32_t> blankLabel = game.Capture().Area(layout::jumpCountLabel);
    ASSERT_TRUE(ChooseMenuItem(game, optionMenu, optionEntries, showJumpCountItem, patience));
    ASSERT_TRUE(game.WaitUntil("the jump-count label", Changed(layout::jumpCountLabel, blankLabel),
                               patience));
    game.MoveTo(450, 440);

    // Enter presses New Game: the panel goes, the game's field shows.
    game.Tap(XK_Return);
    ASSERT_TRUE(game.WaitUntil("the game started", ShowsNone(layout::startPanel), patience));
    const WindowImage started = game.Capture();
    const WindowImage startedPixels = started.GamePixels(layout::screenWidth, layout::screenHeight);
    startedPixels.SavePpm(options.name + "-started.ppm");
    if (!options.agreeWith.empty()) {
        const WindowImage other = WindowImage::LoadPpm(options.agreeWith);
        ASSERT_FALSE(other.Empty()) << "no picture in " << options.agreeWith;
        for (const GameRect& area :
             {layout::frameTop, layout::frameLeft, layout::statusPanel, layout::frameBottom})
            EXPECT_EQ(CountDifferences(startedPixels.Area(area), other.Area(area)), 0)
                << "pixels differ from " << options.agreeWith << " in the area at " << area.x << ","
                << area.y;
        std::fprintf(
            stderr, "e2e: the menu bar differs from %s in %d pixels\n", options.agreeWith.c_str(),
            CountDifferences(startedPixels.Area(layout::menuBar), other.Area(layout::menuBar)));
    }
    const std::vector<std::uint32_t> emptyGauge = started.Area(layout::jumpGauge);

    // Holding space charges the gauge; letting go jumps, counted, the field moving.
    game.Key(XK_space, true);
    const bool charged =
        game.WaitUntil("the gauge charging", Changed(layout::jumpGauge, emptyGauge), patience);
    game.Key(XK_space, false);
    ASSERT_TRUE(charged);
    const std::vector<std::uint32_t> atRelease = game.Capture().Area(layout::field);
    ASSERT_TRUE(game.WaitUntil("the jump counted",
                               Changed(layout::jumpCounter, started.Area(layout::jumpCounter)),
                               patience));
    ASSERT_TRUE(game.WaitUntil("the field moving", Changed(layout::field, atRelease), patience));
    // The landing empties the gauge again.
    ASSERT_TRUE(
        game.WaitUntil("the landing", Changed(layout::jumpGauge, emptyGauge, true), patience));

    // 4. Escape pauses: the sign shows and the field stands still.
    game.Tap(XK_Escape);
    ASSERT_TRUE(game.WaitUntil("the pause sign", ShowsAll(layout::pauseSignProbes), patience));
    const std::vector<std::uint32_t> paused = game.Capture().Area(layout::field);
    std::this_thread::sleep_for(1s); // a measured second of standing still, not a wait
    if (CountDifferences(game.Capture().Area(layout::field), paused) != 0) {
        ADD_FAILURE() << "the field changed while paused";
        game.SaveScreenshot("the field still while paused");
    }

    // Escape again resumes: the sign goes and the field moves on.
    game.Tap(XK_Escape);
    ASSERT_TRUE(
        game.WaitUntil("the pause sign gone", ShowsNone(layout::pauseSignProbes), patience));
    ASSERT_TRUE(game.WaitUntil("the field moving again",
                               Changed(layout::field, game.Capture().Area(layout::field)),
                               patience));

    // Space let go while a menu is open still launches the jump once the
    // menu is closed, instead of charging on.
    const std::vector<std::uint32_t> jumps = game.Capture().Area(layout::jumpCounter);
    game.Key(XK_space, true);
    ASSERT_TRUE(game.WaitUntil("the gauge charging again", Changed(layout::jumpGauge, emptyGauge),
                               patience));
    const std::vector<TitleSpan> titles = FindMenuTitles(game.Capture());
    ASSERT_GT(titles.size(), std::size_t{fileMenu});
    game.Key(XK_Alt_L, true);
    game.Tap(XK_f);
    game.Key(XK_Alt_L, false);
    ASSERT_TRUE(game.WaitUntil(
        "the File menu open",
        [&](const WindowImage& image) { return FindPulldown(image, titles[fileMenu]).has_value(); },
        patience));
    game.Key(XK_space, false);
    game.Tap(XK_Escape);
    game.Tap(XK_Escape);
    ASSERT_TRUE(
        game.WaitUntil("the jump after the menu", Changed(layout::jumpCounter, jumps), patience));

    // 5. File, Exit: the program ends by itself, successfully.
    ASSERT_TRUE(ChooseMenuItem(game, fileMenu, fileEntries, exitItem, patience));
    const std::optional<int> status = varnisk.WaitForExit(patience);
    ASSERT_TRUE(status.has_value()) << "the game did not end after File, Exit";
    EXPECT_EQ(*status, 0);
    if (!options.wine.empty()) {
        // Wine's server outlives the game for a while; the prefix goes with the run.
        const std::string stop = "WINEPREFIX='" + (folder.path / "wine").string() + "' '" +
                                 options.wine + "server' -k >/dev/null 2>&1";
        (void)std::system(stop.c_str()); // none left running is as good
    }

    // 6. What it saved: the option on, the rest as they were, the zoom key kept.
    ASSERT_TRUE(std::filesystem::exists(settings)) << settings;
    const std::map<std::string, std::string> saved{{"Jump", "1"},       {"Difficulty", "2"},
                                                   {"FloorFlag", "15"}, {"Music", "1"},
                                                   {"Sound", "1"},      {"Speed", "0"}};
    for (const auto& [key, value] : saved)
        EXPECT_EQ(IniValue(settings, "Setting", key), value) << key;
    EXPECT_EQ(IniValue(settings, "Record", "00R"), "5");
    if (options.zoomSetting != "0") {
        EXPECT_EQ(IniValue(settings, "Setting", "Zoom"), options.zoomSetting);
    }
}

// The status and one stream of the game's answer to a command line. No
// display and a settings folder that cannot exist: a game started anyway
// touches no file and is ended by the timeout (124).
std::pair<int, std::string> AskTheGame(const std::string& arguments, const char* redirections) {
    const std::string command = "env -u DISPLAY XDG_CONFIG_HOME=/dev/null/varnisk timeout 20 " +
                                options.game + " " + arguments + redirections;
    std::string text;
    FILE* pipe = popen(command.c_str(), "r");
    char buffer[4096];
    while (std::size_t n = pipe != nullptr ? fread(buffer, 1, sizeof buffer, pipe) : 0)
        text.append(buffer, n);
    const int status = pipe != nullptr ? pclose(pipe) : -1;
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, text};
}

// Help and version on standard output with 0; anything else refused in one
// line on standard error with 2, never a game started behind the player's back;
// and no game where nobody can see it.
TEST(CommandLine, AnswersHelpAndVersionAndRefusesWhatItDoesNotKnow) {
    if (!options.wine.empty())
        GTEST_SKIP() << "the Windows game is a GUI program: it has no command line to answer";
    const auto [helpStatus, help] = AskTheGame("--help", " 2>/dev/null");
    EXPECT_EQ(helpStatus, 0);
    EXPECT_EQ(help.rfind("usage: varnisk ", 0), 0u) << help;
    EXPECT_EQ(AskTheGame("--version", " 2>/dev/null"),
              std::pair(0, std::string("varnisk " VARNISK_VERSION "\n")));
    for (const std::string wrong : {"--bogus", "--version=2", "level1"}) {
        const auto [status, said] = AskTheGame(wrong, " 2>&1 >/dev/null");
        EXPECT_EQ(status, 2) << wrong;
        EXPECT_EQ(said.rfind("varnisk: ", 0), 0u) << said;
        EXPECT_NE(said.find(wrong.substr(0, wrong.find('='))), std::string::npos) << said;
        EXPECT_NE(said.find("usage: varnisk"), std::string::npos) << said;
        EXPECT_EQ(said.find('\n'), said.size() - 1) << said;
    }
    // Without a display: one line naming DISPLAY, and status 1 at once.
    const auto [noDisplay, said] = AskTheGame("", " 2>&1 >/dev/null");
    EXPECT_EQ(noDisplay, 1);
    EXPECT_NE(said.find("DISPLAY"), std::string::npos) << said;
    EXPECT_EQ(said.find('\n'), said.size() - 1) << said;
}

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    const std::map<std::string, std::string*> flags{{"--game", &options.game},
                                                    {"--xvfb", &options.xvfb},
                                                    {"--screen", &options.screen},
                                                    {"--zoom-setting", &options.zoomSetting},
                                                    {"--expect-zoom", &options.expectedZoom},
                                                    {"--name", &options.name},
                                                    {"--wine", &options.wine},
                                                    {"--agree-with", &options.agreeWith}};
    for (int i = 1; i < argc; i += 2) {
        const auto flag = flags.find(argv[i]);
        if (flag == flags.end() || i + 1 >= argc) {
            std::fprintf(stderr, "e2e: unknown or incomplete argument %s\n", argv[i]);
            return 2;
        }
        *flag->second = argv[i + 1];
    }
    if (options.game.empty()) {
        std::fprintf(stderr, "e2e: --game is missing\n");
        return 2;
    }
    // The Windows game is built by its own preset; without it there is
    // nothing to play under Wine.
    if (!options.wine.empty() && !std::filesystem::exists(options.game)) {
        std::fprintf(stderr, "e2e: %s is not built; skipped\n", options.game.c_str());
        return 77;
    }
    return RUN_ALL_TESTS();
}
