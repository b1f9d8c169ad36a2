#include "core/record_table.h"
#include "persist/settings_file.h"

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <memory>
#include <ostream>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#ifdef _WIN32
// The tool help header needs windows.h first.
// clang-format off
#include <windows.h>
#include <tlhelp32.h>
// clang-format on
#endif

namespace fs = std::filesystem;

namespace {

std::string ReadText(const fs::path& file) {
    return (std::ostringstream() << std::ifstream(file, std::ios::binary).rdbuf()).str();
}

void WriteText(const fs::path& file, const std::string& text) {
    std::ofstream(file, std::ios::binary) << text;
}

// Each test works in a folder of its own, removed afterwards, and loads into a state as
// the game holds it before loading: zero-filled.
class SettingsFileTest : public ::testing::Test {
  protected:
    void SetUp() override { fs::create_directories(folder_); }
    void TearDown() override { fs::remove_all(folder_); }
    GameState& Loaded(const fs::path& file) {
        state_ = std::make_unique<GameState>();
        loaded_ = LoadSettings(*state_, file);
        return *state_;
    }

    const fs::path folder_ =
        fs::temp_directory_path() / ("varnisk-persist-" + std::to_string(::getpid()));
    const fs::path file_ = folder_ / "varnisk.ini";
    std::unique_ptr<GameState> state_;
    SettingsFileResult loaded_;
};

// The settings the file keeps, by name, so that a failure says which one is
// off; each starts at what the loader gives when the file lacks it.
struct Settings {
    std::int32_t difficulty = 2, floorFlags = 15, music = 1, sound = 1, speedUp = 0, jumpCount = 0;
    bool operator==(const Settings&) const = default;
    friend std::ostream& operator<<(std::ostream& out, const Settings& s) {
        return out << "{difficulty " << s.difficulty << ", floorFlags " << s.floorFlags
                   << ", music " << s.music << ", sound " << s.sound << ", speedUp " << s.speedUp
                   << ", jumpCount " << s.jumpCount << "}";
    }
};

Settings SettingsOf(const GameState& s) {
    return {s.difficulty, s.floorFlags, s.musicOn, s.soundOn, s.speedUp, s.showJumpCount};
}

void ExpectLoaderDefaults(const GameState& state) {
    for (int d = 0; d < difficultyCount; ++d) {
        for (int r = 0; r < recordPlaces; ++r) {
            const RecordEntry& entry = state.records[d][r];
            EXPECT_EQ(entry.score, 5 - r);
            EXPECT_EQ(entry.jumps, 0);
            EXPECT_EQ(NameText(entry.name), "QUILLMARE");
        }
    }
    EXPECT_EQ(NameText(state.lastInputName), "QUILLMARE");
    EXPECT_EQ(SettingsOf(state), Settings{});
}

TEST_F(SettingsFileTest, NoFileGivesTheDefaultsAndTheFirstSaveWritesEveryKeyInOrder) {
    const fs::path nested = folder_ / "a" / "b" / "varnisk.ini"; // folders made on the way
    GameState& state = Loaded(nested);
    ExpectLoaderDefaults(state);
    state.speedUp = 1;
    ASSERT_TRUE(SaveSettings(state, nested).ok());

    std::string expected = "[Record]\n";
    for (int d = 0; d < 3; ++d) {
        for (int r = 0; r < 5; ++r) {
            const std::string key = std::to_string(d) + std::to_string(r);
            expected.append(key).append("R=").append(std::to_string(5 - r)).append("\n");
            expected.append(key).append("J=0\n").append(key).append("N=QUILLMARE\n");
        }
    }
    expected += "LastInputName=QUILLMARE\n\n[Setting]\nDifficulty=2\nFloorFlag=15\nMusic=1\n"
                "Sound=1\nSpeed=1\nJump=0\n";
    EXPECT_EQ(ReadText(nested), expected);
}

TEST_F(SettingsFileTest, SaveThenLoadGivesBackEveryFieldAndEveryAwkwardName) {
    const char* names[difficultyCount][recordPlaces] = {
        {"", "Plain Name", "  leading", "trailing  ", "\t tab \t"},
        {"\"quoted\"", "\"", "say \"hi\"", "\" quotes, blanks \"", "; semicolon"},
        {"a=b", "[bracket]", "\xC3\x85sa \xE6\x9D\xB1", " \"last\"=; ", "x"}};
    GameState saved{};
    for (int d = 0; d < difficultyCount; ++d) {
        for (int r = 0; r < recordPlaces; ++r) {
            // Strictly falling scores, so that the loader's sort keeps the places.
            saved.records[d][r] = RecordEntry{{}, 1000 - 10 * d - r, 3 * (5 * d + r)};
            SetName(saved.records[d][r].name, names[d][r]);
        }
    }
    SetName(saved.lastInputName, "two\r\nlines\n"); // a value is one line: breaks become blanks
    saved.difficulty = 1;
    saved.floorFlags = 6;
    saved.speedUp = saved.showJumpCount = 1;
    ASSERT_TRUE(SaveSettings(saved, file_).ok());

    GameState& loaded = Loaded(file_);
    for (int d = 0; d < difficultyCount; ++d) {
        for (int r = 0; r < recordPlaces; ++r) {
            const RecordEntry &want = saved.records[d][r], &got = loaded.records[d][r];
            EXPECT_EQ(NameText(got.name), NameText(want.name)) << d << r;
            EXPECT_EQ(got.score, want.score);
            EXPECT_EQ(got.jumps, want.jumps);
        }
    }
    EXPECT_EQ(NameText(loaded.lastInputName), "two  lines ");
    const Settings settings{
        .difficulty = 1, .floorFlags = 6, .music = 0, .sound = 0, .speedUp = 1, .jumpCount = 1};
    EXPECT_EQ(SettingsOf(loaded), settings);

    const std::string first = ReadText(file_); // saving it again changes nothing
    ASSERT_TRUE(SaveSettings(loaded, file_).ok());
    EXPECT_EQ(ReadText(file_), first);
}

TEST_F(SettingsFileTest, HandEditedFilesAreReadLenientlyAndMended) {
    const std::pair<std::string, Settings> files[] = {
        // Any case, blanks, CR LF and a byte order mark; missing keys take the defaults.
        {"\xEF\xBB\xBF[setting]\r\n  DIFFICULTY = 1 \r\nmusic=0\r\n",
         {.difficulty = 1, .music = 0}},
        // Numbers may be quoted; a key of another section is no setting.
        {"[Setting]\nDifficulty=\"3\"\n[Other]\nFloorFlag=1\nSpeed=1\n", {.difficulty = 3}},
        // Values the game cannot use are mended; flags count as set when non-zero.
        {"[Setting]\nDifficulty=0\nFloorFlag=255\nSound=-1\nJump=7\n",
         {.sound = -1, .jumpCount = 7}},
        {"[Setting]\nDifficulty=4\nFloorFlag=-6\n", {.floorFlags = 10}}};
    for (const auto& [text, settings] : files) {
        WriteText(file_, text);
        EXPECT_EQ(SettingsOf(Loaded(file_)), settings) << text;
    }
    WriteText(file_, "[record]\r\nLASTINPUTNAME=" + std::string(300, 'z') + "\r\n");
    EXPECT_EQ(NameText(Loaded(file_).lastInputName), std::string(255, 'z'));
}

std::string Dump(const GameState& state) {
    std::ostringstream out;
    for (const RecordTable& table : state.records) {
        for (const RecordEntry& entry : table) {
            out << entry.score << ' ' << entry.jumps << ' ' << NameText(entry.name) << '\n';
        }
    }
    out << NameText(state.lastInputName) << '\n' << SettingsOf(state);
    return out.str();
}

// Whatever the file holds, the save writes what the next load reads back the
// same, and saving that again changes nothing.
TEST_F(SettingsFileTest, LoadSaveLoadGivesTheSameRecordsForAwkwardFiles) {
    const std::string files[] = {
        // First line ended by LF, the rest by CR, as some old tools write.
        "[Record]\n00N=first\r01N=second\r\n02N=third\r[Setting]\rSpeed=1\r\r\n",
        "[Record]\r00N=\"a\rb\"\r00J=7\n",
        std::string("[Record]\n00N=nul\0byte\n", 22),
        "[Record]\n00N=\"" + std::string(300, 'x') + " \"\n", // the cut leaves a blank at the end
        "[record]\n00n=\"\"\"\n[Record]\n00N=second\n00R=-5\n00R=9\n10N= \t\n",
        "\xEF\xBB\xBF\r\n\r\n[Setting]\r\nDifficulty=9\r\n\r\n[Record]\r\n; =\r\nx",
    };
    for (const std::string& text : files) {
        WriteText(file_, text);
        const std::string first = Dump(Loaded(file_));
        ASSERT_TRUE(SaveSettings(*state_, file_).ok());
        EXPECT_EQ(Dump(Loaded(file_)), first) << text;
        const std::string saved = ReadText(file_);
        ASSERT_TRUE(SaveSettings(*state_, file_).ok());
        EXPECT_EQ(ReadText(file_), saved);
    }
    WriteText(file_, files[0]); // not one line joined to another
    const GameState& state = Loaded(file_);
    EXPECT_EQ(NameText(state.records[0][1].name), "second");
    EXPECT_EQ(NameText(state.records[0][2].name), "third");
    EXPECT_EQ(state.speedUp, 1);
}

TEST_F(SettingsFileTest, AHandEditedTableIsPutInOrderKeepingEqualEntriesInPlace) {
    WriteText(file_, "[Record]\n10R=3\n10J=5\n10N=third-a\n11R=9\n11J=2\n11N=best\n"
                     "12R=3\n12J=5\n12N=third-b\n13R=3\n13J=1\n13N=second\n14R=1\n14N=last\n");
    const GameState& state = Loaded(file_);
    const char* order[] = {"best", "second", "third-a", "third-b", "last"};
    for (int r = 0; r < recordPlaces; ++r) {
        EXPECT_EQ(NameText(state.records[1][r].name), order[r]) << r;
    }
}

TEST_F(SettingsFileTest, SaveKeepsUnknownContentAndReplacesKnownKeysWhereTheyStand) {
    WriteText(file_, "; my notes\n[Setting]\nmusic = 1 ; old comment\nVolume=11\n\n"
                     "[Mods]\ncheat=on\nfree text line\n");
    GameState& state = Loaded(file_);
    state.musicOn = 0;
    ASSERT_TRUE(SaveSettings(state, file_).ok());
    const std::string text = ReadText(file_);
    EXPECT_EQ(text.substr(0, text.find("00J=")),
              "; my notes\n[Setting]\nMusic=0\nVolume=11\nDifficulty=2\nFloorFlag=15\nSound=1\n"
              "Speed=0\nJump=0\n\n[Mods]\ncheat=on\nfree text line\n\n[Record]\n00R=5\n");
}

// The scale is the desktop's business: read on its own, and kept through a save.
TEST_F(SettingsFileTest, ZoomIsReadAsAPositiveFactorOrAutomaticAndSurvivesSaves) {
    EXPECT_EQ(LoadZoomSetting(file_), 0); // no file
    const std::pair<const char*, std::int32_t> cases[] = {
        {"[Setting]\nZoom=2\n", 2},  {"[setting]\n zoom = 3x\n", 3}, {"[Setting]\nZoom=0\n", 0},
        {"[Setting]\nZoom=-2\n", 0}, {"[Setting]\nZoom=big\n", 0},   {"[Record]\nZoom=2\n", 0},
    };
    for (const auto& [text, zoom] : cases) {
        WriteText(file_, text);
        EXPECT_EQ(LoadZoomSetting(file_), zoom) << text;
    }
    WriteText(file_, "[Setting]\nZoom=2\n");
    ASSERT_TRUE(SaveSettings(Loaded(file_), file_).ok());
    EXPECT_EQ(LoadZoomSetting(file_), 2);
}

// Fullscreen too, but the game's save writes it when the desktop says how
// it is shown, and leaves it alone otherwise.
TEST_F(SettingsFileTest, FullscreenIsReadAsOnOrOffAndWrittenOnlyWhenGiven) {
    EXPECT_FALSE(LoadFullscreenSetting(file_)); // no file
    const std::pair<const char*, bool> cases[] = {
        {"[Setting]\nFullscreen=1\n", true},  {"[setting]\n fullscreen = 2\n", true},
        {"[Setting]\nFullscreen=0\n", false}, {"[Setting]\nFullscreen=yes\n", false},
        {"[Record]\nFullscreen=1\n", false},
    };
    for (const auto& [text, on] : cases) {
        WriteText(file_, text);
        EXPECT_EQ(LoadFullscreenSetting(file_), on) << text;
    }
    WriteText(file_, "[Setting]\nFullscreen=1\nZoom=2\n");
    ASSERT_TRUE(SaveSettings(Loaded(file_), file_).ok());
    EXPECT_TRUE(LoadFullscreenSetting(file_));
    ASSERT_TRUE(SaveSettings(Loaded(file_), file_, false).ok());
    const std::string text = ReadText(file_);
    EXPECT_NE(text.find("[Setting]\nFullscreen=0\nZoom=2\n"), std::string::npos) << text;
    ASSERT_TRUE(SaveSettings(Loaded(file_), file_, true).ok());
    EXPECT_TRUE(LoadFullscreenSetting(file_));
}

using Status = SettingsFileResult::Status;

// A load says why it gave the defaults, and a save why it wrote nothing, and
// neither touches what it could not read or what would be locked out.
TEST_F(SettingsFileTest, LoadAndSaveSayWhyAndLeaveWhatTheyCannotUse) {
    const auto expectRefused = [&](const fs::path& path, Status status, int error) {
        ExpectLoaderDefaults(Loaded(path));
        EXPECT_EQ(loaded_.status, status) << path;
        EXPECT_EQ(loaded_.error, error) << path;
        const SettingsFileResult saved = SaveSettings(*state_, path);
        EXPECT_EQ(saved.status, status) << path;
        EXPECT_EQ(saved.error, error) << path;
    };
    Loaded(file_);
    EXPECT_EQ(loaded_.status, Status::Missing);
#ifndef _WIN32
    ASSERT_EQ(::mkfifo(file_.c_str(), 0600), 0); // there, but no settings file to read
    expectRefused(file_, Status::NotAFile, 0);
    EXPECT_TRUE(fs::is_fifo(file_));
#endif

    fs::create_directories(folder_ / "folder" / "inside");
    expectRefused(folder_ / "folder", Status::NotAFile, EISDIR);
    EXPECT_EQ(SettingsFileProblem({Status::NotAFile, EISDIR}), "a folder is in the way");

#ifndef _WIN32
    fs::create_symlink("loop", folder_ / "loop"); // no file can be read through it
    expectRefused(folder_ / "loop", Status::Unreadable, ELOOP);
    EXPECT_TRUE(fs::is_symlink(folder_ / "loop"));
#endif

    const fs::path huge = folder_ / "huge.ini"; // sparse: takes no room on the disk
    WriteText(huge, "");
    fs::resize_file(huge, (64u << 20) + 1);
    expectRefused(huge, Status::TooLarge, 0);
    // Just under the limit, the file loads; the save would take it over, so
    // it leaves the file as it was rather than lock the player out.
    fs::resize_file(huge, (64u << 20) - 8);
    EXPECT_EQ(SaveSettings(Loaded(huge), huge).status, Status::TooLarge);
    EXPECT_EQ(loaded_.status, Status::Done);
    EXPECT_EQ(fs::file_size(huge), (64u << 20) - 8);

    WriteText(folder_ / "blocker", "not a folder"); // where the folder should be
    const fs::path blocked = folder_ / "blocker" / "varnisk.ini";
    EXPECT_EQ(SaveSettings(Loaded(blocked), blocked).error, ENOTDIR);
    EXPECT_EQ(ReadText(folder_ / "blocker"), "not a folder");
}

#ifdef _WIN32
// Another process that runs now, whose save would be in progress.
DWORD AnotherLiveProcess() {
    const HANDLE all = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    DWORD found = 0;
    for (BOOL more = Process32FirstW(all, &entry); more && found == 0;
         more = Process32NextW(all, &entry)) {
        found = entry.th32ProcessID != GetCurrentProcessId() ? entry.th32ProcessID : 0;
    }
    CloseHandle(all);
    return found;
}

TEST_F(SettingsFileTest, SaveReplacesTheFileAndClearsDeadSavesTemporaryFiles) {
    WriteText(file_, "[Setting]\nDifficulty=1\n");
    const DWORD other = AnotherLiveProcess();
    ASSERT_NE(other, 0u);
    const std::string dead = ".varnisk.ini.tmp-2147483647-0",
                      old = ".varnisk.ini.tmp-" + std::to_string(other) + "-0",
                      live = ".varnisk.ini.tmp-" + std::to_string(other) + "-1";
    for (const std::string& name : {dead, old, live}) {
        WriteText(folder_ / name, "x");
    }
    fs::last_write_time(folder_ / old, fs::file_time_type::clock::now() - std::chrono::hours(1));
    GameState& state = Loaded(file_);
    state.difficulty = 3;
    ASSERT_TRUE(SaveSettings(state, file_).ok());
    EXPECT_NE(ReadText(file_).find("Difficulty=3\n"), std::string::npos);
    EXPECT_FALSE(fs::exists(folder_ / dead));
    EXPECT_FALSE(fs::exists(folder_ / old));
    EXPECT_TRUE(fs::exists(folder_ / live));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()), 2);
}
#endif

TEST_F(SettingsFileTest, SaveFollowsLinksKeepsPermissionsAndClearsDeadSavesTemporaryFiles) {
#ifdef _WIN32
    GTEST_SKIP() << "links need a privilege on Windows, and no player's settings file is one";
#endif
    const fs::path real = folder_ / "real.ini";
    WriteText(real, "[Setting]\nDifficulty=1\n");
    fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write);
    fs::create_symlink("middle", file_); // a chain of links, relative to their folder
    fs::create_symlink(real, folder_ / "middle");
    // Left by saves killed half way: one of a process that is gone, one of a
    // live process too old to be a save in progress, one of a save now going on.
    const std::string dead = ".real.ini.tmp-2147483647-0", old = ".real.ini.tmp-1-0",
                      live = ".real.ini.tmp-1-1", other = ".real.bak.tmp-2147483647-0";
    for (const std::string& name : {dead, old, live, other}) {
        WriteText(folder_ / name, "x");
    }
    fs::last_write_time(folder_ / old, fs::file_time_type::clock::now() - std::chrono::hours(1));
    GameState& state = Loaded(file_);
    state.difficulty = 3;
    ASSERT_TRUE(SaveSettings(state, file_).ok());
    EXPECT_TRUE(fs::is_symlink(file_));
    EXPECT_NE(ReadText(real).find("Difficulty=3\n"), std::string::npos);
    EXPECT_EQ(fs::status(real).permissions(), fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_FALSE(fs::exists(folder_ / dead));
    EXPECT_FALSE(fs::exists(folder_ / old));
    EXPECT_TRUE(fs::exists(folder_ / live));
    EXPECT_TRUE(fs::exists(folder_ / other));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()), 5);

    // A dangling link gets its target made; a link into a missing folder is
    // the player's to mend, and nothing is made in its place.
    fs::remove(real);
    ASSERT_TRUE(SaveSettings(state, file_).ok());
    GameState reread{}; // apart from the state still being saved below
    LoadSettings(reread, real);
    EXPECT_EQ(SettingsOf(reread).difficulty, 3);
    const fs::path astray = folder_ / "astray.ini";
    fs::create_symlink(folder_ / "unmounted" / "varnisk.ini", astray);
    EXPECT_EQ(SaveSettings(state, astray).error, ENOENT);
    EXPECT_TRUE(fs::is_symlink(astray));
    EXPECT_FALSE(fs::exists(folder_ / "unmounted"));
}

// Sets or unsets an environment variable for one scope.
struct ScopedEnv {
    ScopedEnv(const char* name, const char* value) : name_(name) {
        const char* old = std::getenv(name);
        had_ = old != nullptr;
        old_ = had_ ? old : "";
        Set(name, value);
    }
    ~ScopedEnv() { Set(name_, had_ ? old_.c_str() : nullptr); }
    static void Set(const char* name, const char* value) {
#ifdef _WIN32
        ::_putenv_s(name, value != nullptr ? value : ""); // empty removes it
#else
        value != nullptr ? ::setenv(name, value, 1) : ::unsetenv(name);
#endif
    }
    const char* name_;
    bool had_ = false;
    std::string old_;
};

#ifdef _WIN32
TEST(SettingsFilePath, IsInTheRoamingApplicationData) {
    {
        const ScopedEnv appData("APPDATA", "C:\\Users\\player\\AppData\\Roaming");
        EXPECT_EQ(SettingsFilePath(),
                  fs::path("C:\\Users\\player\\AppData\\Roaming\\VARNISK\\varnisk.ini"));
    }
    const ScopedEnv unset("APPDATA", nullptr); // the folder the system knows
    const fs::path path = SettingsFilePath();
    EXPECT_TRUE(path.is_absolute()) << path;
    EXPECT_EQ(path.parent_path().filename(), "VARNISK");
}
#else
TEST(SettingsFilePath, FollowsTheXdgRules) {
    const ScopedEnv home("HOME", "/home/player");
    for (const char* ignored : {"", "relative/config"}) {
        const ScopedEnv xdg("XDG_CONFIG_HOME", ignored);
        EXPECT_EQ(SettingsFilePath(), "/home/player/.config/varnisk/varnisk.ini") << ignored;
    }
    {
        const ScopedEnv xdg("XDG_CONFIG_HOME", "/xdg/config");
        EXPECT_EQ(SettingsFilePath(), "/xdg/config/varnisk/varnisk.ini");
    }
    const ScopedEnv xdg("XDG_CONFIG_HOME", nullptr);
    for (const char* noHome : {static_cast<const char*>(nullptr), ""}) {
        const ScopedEnv unset("HOME", noHome); // the home folder from the password database
        const fs::path path = SettingsFilePath();
        EXPECT_TRUE(path.is_absolute()) << path;
        EXPECT_EQ(path.parent_path().parent_path().filename(), ".config");
    }
}

#endif

} // namespace
