// The sound in the running game: the real main window and its loop on the
// headless backend, whose clock the effects hold and the music's end moves.

#include "audio/audio.h"
#include "core/commands.h"
#include "core/game_state.h"
#include "platform/headless/headless_backend.h"
#include "platform/user/user.h"
#include "shell/desktop/program.h"
#include "shell/desktop/window_procedure.h"
#include "shell/main_window.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

constexpr std::uint32_t tick = 40;
constexpr std::uint32_t pieceLength = 80000;
constexpr std::uint32_t pauseLength = 1380;
using Kind = HeadlessBackend::MusicEvent::Kind;

// A child window with its own 40 ms timer, noting when each of its ticks came.
std::vector<std::uint32_t> probeTicks;
LResult ProbeProc(WindowHandle window, std::uint32_t message, WParam wParam, LParam lParam) {
    if (message == wm::timer) {
        probeTicks.push_back(GetTickCount());
    }
    return DefWindowProc(window, message, wParam, lParam);
}

class GameSound : public ::testing::Test {
  protected:
    void SetUp() override { SetMusicFile(VARNISK_ASSET_DIR "/music/bgm1.mid"); }
    void TearDown() override {
        if (main_ != nullptr) {
            if (!quit_ && IsWindow(main_)) {
                SendMessage(main_, wm::destroy, 0, 0);
            }
            DiscardMainWindow(main_);
            ShutdownWindowSystem();
        }
        SetStartupOptions({});
        SetMusicFile(std::string(musicFileName));
    }

    void Start() {
        StartWindowSystem(backend_);
        SetStartupOptions({{}, {}, 7}); // the default settings: music and sound on
        ASSERT_TRUE(RegisterMainWindowClass());
        main_ = CreateMainWindow();
        ASSERT_NE(main_, nullptr);
        ASSERT_TRUE(RunFor(0));
    }

    GameState& State() { return *static_cast<GameState*>(GetWindowUserData(main_)); }

    bool RunFor(std::uint32_t milliseconds) {
        const std::uint32_t until = backend_.Now() + milliseconds;
        Message message{};
        while (backend_.Now() < until) {
            if (!GetMessage(message)) {
                quit_ = true;
                return false;
            }
            ProcessMessage(main_, message);
        }
        while (PeekMessage(message)) {
            ProcessMessage(main_, message);
        }
        return true;
    }

    void Command(int id) {
        PostMessage(main_, wm::command, static_cast<WParam>(id), 0);
        RunFor(0);
    }
    void PressEscape() {
        InputEvent key;
        key.kind = InputEvent::Kind::KeyDown;
        key.virtualKey = vk::escape;
        backend_.Push(key, backend_.Now());
        key.kind = InputEvent::Kind::KeyUp;
        backend_.Push(key, backend_.Now());
        RunFor(0);
    }

    // The music's plays and stops from event `from` on, as "play"/"stop".
    std::vector<std::string> MusicSince(std::size_t from) const {
        std::vector<std::string> said;
        const auto& events = backend_.Music();
        for (std::size_t i = from; i < events.size(); ++i) {
            if (events[i].kind == Kind::Play || events[i].kind == Kind::Stop) {
                said.emplace_back(events[i].kind == Kind::Play ? "play" : "stop");
            }
        }
        return said;
    }
    std::size_t Mark() const { return backend_.Music().size(); }
    const HeadlessBackend::MusicEvent& Last(Kind kind) const {
        for (auto at = backend_.Music().rbegin(); at != backend_.Music().rend(); ++at) {
            if (at->kind == kind) {
                return *at;
            }
        }
        static const HeadlessBackend::MusicEvent none{};
        return none;
    }

    HeadlessBackend backend_;
    WindowHandle main_ = nullptr;
    bool quit_ = false;
};

using Plays = std::vector<std::string>;

TEST_F(GameSound, TheMusicLoopsWhilePlayingAndPauseStartsItAgainFromTheTop) {
    Start();
    EXPECT_NE(State().musicDevice, 0u);
    EXPECT_TRUE(backend_.MessageBoxes().empty());
    EXPECT_TRUE(MusicSince(0).empty()) << "silent in the title";

    Command(command::newGame);
    const std::uint32_t started = backend_.Now();
    EXPECT_EQ(MusicSince(0), Plays{"play"});
    ASSERT_TRUE(RunFor(2 * pieceLength + tick));
    ASSERT_EQ(State().mode, GameMode::Playing) << "the character waits on the ground";
    EXPECT_EQ(MusicSince(0), (Plays{"play", "play", "play"}));
    EXPECT_EQ(Last(Kind::Play).time, started + 2 * pieceLength) << "restarted as it ended";
    EXPECT_EQ(Last(Kind::Notice).flags, mci::notifySuccessful);

    // Pause: the music stops, its notice comes and starts nothing.
    std::size_t mark = Mark();
    PressEscape();
    ASSERT_EQ(State().mode, GameMode::Paused);
    ASSERT_TRUE(RunFor(2 * pieceLength));
    EXPECT_EQ(MusicSince(mark), Plays{"stop"});
    EXPECT_EQ(Last(Kind::Notice).flags, mci::notifyAborted);

    // Resume: the pause sound plays to its end, then the piece from its top.
    mark = Mark();
    const std::uint32_t resumed = backend_.Now();
    PressEscape();
    ASSERT_EQ(State().mode, GameMode::Playing);
    EXPECT_EQ(MusicSince(mark), Plays{"play"});
    EXPECT_EQ(Last(Kind::Play).time, resumed + pauseLength);
    EXPECT_EQ(backend_.Effects().back().id, 159);

    // Abort: stopped for good.
    mark = Mark();
    Command(command::abort);
    ASSERT_TRUE(RunFor(2 * pieceLength));
    EXPECT_EQ(MusicSince(mark), Plays{"stop"});
}

TEST_F(GameSound, PauseHoldsEveryTickAndTheTimersComeBackAsOne) {
    Start();
    Command(command::newGame);
    RegisterWindowClass({"Probe", 0, ProbeProc, 0});
    WindowHandle probe = CreateWindowOf("Probe", "", ws::child, 0, 0, 1, 1, main_, nullptr, 9, 0);
    SetTimer(probe, 1, tick);
    ASSERT_TRUE(RunFor(4 * tick));
    probeTicks.clear();

    const std::uint32_t paused = backend_.Now();
    PressEscape();
    EXPECT_EQ(backend_.Now(), paused + pauseLength) << "held for the whole sound";
    ASSERT_TRUE(RunFor(2 * tick));
    DestroyWindow(probe);
    // Nothing ticked while it sounded; then one late tick, then the beat again.
    ASSERT_GE(probeTicks.size(), 2u);
    EXPECT_EQ(probeTicks[0], paused + pauseLength);
    EXPECT_EQ(probeTicks[1], paused + pauseLength + tick);
}

TEST_F(GameSound, TheMusicOptionInEachMode) {
    Start();
    // In the title: off stops (nothing plays), on starts nothing.
    Command(command::music);
    EXPECT_EQ(State().musicOn, 0);
    Command(command::newGame);
    EXPECT_EQ(MusicSince(0), Plays{"stop"}) << "a game started with the music off is silent";

    // During a game: on plays from the top, off stops it at once and for good.
    std::size_t mark = Mark();
    Command(command::music);
    EXPECT_EQ(MusicSince(mark), Plays{"play"});
    mark = Mark();
    Command(command::music);
    ASSERT_TRUE(RunFor(2 * pieceLength));
    EXPECT_EQ(MusicSince(mark), Plays{"stop"});

    // Paused: switching it on waits for the resume.
    PressEscape();
    ASSERT_EQ(State().mode, GameMode::Paused);
    mark = Mark();
    Command(command::music);
    EXPECT_EQ(State().musicOn, 1);
    ASSERT_TRUE(RunFor(10 * tick));
    EXPECT_TRUE(MusicSince(mark).empty());
    PressEscape();
    EXPECT_EQ(MusicSince(mark), Plays{"play"});

    // Back in the title with the music on: nothing until the next game.
    Command(command::abort);
    mark = Mark();
    Command(command::music);
    Command(command::music);
    EXPECT_EQ(MusicSince(mark), Plays{"stop"});
}

TEST_F(GameSound, SwitchingSoundOffLetsTheEffectRunOut) {
    Start();
    Command(command::newGame);
    PressEscape(); // 159, to its end
    PressEscape();
    const std::size_t heard = backend_.Effects().size();
    Command(command::sound);
    PressEscape();
    PressEscape();
    EXPECT_EQ(backend_.Effects().size(), heard) << "nothing plays with the sound off";
    EXPECT_FALSE(backend_.Effects().back().cut);
}

TEST_F(GameSound, AMissingMusicFileIsToldOnceBeforeTheWindowShows) {
    SetMusicFile("/nonexistent/bgm1.mid");
    Start();
    ASSERT_EQ(backend_.MessageBoxes().size(), 1u);
    EXPECT_EQ(backend_.MessageBoxes()[0].caption, "VARNISK Error");
    EXPECT_EQ(backend_.MessageBoxes()[0].text,
              "BGM1.MID was not found.  Please put it in the same folder as application file.");
    EXPECT_EQ(State().musicDevice, 0u);

    // The game goes on without music; the commands to no device fail quietly.
    Command(command::newGame);
    PressEscape();
    PressEscape();
    Command(command::music);
    Command(command::music);
    ASSERT_TRUE(RunFor(2 * pieceLength));
    Command(command::exit);
    EXPECT_EQ(State().musicOn, 1) << "the option still flips";
    EXPECT_EQ(backend_.MessageBoxes().size(), 1u);
    EXPECT_EQ(Last(Kind::Play).result, mci::errorInvalidDevice);
    EXPECT_GE(backend_.Effects().size(), 2u) << "the effects still sound";
}

TEST_F(GameSound, WithoutASoundCardTheGameIsSilentAndGoesOn) {
    backend_.SetAudioDevicePresent(false);
    Start();
    EXPECT_TRUE(backend_.MessageBoxes().empty()) << "the file is there: no word";
    EXPECT_EQ(State().musicDevice, 0u);
    Command(command::newGame);
    const std::uint32_t before = backend_.Now();
    PressEscape();
    EXPECT_EQ(backend_.Now(), before) << "a pause sound that is not heard holds nothing";
    PressEscape();
    ASSERT_TRUE(RunFor(100 * tick));
    EXPECT_EQ(State().mode, GameMode::Playing);
    EXPECT_TRUE(backend_.Effects().empty());
}

} // namespace
