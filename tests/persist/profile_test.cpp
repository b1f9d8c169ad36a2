#include "persist/profile.h"
#include "persist/profile_value.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <string>

namespace {

TEST(ProfileInt, ReadsLeadingDecimalDigitsLikeTheProfileFunctions) {
    struct Case {
        const char* text;
        std::int32_t value;
    };
    const Case cases[] = {{"42", 42},
                          {"  7", 7},
                          {"\t-3", -3},
                          {"+9", 9},
                          {"12abc", 12},
                          {"3 4", 3},
                          {"abc", 0},
                          {"", 0},
                          {"-", 0},
                          {"--5", 0},
                          {"0x1F", 0},
                          {"2147483647", 2147483647},
                          {"-2147483648", INT32_MIN}, // the full range, no overflow on the way
                          {"2147483648", INT32_MIN},  // one past wraps as 32-bit arithmetic does
                          {"4294967297", 1},
                          {"99999999999999999999999999", static_cast<std::int32_t>(0xE3FFFFFFu)}};
    for (const Case& c : cases) {
        EXPECT_EQ(ParseProfileInt(c.text), c.value) << '"' << c.text << '"';
    }
}

TEST(ProfileString, EncodedValuesDecodeUnchanged) {
    const std::string values[] = {"",
                                  "plain",
                                  "inner  blanks",
                                  " leading",
                                  "trailing\t",
                                  "  both  ",
                                  "\"",
                                  "\"\"",
                                  "\"quoted\"",
                                  "\"open",
                                  "close\"",
                                  "mid\"dle",
                                  " \"blank and quote\" ",
                                  ";not a comment",
                                  "a=b=c",
                                  "[not a section]",
                                  "caf\xC3\xA9 \xE6\x97\xA5\xE6\x9C\xAC"};
    for (const std::string& value : values) {
        EXPECT_EQ(DecodeProfileString(EncodeProfileString(value)), value) << value;
    }
}

TEST(ProfileString, LineBreaksBecomeBlanksAndLongValuesAreCutOnACharacter) {
    EXPECT_EQ(DecodeProfileString(EncodeProfileString("two\r\nlines")), "two  lines");
    EXPECT_EQ(DecodeProfileString(EncodeProfileString("\nedge")), " edge");

    // 127 two-byte characters fill 254 bytes; a 255th byte would split one.
    std::string wide;
    for (int i = 0; i < 150; ++i) {
        wide += "\xC3\xA9";
    }
    const std::string read = DecodeProfileString(wide);
    EXPECT_EQ(read.size(), 254u);
    EXPECT_EQ(read, wide.substr(0, 254));
    EXPECT_EQ(DecodeProfileString(std::string(300, 'x')).size(), 255u);
}

TEST(ProfileDocument, FindsSectionsAndKeysWithoutRegardToCaseOrBlanks) {
    const ProfileDocument document = ParseProfile("\xEF\xBB\xBF"
                                                  "; a comment=1\r\n"
                                                  "  [ record ]  \r\n"
                                                  "  lastinputname =  \" Ann \"  \r\n"
                                                  "00r=12\r\n"
                                                  "00R=99\r\n"
                                                  "[Other]\r\n"
                                                  "00R=55\r\n"
                                                  "[RECORD]\r\n"
                                                  "01N=from the second section\r\n");
    EXPECT_EQ(GetProfileString(document, "Record", "LastInputName", "x"), " Ann ");
    EXPECT_EQ(GetProfileInt(document, "Record", "00R", -1), 12); // the first one counts
    EXPECT_EQ(GetProfileString(document, "Record", "01N", "x"), "from the second section");
    EXPECT_EQ(GetProfileInt(document, "Record", "99R", -1), -1);
    EXPECT_EQ(GetProfileInt(document, "Missing", "00R", -1), -1);
    EXPECT_EQ(GetProfileString(document, "Record", "; a comment", "none"), "none");
}

TEST(ProfileDocument, PresentKeyWithoutDigitsGivesZeroNotTheFallback) {
    const ProfileDocument document = ParseProfile("[S]\nEmpty=\nWord=yes\n");
    EXPECT_EQ(GetProfileInt(document, "S", "Empty", 7), 0);
    EXPECT_EQ(GetProfileInt(document, "S", "Word", 7), 0);
    EXPECT_EQ(GetProfileString(document, "S", "Empty", "fallback"), "");
}

TEST(ProfileDocument, UntouchedTextIsWrittenBackAsItWas) {
    const std::string lf = "; notes\n[A]\nkey = value \n\njunk line\n[B]\n";
    EXPECT_EQ(FormatProfile(ParseProfile(lf)), lf);
    const std::string crlf = "\xEF\xBB\xBF[A]\r\nx=1\r\n";
    EXPECT_EQ(FormatProfile(ParseProfile(crlf)), crlf);
    // A last line without its line end gets one.
    EXPECT_EQ(FormatProfile(ParseProfile("[A]\nx=1")), "[A]\nx=1\n");
    EXPECT_EQ(FormatProfile(ParseProfile("")), "");
}

TEST(ProfileDocument, SetReplacesInPlaceOrAppendsToTheSectionOrAppendsTheSection) {
    ProfileDocument document = ParseProfile("[A]\n"
                                            "; keep me\n"
                                            "KEY = old\n"
                                            "other=1\n"
                                            "\n"
                                            "[B]\n"
                                            "b=2\n");
    SetProfileString(document, "a", "key", "new");
    SetProfileString(document, "A", "added", " spaced ");
    SetProfileString(document, "C", "c", "3");
    SetProfileString(document, "B", "b2", "");
    EXPECT_EQ(FormatProfile(document), "[A]\n"
                                       "; keep me\n"
                                       "key=new\n"
                                       "other=1\n"
                                       "added=\" spaced \"\n"
                                       "\n"
                                       "[B]\n"
                                       "b=2\n"
                                       "b2=\n"
                                       "\n"
                                       "[C]\n"
                                       "c=3\n");
    EXPECT_EQ(GetProfileString(document, "A", "added", "x"), " spaced ");
}

TEST(ProfileDocument, SetKeepsTheLineEndStyleOfTheFile) {
    ProfileDocument document = ParseProfile("[A]\r\nx=1\r\n");
    SetProfileString(document, "A", "y", "2");
    EXPECT_EQ(FormatProfile(document), "[A]\r\nx=1\r\ny=2\r\n");
}

} // namespace
