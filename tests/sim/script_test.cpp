#include "tools/varnisk-sim/script.h"
#include "tools/varnisk-sim/sim_options.h"

#include <gtest/gtest.h>
#include <sstream>

namespace {

ScriptResult Parse(const std::string& text) {
    std::istringstream in(text);
    return ParseScript(in);
}

// Every field of an event, named.
std::string Describe(const ScriptEvent& e) {
    std::ostringstream out;
    out << "line " << e.line << ": tick " << e.tick << " verb " << static_cast<int>(e.verb)
        << " value " << e.value << " point " << e.hasPoint << " (" << e.x << ", " << e.y
        << ") name '" << e.text << "'";
    return out.str();
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
    std::vector<std::string> got;
    for (const ScriptEvent& e : r.events)
        got.push_back(Describe(e));
    // The name is the rest of the line after the verb's one blank, blanks kept.
    EXPECT_EQ(got, (std::vector<std::string>{
                       "line 4: tick 0 verb 0 value 40001 point 0 (0, 0) name ''",
                       "line 5: tick 3 verb 1 value 32 point 0 (0, 0) name ''",
                       "line 6: tick 3 verb 2 value 32 point 0 (0, 0) name ''",
                       "line 7: tick 4 verb 3 value 0 point 1 (530, 310) name ''",
                       "line 8: tick 5 verb 4 value 0 point 0 (0, 0) name ''",
                       "line 9: tick 6 verb 4 value 0 point 1 (1, 2) name ''",
                       "line 10: tick 7 verb 5 value 0 point 0 (0, 0) name ' Ann Lee '",
                       "line 11: tick 7 verb 5 value 0 point 0 (0, 0) name ''",
                       "line 12: tick 8 verb 6 value 3 point 0 (0, 0) name ''",
                   }));
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

TEST(SimOptions, ReadsEveryOptionInBothFormsAndHasDefaults) {
    const OptionsResult r =
        ParseCommandLine({"--seed", "42", "--ticks=7", "--settings", "in.ini", "--save=out.ini",
                          "--screen", "3:a.bmp", "--screen=9:b.bmp", "play.txt"});
    ASSERT_FALSE(r.error) << *r.error;
    EXPECT_EQ(r.options.seed, 42u);
    EXPECT_EQ(r.options.ticks, 7);
    EXPECT_EQ(r.options.settings, "in.ini");
    EXPECT_EQ(r.options.save, "out.ini");
    ASSERT_EQ(r.options.screens.size(), 2u);
    EXPECT_EQ(r.options.screens[0].tick, 3);
    EXPECT_EQ(r.options.screens[1].file, "b.bmp");
    EXPECT_EQ(r.options.script, "play.txt");

    const OptionsResult plain = ParseCommandLine({"-"});
    ASSERT_FALSE(plain.error);
    EXPECT_EQ(plain.options.seed, 1u);
    EXPECT_EQ(plain.options.ticks, 1000);
    EXPECT_TRUE(plain.options.settings.empty() && plain.options.save.empty());
    EXPECT_EQ(plain.options.script, "-");
}
