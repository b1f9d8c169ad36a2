#include "persist/profile.h"
#include "persist/profile_value.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <string>

namespace {

TEST(ProfileValue, IntegersAreTheLeadingDigitsWrappedTo32Bits) {
    EXPECT_EQ(ParseProfileInt("  7"), 7);
    EXPECT_EQ(ParseProfileInt("\t-3"), -3);
    EXPECT_EQ(ParseProfileInt("+9"), 9);
    EXPECT_EQ(ParseProfileInt("12abc"), 12);
    EXPECT_EQ(ParseProfileInt("abc"), 0);
    EXPECT_EQ(ParseProfileInt("--5"), 0);
    EXPECT_EQ(ParseProfileInt("-2147483648"), INT32_MIN);
    // Past the top the value wraps as 32-bit arithmetic does, and never overflows.
    EXPECT_EQ(ParseProfileInt("2147483648"), INT32_MIN);
    EXPECT_EQ(ParseProfileInt("99999999999999999999999999"),
              static_cast<std::int32_t>(0xE3FFFFFFu));
}

TEST(ProfileValue, StringsAreCutAt255BytesWithoutSplittingACharacter) {
    std::string wide; // 127 two-byte characters fill 254 bytes; a 255th would split one
    for (int i = 0; i < 150; ++i) {
        wide += "\xC3\xA9";
    }
    EXPECT_EQ(DecodeProfileString(wide), wide.substr(0, 254));
    EXPECT_EQ(DecodeProfileString(std::string(300, 'x')), std::string(255, 'x'));
}

TEST(ProfileDocument, TheFirstKeyOfASectionCountsWhateverItsCaseOrBlanks) {
    const ProfileDocument document = ParseProfile(
        "[ record ]  \r\n; comment=1\r\n  lastinputname =  \" Ann \"  \r\n00r=12\r\n00R=99\r\n"
        "Empty=\r\nWord=yes\r\n[Other]\r\n99R=55\r\n[RECORD]\r\n01N=from the second section\r\n");
    EXPECT_EQ(GetProfileString(document, "Record", "LastInputName", "x"), " Ann ");
    EXPECT_EQ(GetProfileInt(document, "Record", "00R", -1), 12);
    EXPECT_EQ(GetProfileString(document, "Record", "01N", "x"), "from the second section");
    EXPECT_EQ(GetProfileInt(document, "Record", "99R", -1), -1); // [Other] closed [record]
    EXPECT_EQ(GetProfileInt(document, "Missing", "00R", -1), -1);
    EXPECT_EQ(GetProfileString(document, "Record", "; comment", "none"), "none");
    // A key that is there but holds no digits is 0, not the fallback.
    EXPECT_EQ(GetProfileInt(document, "Record", "Empty", 7), 0);
    EXPECT_EQ(GetProfileInt(document, "Record", "Word", 7), 0);
    EXPECT_EQ(GetProfileString(document, "Record", "Empty", "fallback"), "");
}

TEST(ProfileDocument, UntouchedFilesAreWrittenBackAsTheyWere) {
    for (const std::string text :
         {"; notes\n[A]\nkey = value \n\njunk line\n[B]\n", "\xEF\xBB\xBF[A]\r\nx=1\r\n", ""}) {
        EXPECT_EQ(FormatProfile(ParseProfile(text)), text);
    }
    EXPECT_EQ(FormatProfile(ParseProfile("[A]\nx=1")), "[A]\nx=1\n"); // the last line gets its end
}

TEST(ProfileDocument, LfCrLfAndCrEachEndALineAndASaveKeepsEveryLine) {
    for (const std::string end : {"\n", "\r\n", "\r"}) {
        std::string text = "; note";
        for (const char* line : {"[A]", "", "x=1", "junk", ""})
            text.append(end).append(line);
        ProfileDocument document = ParseProfile(text);
        EXPECT_EQ(GetProfileInt(document, "A", "x", -1), 1);
        EXPECT_EQ(FormatProfile(document), text); // one convention is kept
        SetProfileString(document, "A", "y", "2");
        EXPECT_EQ(FormatProfile(document), std::string(text).append("y=2").append(end));
    }
    // A mix is read line by line alike and written whole in LF.
    ProfileDocument mixed =
        ParseProfile("; note\r; more\r\n; last\n[A]\r\r\nx=1\r\njunk\r\r\n[B]\rz=3");
    EXPECT_EQ(GetProfileInt(mixed, "A", "x", -1), 1);
    SetProfileString(mixed, "A", "y", "2");
    EXPECT_EQ(FormatProfile(mixed), "; note\n; more\n; last\n[A]\n\nx=1\njunk\ny=2\n\n[B]\nz=3\n");
}

TEST(ProfileDocument, SetReplacesInPlaceOrAppendsToTheSectionOrAppendsTheSection) {
    ProfileDocument document = ParseProfile("[A]\n; keep me\nKEY = old\nother=1\n\n[B]\nb=2\n\n");
    SetProfileString(document, "a", "key", "new");
    SetProfileString(document, "A", "added", " spaced ");
    SetProfileString(document, "C", "c", "3");
    SetProfileString(document, "B", "b2", "");
    EXPECT_EQ(FormatProfile(document), "[A]\n; keep me\nkey=new\nother=1\nadded=\" spaced \"\n\n"
                                       "[B]\nb=2\nb2=\n\n[C]\nc=3\n");
}

} // namespace
