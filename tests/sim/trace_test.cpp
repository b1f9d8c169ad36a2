#include "tools/varnisk-sim/trace.h"

#include <gtest/gtest.h>
#include <sstream>

TEST(Trace, JsonStringsEscapeWhatJsonNeedsAndKeepUtf8) {
    EXPECT_EQ(JsonString("plain"), "\"plain\"");
    EXPECT_EQ(JsonString("a\"b\\c"), "\"a\\\"b\\\\c\"");
    EXPECT_EQ(JsonString(std::string("tab\there\n", 9)), "\"tab\\u0009here\\u000a\"");
    EXPECT_EQ(JsonString("Zoë 雪"), "\"Zoë 雪\"");
    // A byte that is not UTF-8 becomes the code point of its value.
    EXPECT_EQ(JsonString("\xE9t\xE9"), "\"\\u00e9t\\u00e9\"");
    // An overlong encoding is not passed through.
    EXPECT_EQ(JsonString("\xC0\xAF"), "\"\\u00c0\\u00af\"");
}

TEST(Trace, LineHoldsEveryFieldInOrder) {
    GameState state{};
    state.mode = GameMode::Title;
    state.playerY = 352;
    state.floors[0] = {FloorKind::Spring, 32, -30, 4, 0, 2};
    std::ostringstream out;
    WriteTraceLine(out, 12, state, {143, 144}, {"play", "stop"});
    const std::string line = out.str();
    EXPECT_EQ(line.rfind("{\"tick\":12,\"mode\":1,\"playerX\":0,\"playerY\":352,\"facing\":0,", 0),
              0u);
    const char* keys[] = {"verticalSpeed",      "standingFloor", "jumpPower",  "charging",
                          "airborne",           "animFrame",     "jumpHeld",   "patternIndex",
                          "scrollPhase",        "rollPhase",     "shownFloor", "floorCount",
                          "jumpCount",          "difficulty",    "floorFlags", "practiceDifficulty",
                          "practiceFloorFlags", "musicOn",       "soundOn",    "speedUp",
                          "showJumpCount",      "floors",        "sounds",     "music"};
    std::size_t at = 0;
    for (const char* key : keys) {
        const std::size_t found = line.find(std::string("\"") + key + "\":", at);
        ASSERT_NE(found, std::string::npos) << key;
        at = found;
    }
    EXPECT_NE(line.find("\"floors\":[[6,32,-30,4,0,2],[0,0,0,0,0,0],"), std::string::npos);
    EXPECT_NE(line.find("\"sounds\":[143,144],\"music\":[\"play\",\"stop\"]}\n"),
              std::string::npos);
}
