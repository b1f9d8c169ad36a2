// Our settings file against Windows' own profile functions, under Wine on
// the build machine: what the game writes, GetPrivateProfileStringW reads
// back the same; what WritePrivateProfileStringW writes, the game reads as
// Windows does. Names are where the two could part: blanks, quotes, and
// letters beyond ASCII.
#include "persist/profile.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <vector>
#include <windows.h>
// windows.h names its own profile functions so; ours are meant here.
#undef GetProfileString
#undef GetProfileInt

namespace {

std::wstring Wide(std::string_view utf8) {
    std::wstring wide(utf8.size(), L'\0');
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()),
                                           wide.data(), static_cast<int>(wide.size()));
    wide.resize(static_cast<std::size_t>(length));
    return wide;
}

std::string Utf8(std::wstring_view wide) {
    std::string utf8(wide.size() * 3, '\0');
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(),
                            static_cast<int>(utf8.size()), nullptr, nullptr);
    utf8.resize(static_cast<std::size_t>(length));
    return utf8;
}

class ProfileApi : public testing::Test {
  protected:
    void SetUp() override {
        folder_ = std::filesystem::temp_directory_path() /
                  ("varnisk-profile-" + std::to_string(GetCurrentProcessId()));
        std::filesystem::create_directories(folder_);
        file_ = folder_ / "varnisk.ini";
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    std::string WindowsReads(const char* key) const {
        std::wstring value(256, L'\0');
        const DWORD length =
            GetPrivateProfileStringW(L"Record", Wide(key).c_str(), L"(missing)", value.data(),
                                     static_cast<DWORD>(value.size()), file_.c_str());
        value.resize(length);
        return Utf8(value);
    }
    std::string FileText() const {
        std::ifstream in(file_, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }

    std::filesystem::path folder_;
    std::filesystem::path file_;
};

// The names a player may type, as the game stores them.
const std::vector<std::string> asciiNames = {"Ann",        "A B", " lead", "trail ", "\"Q\"",
                                             "say \"hi\"", "a=b", ";x",    ""};

TEST_F(ProfileApi, WindowsReadsBackEveryNameTheGameWrites) {
    ProfileDocument document = ParseProfile("");
    for (std::size_t i = 0; i < asciiNames.size(); ++i)
        SetProfileString(document, "Record", "0" + std::to_string(i) + "N", asciiNames[i]);
    SetProfileString(document, "Record", "00R", "12");
    std::ofstream(file_, std::ios::binary) << FormatProfile(document);

    for (std::size_t i = 0; i < asciiNames.size(); ++i) {
        const std::string key = "0" + std::to_string(i) + "N";
        EXPECT_EQ(WindowsReads(key.c_str()), GetProfileString(document, "Record", key, "(missing)"))
            << "name " << i << ": [" << asciiNames[i] << "]";
    }
    EXPECT_EQ(GetPrivateProfileIntW(L"Record", L"00R", -1, file_.c_str()), 12u);
}

TEST_F(ProfileApi, TheGameReadsWhatWindowsWritesAsWindowsReadsIt) {
    for (std::size_t i = 0; i < asciiNames.size(); ++i) {
        const std::wstring key = Wide("0" + std::to_string(i) + "N");
        ASSERT_TRUE(WritePrivateProfileStringW(L"Record", key.c_str(), Wide(asciiNames[i]).c_str(),
                                               file_.c_str()));
    }
    ASSERT_TRUE(WritePrivateProfileStringW(nullptr, nullptr, nullptr, file_.c_str())); // flush
    const ProfileDocument document = ParseProfile(FileText());
    for (std::size_t i = 0; i < asciiNames.size(); ++i) {
        const std::string key = "0" + std::to_string(i) + "N";
        EXPECT_EQ(GetProfileString(document, "Record", key, "(missing)"), WindowsReads(key.c_str()))
            << "name " << i << ": [" << asciiNames[i] << "]";
    }
}

// Beyond ASCII the two differ by design: the game's file is UTF-8 (the same
// file on every system), while Windows' profile functions read a file
// without a byte order mark in the system's ANSI code page. A UTF-8 byte
// order mark, which the game keeps once a file has it, makes them agree.
TEST_F(ProfileApi, LettersBeyondAsciiAgreeInAFileMarkedAsUtf8) {
    const std::string name = "J\xC3\xB6rg \xE3\x83\xA2\xE3\x83\x8A"; // "Jörg モナ"
    ProfileDocument document = ParseProfile("\xEF\xBB\xBF[Record]\n");
    SetProfileString(document, "Record", "00N", name);
    std::ofstream(file_, std::ios::binary) << FormatProfile(document);
    EXPECT_EQ(WindowsReads("00N"), name);
}

} // namespace
