#include "core/record_table.h"
#include "persist/settings_file.h"

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::string ReadText(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteText(const fs::path& file, const std::string& text) {
    std::ofstream(file, std::ios::binary) << text;
}

// A state as the game holds it before loading: zero-filled.
std::unique_ptr<GameState> FreshState() {
    return std::make_unique<GameState>();
}

// Every test works in a folder of its own, removed afterwards.
class SettingsFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        static std::atomic<int> counter{0};
        folder_ = fs::temp_directory_path() / ("varnisk-persist-" + std::to_string(::getpid()) +
                                               "-" + std::to_string(counter++));
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        file_ = folder_ / "varnisk.ini";
    }
    void TearDown() override { fs::remove_all(folder_); }

    fs::path folder_;
    fs::path file_;
};

void ExpectLoaderDefaults(const GameState& state) {
    for (int d = 0; d < difficultyCount; ++d) {
        for (int r = 0; r < recordPlaces; ++r) {
            EXPECT_EQ(state.records[d][r].score, 5 - r);
            EXPECT_EQ(state.records[d][r].jumps, 0);
            EXPECT_EQ(NameText(state.records[d][r].name), "QUILLMARE");
        }
    }
    EXPECT_EQ(NameText(state.lastInputName), "QUILLMARE");
    EXPECT_EQ(state.difficulty, 2);
    EXPECT_EQ(state.floorFlags, 15);
    EXPECT_EQ(state.musicOn, 1);
    EXPECT_EQ(state.soundOn, 1);
    EXPECT_EQ(state.speedUp, 0);
    EXPECT_EQ(state.showJumpCount, 0);
}

TEST_F(SettingsFileTest, NoFileGivesTheDefaults) {
    auto state = FreshState();
    LoadSettings(*state, file_);
    ExpectLoaderDefaults(*state);
}

TEST_F(SettingsFileTest, UnreadableFileGivesTheDefaultsAndIsNeverOverwritten) {
    fs::create_directory(file_); // something at the path that cannot be read as a file
    WriteText(file_ / "inside", "keep");
    auto state = FreshState();
    LoadSettings(*state, file_);
    ExpectLoaderDefaults(*state);
    EXPECT_FALSE(SaveSettings(*state, file_));
    EXPECT_TRUE(fs::is_directory(file_));
    EXPECT_EQ(ReadText(file_ / "inside"), "keep");
}

TEST_F(SettingsFileTest, PartialFileKeepsItsKeysAndDefaultsTheRest) {
    WriteText(file_, "[Record]\n10R=77\n10N=Ann\n[Setting]\nDifficulty=3\nMusic=0\n");
    auto state = FreshState();
    LoadSettings(*state, file_);
    EXPECT_EQ(state->records[1][0].score, 77);
    EXPECT_EQ(state->records[1][0].jumps, 0);
    EXPECT_EQ(NameText(state->records[1][0].name), "Ann");
    EXPECT_EQ(state->records[1][1].score, 4);
    EXPECT_EQ(NameText(state->records[1][1].name), "QUILLMARE");
    EXPECT_EQ(state->records[0][0].score, 5);
    EXPECT_EQ(state->difficulty, 3);
    EXPECT_EQ(state->musicOn, 0);
    EXPECT_EQ(state->soundOn, 1);
    EXPECT_EQ(state->floorFlags, 15);
}

TEST_F(SettingsFileTest, KeysAndSectionsMatchWithoutRegardToCaseAndAcceptCrLfAndBom) {
    WriteText(file_, "\xEF\xBB\xBF[setting]\r\n  DIFFICULTY = 1 \r\nfloorflag=5\r\n"
                     "[RECORD]\r\nlastinputname=Zed\r\n24n=Last\r\n");
    auto state = FreshState();
    LoadSettings(*state, file_);
    EXPECT_EQ(state->difficulty, 1);
    EXPECT_EQ(state->floorFlags, 5);
    EXPECT_EQ(NameText(state->lastInputName), "Zed");
    EXPECT_EQ(NameText(state->records[2][4].name), "Last");
}

TEST_F(SettingsFileTest, FreshFileHoldsEveryKeyInItsOrder) {
    auto state = FreshState();
    for (int d = 0; d < difficultyCount; ++d) {
        ResetRecordTable(state->records[d]);
    }
    SetName(state->lastInputName, "Mo");
    state->difficulty = 3;
    state->floorFlags = 9;
    state->musicOn = 0;
    state->soundOn = 1;
    state->speedUp = 1;
    state->showJumpCount = 0;
    ASSERT_TRUE(SaveSettings(*state, file_));

    std::string expected = "[Record]\n";
    for (int d = 0; d < 3; ++d) {
        for (int r = 0; r < 5; ++r) {
            const std::string key = std::to_string(d) + std::to_string(r);
            expected += key + "R=" + std::to_string(5 - r) + "\n";
            expected += key + "J=" + std::to_string((5 - r) * 2) + "\n";
            expected += key + "N=QUILLMARE\n";
        }
    }
    expected += "LastInputName=Mo\n"
                "\n"
                "[Setting]\n"
                "Difficulty=3\n"
                "FloorFlag=9\n"
                "Music=0\n"
                "Sound=1\n"
                "Speed=1\n"
                "Jump=0\n";
    EXPECT_EQ(ReadText(file_), expected);
}

TEST_F(SettingsFileTest, EveryFieldAndAwkwardNameRoundTrips) {
    const std::string names[] = {"",
                                 "Plain Name",
                                 "  leading",
                                 "trailing  ",
                                 "\"quoted\"",
                                 "\"",
                                 "say \"hi\"",
                                 "; semicolon",
                                 "a=b",
                                 "[bracket]",
                                 "\t tab \t",
                                 "\xC3\x85sa \xE6\x9D\xB1\xE4\xBA\xAC", // UTF-8
                                 "\" both ends with blanks \"",
                                 "x",
                                 "y"};
    auto saved = FreshState();
    int i = 0;
    for (int d = 0; d < difficultyCount; ++d) {
        for (int r = 0; r < recordPlaces; ++r, ++i) {
            // Strictly descending scores, so the loader's sort keeps the places.
            saved->records[d][r] = RecordEntry{{}, 1000 - i, i * 3};
            SetName(saved->records[d][r].name, names[i]);
        }
    }
    SetName(saved->lastInputName, " \"last\"=; ");
    saved->difficulty = 1;
    saved->floorFlags = 6;
    saved->musicOn = 0;
    saved->soundOn = 0;
    saved->speedUp = 1;
    saved->showJumpCount = 1;
    ASSERT_TRUE(SaveSettings(*saved, file_));

    auto loaded = FreshState();
    LoadSettings(*loaded, file_);
    for (int d = 0; d < difficultyCount; ++d) {
        for (int r = 0; r < recordPlaces; ++r) {
            const RecordEntry& want = saved->records[d][r];
            const RecordEntry& got = loaded->records[d][r];
            EXPECT_EQ(NameText(got.name), NameText(want.name)) << d << r;
            EXPECT_EQ(got.score, want.score);
            EXPECT_EQ(got.jumps, want.jumps);
        }
    }
    EXPECT_EQ(NameText(loaded->lastInputName), " \"last\"=; ");
    EXPECT_EQ(loaded->difficulty, 1);
    EXPECT_EQ(loaded->floorFlags, 6);
    EXPECT_EQ(loaded->musicOn, 0);
    EXPECT_EQ(loaded->soundOn, 0);
    EXPECT_EQ(loaded->speedUp, 1);
    EXPECT_EQ(loaded->showJumpCount, 1);

    // A second save of the same state changes nothing.
    const std::string first = ReadText(file_);
    ASSERT_TRUE(SaveSettings(*loaded, file_));
    EXPECT_EQ(ReadText(file_), first);
}

TEST_F(SettingsFileTest, OverlongNamesAreCutOnACharacterBoundary) {
    std::string longName = "ab"; // the 255th byte is then the lead of a character
    for (int i = 0; i < 150; ++i) {
        longName += "\xC3\xA9";
    }
    WriteText(file_,
              "[Record]\n00N=" + longName + "\nLastInputName=" + std::string(300, 'z') + "\n");
    auto state = FreshState();
    LoadSettings(*state, file_);
    EXPECT_EQ(NameText(state->records[0][0].name), longName.substr(0, 254));
    EXPECT_EQ(NameText(state->lastInputName), std::string(255, 'z'));
}

TEST_F(SettingsFileTest, LineBreaksInANameAreWrittenAsBlanks) {
    auto state = FreshState();
    LoadSettings(*state, file_);
    SetName(state->lastInputName, "two\nlines\r\n");
    ASSERT_TRUE(SaveSettings(*state, file_));
    auto loaded = FreshState();
    LoadSettings(*loaded, file_);
    EXPECT_EQ(NameText(loaded->lastInputName), "two lines  ");
    EXPECT_EQ(NameText(loaded->records[0][0].name), "QUILLMARE"); // the file is not broken
}

TEST_F(SettingsFileTest, OutOfRangeValuesAreMendedOnLoad) {
    for (const char* difficulty : {"0", "4", "-1", "junk"}) {
        WriteText(file_, std::string("[Setting]\nDifficulty=") + difficulty + "\nFloorFlag=255\n");
        auto state = FreshState();
        LoadSettings(*state, file_);
        EXPECT_EQ(state->difficulty, 2) << difficulty;
        EXPECT_EQ(state->floorFlags, 15);
    }
    WriteText(file_, "[Setting]\nFloorFlag=-6\nMusic=5\nSound=-1\nSpeed=2\nJump=7\n");
    auto state = FreshState();
    LoadSettings(*state, file_);
    EXPECT_EQ(state->floorFlags, 10);
    // The flags count as set when non-zero and are taken as they stand.
    EXPECT_EQ(state->musicOn, 5);
    EXPECT_EQ(state->soundOn, -1);
    EXPECT_EQ(state->speedUp, 2);
    EXPECT_EQ(state->showJumpCount, 7);
}

TEST_F(SettingsFileTest, AHandEditedTableIsPutInOrderKeepingEqualEntriesInPlace) {
    WriteText(file_, "[Record]\n"
                     "10R=3\n10J=5\n10N=third-a\n"
                     "11R=9\n11J=2\n11N=best\n"
                     "12R=3\n12J=5\n12N=third-b\n"
                     "13R=3\n13J=1\n13N=second\n"
                     "14R=1\n14J=0\n14N=last\n");
    auto state = FreshState();
    LoadSettings(*state, file_);
    const char* order[] = {"best", "second", "third-a", "third-b", "last"};
    for (int r = 0; r < recordPlaces; ++r) {
        EXPECT_EQ(NameText(state->records[1][r].name), order[r]) << r;
    }
}

TEST_F(SettingsFileTest, UnknownContentIsKeptAndKnownKeysReplacedWhereTheyStand) {
    WriteText(file_, "; my notes\n"
                     "[Setting]\n"
                     "music = 1 ; old comment\n"
                     "Volume=11\n"
                     "\n"
                     "[Mods]\n"
                     "cheat=on\n"
                     "free text line\n");
    auto state = FreshState();
    LoadSettings(*state, file_);
    EXPECT_EQ(state->musicOn, 1);
    state->musicOn = 0;
    ASSERT_TRUE(SaveSettings(*state, file_));

    const std::string text = ReadText(file_);
    EXPECT_EQ(text.rfind("; my notes\n[Setting]\nMusic=0\nVolume=11\nDifficulty=2\n", 0), 0u)
        << text;
    EXPECT_NE(text.find("\n\n[Mods]\ncheat=on\nfree text line\n\n[Record]\n00R=5\n"),
              std::string::npos)
        << text;
    EXPECT_EQ(text.find("old comment"), std::string::npos);
}

TEST_F(SettingsFileTest, SaveCreatesMissingFolders) {
    const fs::path nested = folder_ / "a" / "b" / "varnisk.ini";
    auto state = FreshState();
    LoadSettings(*state, nested);
    ASSERT_TRUE(SaveSettings(*state, nested));
    auto loaded = FreshState();
    LoadSettings(*loaded, nested);
    ExpectLoaderDefaults(*loaded);
}

TEST_F(SettingsFileTest, FailedSaveLeavesNoTraceAndReportsFalse) {
    // A regular file where the folder should be: nothing can be created under it.
    WriteText(folder_ / "blocker", "not a folder");
    auto state = FreshState();
    LoadSettings(*state, folder_ / "blocker" / "varnisk.ini");
    ExpectLoaderDefaults(*state);
    EXPECT_FALSE(SaveSettings(*state, folder_ / "blocker" / "varnisk.ini"));
    EXPECT_EQ(ReadText(folder_ / "blocker"), "not a folder");
}

TEST_F(SettingsFileTest, SaveLeavesNoTemporaryFilesAndKeepsASymbolicLink) {
    const fs::path real = folder_ / "real.ini";
    WriteText(real, "[Setting]\nDifficulty=1\n");
    fs::create_symlink(real, file_);
    auto state = FreshState();
    LoadSettings(*state, file_);
    EXPECT_EQ(state->difficulty, 1);
    state->difficulty = 3;
    ASSERT_TRUE(SaveSettings(*state, file_));
    EXPECT_TRUE(fs::is_symlink(file_));
    EXPECT_NE(ReadText(real).find("Difficulty=3\n"), std::string::npos);
    int entries = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder_)) {
        ++entries;
    }
    EXPECT_EQ(entries, 2); // the link and its target, no leftovers
}

// Sets or unsets an environment variable for one test and restores it after.
class ScopedEnv {
  public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) {
            old_ = old;
        }
        if (value != nullptr) {
            ::setenv(name, value, 1);
        } else {
            ::unsetenv(name);
        }
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;
    ~ScopedEnv() {
        if (old_) {
            ::setenv(name_, old_->c_str(), 1);
        } else {
            ::unsetenv(name_);
        }
    }

  private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST(SettingsFilePath, FollowsTheXdgRules) {
    {
        ScopedEnv xdg("XDG_CONFIG_HOME", "/xdg/config");
        ScopedEnv home("HOME", "/home/player");
        EXPECT_EQ(SettingsFilePath(), fs::path("/xdg/config/varnisk/varnisk.ini"));
    }
    {
        ScopedEnv xdg("XDG_CONFIG_HOME", "relative/config"); // not absolute: ignored
        ScopedEnv home("HOME", "/home/player");
        EXPECT_EQ(SettingsFilePath(), fs::path("/home/player/.config/varnisk/varnisk.ini"));
    }
    {
        ScopedEnv xdg("XDG_CONFIG_HOME", "");
        ScopedEnv home("HOME", "/home/player");
        EXPECT_EQ(SettingsFilePath(), fs::path("/home/player/.config/varnisk/varnisk.ini"));
    }
    {
        ScopedEnv xdg("XDG_CONFIG_HOME", nullptr);
        ScopedEnv home("HOME", nullptr); // from the password database instead
        const fs::path path = SettingsFilePath();
        EXPECT_TRUE(path.is_absolute()) << path;
        EXPECT_EQ(path.filename(), "varnisk.ini");
        EXPECT_EQ(path.parent_path().parent_path().filename(), ".config");
    }
}

} // namespace
