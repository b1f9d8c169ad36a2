#include "tools/varnisk-sim/script.h"
#include "tools/varnisk-sim/sim_options.h"

#include <gtest/gtest.h>
#include <sstream>

namespace {

ScriptResult Parse(const std::string& text) {
    std::istringstream in(text);
    return ParseScript(in);
}

} // namespace

TEST(Script, ReadsEveryVerbAndSkipsBlankAndCommentLines) {
    const ScriptResult r = Parse("# a comment\n"
                                 "\n"
                                 "   # indented comment\n"
                                 "0 command 40001\r\n"
                                 "3 key-down 32\n"
                                 "3 key-up 32\n"
                                 "4 lbutton-down 530 310\n"
                                 "5 lbutton-up\n"
                                 "6 lbutton-up 1 2\n"
                                 "7 name  Ann Lee \n"
                                 "7 name\n"
                                 "8 clear-choice 3\n");
    ASSERT_FALSE(r.error) << *r.error;
    ASSERT_EQ(r.events.size(), 9u);
    EXPECT_EQ(r.events[0].verb, ScriptVerb::Command);
    EXPECT_EQ(r.events[0].value, 40001);
    EXPECT_EQ(r.events[0].line, 4);
    EXPECT_EQ(r.events[1].verb, ScriptVerb::KeyDown);
    EXPECT_EQ(r.events[2].verb, ScriptVerb::KeyUp);
    EXPECT_EQ(r.events[3].x, 530);
    EXPECT_EQ(r.events[3].y, 310);
    EXPECT_FALSE(r.events[4].hasPoint);
    EXPECT_TRUE(r.events[5].hasPoint);
    // The name is the rest of the line after the verb's one blank, blanks kept.
    EXPECT_EQ(r.events[6].text, " Ann Lee ");
    EXPECT_EQ(r.events[7].text, "");
    EXPECT_EQ(r.events[8].value, 3);
}

TEST(Script, NamesTheFirstBadLine) {
    const struct {
        const char* text;
        const char* error;
    } cases[] = {
        {"0 command 40001\n1 jump\n", "line 2: unknown verb 'jump'"},
        {"5 command 40001\n4 command 40002\n", "line 2: tick 4 comes before tick 5"},
        {"x command 1\n", "line 1: bad tick 'x'"},
        {"-1 command 1\n", "line 1: bad tick '-1'"},
        {"0\n", "line 1: missing verb"},
        {"0 key-down\n", "line 1: missing virtual-key code"},
        {"0 key-down 32 33\n", "line 1: unexpected '33'"},
        {"0 key-down 300\n", "line 1: bad virtual-key code '300'"},
        {"0 lbutton-down 5\n", "line 1: missing y"},
        {"0 lbutton-up 5\n", "line 1: missing y"},
        {"0 clear-choice 5\n", "line 1: bad choice '5'"},
        {"0 command 4x\n", "line 1: bad command id '4x'"},
    };
    for (const auto& c : cases) {
        const ScriptResult r = Parse(c.text);
        ASSERT_TRUE(r.error) << c.text;
        EXPECT_EQ(*r.error, c.error);
        EXPECT_TRUE(r.events.empty());
    }
}

TEST(SimOptions, ReadsEveryOptionInBothForms) {
    const OptionsResult r =
        ParseCommandLine({"--seed", "42", "--ticks=7", "--settings", "in.ini", "--save=out.ini",
                          "--screen", "3:a.bmp", "--screen=9:b.bmp", "play.txt"});
    ASSERT_FALSE(r.error) << *r.error;
    EXPECT_EQ(r.options.seed, 42u);
    EXPECT_EQ(r.options.ticks, 7);
    EXPECT_EQ(r.options.settings, "in.ini");
    EXPECT_EQ(r.options.save, "out.ini");
    ASSERT_EQ(r.options.screens.size(), 2u);
    EXPECT_EQ(r.options.screens[1].tick, 9);
    EXPECT_EQ(r.options.screens[1].file, "b.bmp");
    EXPECT_EQ(r.options.script, "play.txt");
}

TEST(SimOptions, DefaultsAndStandardInput) {
    const OptionsResult r = ParseCommandLine({"-"});
    ASSERT_FALSE(r.error);
    EXPECT_EQ(r.options.seed, 1u);
    EXPECT_EQ(r.options.ticks, 1000);
    EXPECT_TRUE(r.options.settings.empty());
    EXPECT_TRUE(r.options.save.empty());
    EXPECT_EQ(r.options.script, "-");
}

TEST(SimOptions, RejectsBadCommandLines) {
    const std::vector<std::vector<std::string>> bad = {
        {},          {"--seed", "x", "s"},      {"--seed", "-1", "s"},   {"--ticks", "-5", "s"},
        {"--ticks"}, {"--screen", "nope", "s"}, {"--screen", "3:", "s"}, {"--frobnicate", "s"},
        {"a", "b"},
    };
    for (const auto& args : bad) {
        EXPECT_TRUE(ParseCommandLine(args).error) << (args.empty() ? "" : args[0]);
    }
}
