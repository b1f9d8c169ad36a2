#include "tests/e2e/settings_ini.h"

#include <fstream>
#include <gtest/gtest.h>

namespace {

TEST(SettingsIni, FindsAKeyOnlyInItsOwnSection) {
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() / "varnisk-e2e-settings-ini-test.ini";
    std::ofstream(file) << "[Record]\r\n00R=5\r\nJump=7\r\n"
                        << "[Setting]\nDifficulty = 2\n  Jump=1  \nnot a pair\nName=\n"
                        << "[Other]\nJump=9\n";
    EXPECT_EQ(ReadIniValue(file, "Setting", "Jump"), "1");
    EXPECT_EQ(ReadIniValue(file, "Record", "Jump"), "7");
    EXPECT_EQ(ReadIniValue(file, "Record", "00R"), "5"); // no carriage return kept
    EXPECT_EQ(ReadIniValue(file, "Setting", "Difficulty"), "2");
    EXPECT_EQ(ReadIniValue(file, "Setting", "Name"), "");
    EXPECT_EQ(ReadIniValue(file, "Setting", "Zoom"), std::nullopt);
    EXPECT_EQ(ReadIniValue(file, "Missing", "Jump"), std::nullopt);
    std::filesystem::remove(file);
    EXPECT_EQ(ReadIniValue(file, "Setting", "Jump"), std::nullopt);
}

} // namespace
