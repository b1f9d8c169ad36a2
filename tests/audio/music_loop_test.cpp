// The sound in the running game, on the headless backend's clock, which the
// effects hold and the music's end moves: each notice must restart the
// piece, or not, at the right time.

#include "audio/audio.h"
#include "core/commands.h"
#include "tests/shell/desktop/game_window_fixture.h"

#include <string>
#include <vector>

namespace {

constexpr std::uint32_t pieceLength = 80000;
constexpr std::uint32_t pauseLength = 1380;
using Kind = HeadlessBackend::MusicEvent::Kind;
using Plays = std::vector<std::string>;
constexpr const char* musicFile = VARNISK_ASSET_DIR "/music/bgm1.mid";

class GameSound : public GameWindow {
  protected:
    void SetUp() override {} // each test starts the game with its music file

    // Start-up with the default settings: music and sound on.
    void Start(const char* file = musicFile) {
        record_.options.musicFile = file;
        StartGame();
    }
    // The music's plays and stops from event `from` on.
    Plays MusicSince(std::size_t from) const {
        Plays said;
        for (std::size_t i = from; i < backend_.Music().size(); ++i)
            if (const Kind kind = backend_.Music()[i].kind;
                kind == Kind::Play || kind == Kind::Stop)
                said.emplace_back(kind == Kind::Play ? "play" : "stop");
        return said;
    }
    HeadlessBackend::MusicEvent Last(Kind kind) const {
        for (auto at = backend_.Music().rbegin(); at != backend_.Music().rend(); ++at)
            if (at->kind == kind)
                return *at;
        return {};
    }
};

TEST_F(GameSound, TheMusicLoopsOnlyWhileAGameIsPlayedWithTheMusicOn) {
    Start();
    EXPECT_NE(record_.sound.musicDevice, 0u);
    EXPECT_TRUE(backend_.MessageBoxes().empty());
    EXPECT_TRUE(MusicSince(0).empty()) << "silent in the title";

    ASSERT_TRUE(Command(command::newGame));
    const std::uint32_t started = backend_.Now();
    ASSERT_TRUE(RunFor(2 * pieceLength + tickMs));
    ASSERT_EQ(State().mode, GameMode::Playing) << "the character waits on the ground";
    EXPECT_EQ(MusicSince(0), (Plays{"play", "play", "play"}));
    EXPECT_EQ(Last(Kind::Play).time, started + 2 * pieceLength) << "restarted as it ended";
    EXPECT_EQ(Last(Kind::Notice).flags, mci::notifySuccessful);

    // Pause: the pause sound holds the clock, the stop's notice starts nothing.
    std::size_t mark = backend_.Music().size();
    const std::uint32_t paused = backend_.Now();
    ASSERT_TRUE(Command(command::pause));
    ASSERT_EQ(State().mode, GameMode::Paused);
    EXPECT_EQ(backend_.Now(), paused + pauseLength);
    ASSERT_TRUE(RunFor(2 * pieceLength));
    EXPECT_EQ(backend_.Effects().back().presentsBefore, backend_.PresentCount())
        << "the pause sign was on screen before the sound held the game, not after";
    EXPECT_EQ(MusicSince(mark), Plays{"stop"});
    EXPECT_EQ(Last(Kind::Notice).flags, mci::notifyAborted);

    // Resume: the pause sound plays to its end, then the piece from its top.
    mark = backend_.Music().size();
    const std::uint32_t resumed = backend_.Now();
    ASSERT_TRUE(Command(command::pause));
    EXPECT_EQ(MusicSince(mark), Plays{"play"});
    EXPECT_EQ(Last(Kind::Play).time, resumed + pauseLength);

    // The music switched off in a game, and the game aborted: each stop holds.
    mark = backend_.Music().size();
    ASSERT_TRUE(Command(command::music));
    ASSERT_TRUE(RunFor(2 * pieceLength));
    ASSERT_TRUE(Command(command::music)); // on again: from the top
    ASSERT_TRUE(Command(command::abort));
    ASSERT_TRUE(RunFor(2 * pieceLength));
    EXPECT_EQ(MusicSince(mark), (Plays{"stop", "play", "stop"}));
}

// Without the file the player is told once; without a sound card nothing is
// said. Either way the game goes on, its music commands failing quietly.
struct NoMusic {
    const char* file;
    bool soundCard;
};
void PrintTo(const NoMusic& c, std::ostream* out) {
    *out << (c.soundCard ? "no file" : "no sound card");
}
class WithoutMusic : public GameSound, public ::testing::WithParamInterface<NoMusic> {};

TEST_P(WithoutMusic, TheGameGoesOnAndOnlyAMissingFileIsTold) {
    backend_.SetAudioDevicePresent(GetParam().soundCard);
    Start(GetParam().file);
    EXPECT_EQ(record_.sound.musicDevice, 0u);
    for (const int id :
         {command::newGame, command::pause, command::pause, command::music, command::music})
        ASSERT_TRUE(Command(id));
    ASSERT_TRUE(RunFor(100 * tickMs));
    EXPECT_EQ(State().mode, GameMode::Playing);
    EXPECT_EQ(Last(Kind::Play).result, mci::errorInvalidDevice);
    EXPECT_EQ(backend_.Effects().size(), GetParam().soundCard ? 2u : 0u) << "the pause sounds";
    EXPECT_FALSE(Command(command::exit));

    const auto& told = backend_.MessageBoxes();
    ASSERT_EQ(told.size(), GetParam().soundCard ? 1u : 0u);
    for (const auto& box : told) {
        EXPECT_EQ(box.caption + ": " + box.text,
                  "VARNISK Error: BGM1.MID was not found.  Please put it in the same folder as "
                  "application file.");
        EXPECT_EQ(box.type, mb::ok | mb::iconExclamation);
    }
}

// The message comes while the window is being made: it stands alone, and a
// close from the desktop (or a signal) ends it and then the game.
TEST_F(GameSound, ACloseWhileTheMissingFileIsToldEndsTheBoxAndThenTheGame) {
    bool alone = false;
    backend_.SetMessageBoxHandler([&](const HeadlessBackend::MessageBoxShown&) {
        alone = backend_.LoneWindowOpen() && !backend_.ScreenShown();
        return 0; // up until the close
    });
    Push(InputEvent::Kind::Close, 0, 500);
    StartWindowSystem(backend_, {.faces = GameTextFaces()});
    record_.options.musicFile = "/nonexistent/bgm1.mid";
    ASSERT_TRUE(RegisterMainWindowClass());
    main_ = CreateMainWindow(record_);
    EXPECT_TRUE(alone);
    EXPECT_EQ(backend_.Now(), 500u);
    EXPECT_FALSE(backend_.LoneWindowOpen());
    EXPECT_TRUE(backend_.ScreenShown());
    EXPECT_FALSE(RunFor(0)) << "the game ended as by its close box";
    EXPECT_FALSE(IsWindow(main_));
}

INSTANTIATE_TEST_SUITE_P(GameSound, WithoutMusic,
                         ::testing::Values(NoMusic{"/nonexistent/bgm1.mid", true},
                                           NoMusic{musicFile, false}));

} // namespace
