#include "core/commands.h"
#include "shell/menu_bar.h"

#include <gtest/gtest.h>
#include <map>

TEST(MenuBar, CarriesEveryItemWithItsExactLabelInOrder) {
    const MenuBar bar = MakeMainMenu();
    ASSERT_EQ(bar.menus.size(), 4u);
    EXPECT_EQ(bar.menus[0].title, "&File");
    EXPECT_EQ(bar.menus[1].title, "&Difficulty");
    EXPECT_EQ(bar.menus[2].title, "&Option");
    EXPECT_EQ(bar.menus[3].title, "&Help");
    const std::vector<std::vector<std::pair<int, std::string>>> expected = {
        {{40001, "&New Game"},
         {40002, "&Practice"},
         {0, ""},
         {40003, "&Pause"},
         {40004, "&Abort"},
         {0, ""},
         {40005, "E&xit"}},
        {{40006, "&Easy"},
         {40007, "&Normal"},
         {40008, "&Hard"},
         {0, ""},
         {40009, "&Conveyer Belt"},
         {40010, "Moving Floor &L-R"},
         {40011, "Moving Floor &U-D"},
         {40012, "&Spring"}},
        {{40013, "&Music"},
         {40014, "&Sound"},
         {40015, "S&peedUp"},
         {40016, "Show &Jump Count"},
         {0, ""},
         {40017, "&Clear Best5..."}},
        {{40018, "&Help Topics"}, {0, ""}, {40019, "&About VARNISK..."}},
    };
    for (std::size_t m = 0; m < expected.size(); ++m) {
        ASSERT_EQ(bar.menus[m].items.size(), expected[m].size()) << m;
        for (std::size_t i = 0; i < expected[m].size(); ++i) {
            EXPECT_EQ(bar.menus[m].items[i].id, expected[m][i].first);
            EXPECT_EQ(bar.menus[m].items[i].label, expected[m][i].second);
            EXPECT_FALSE(bar.menus[m].items[i].checked);
        }
    }
}

TEST(MenuBar, TitleAndPlayStatesGrayTheRightItems) {
    MenuBar bar = MakeMainMenu();
    // As stored: the title state.
    std::map<int, bool> titleAvailable = {
        {40001, true}, {40002, true}, {40003, false}, {40004, false}, {40005, true}, {40006, true},
        {40012, true}, {40013, true}, {40017, true},  {40018, true},  {40019, true}};
    for (const auto& [id, available] : titleAvailable) {
        EXPECT_EQ(IsCommandAvailable(bar, id), available) << id;
    }
    SetPlayState(bar);
    for (const auto& [id, available] : titleAvailable) {
        const bool fileOrDifficulty = id <= 40004 || (id >= 40006 && id <= 40012);
        EXPECT_EQ(IsCommandAvailable(bar, id), fileOrDifficulty ? !available : available) << id;
    }
    // The Difficulty menu is grayed as a whole; its items keep their own state.
    EXPECT_TRUE(bar.menus[difficultyMenuPosition].grayed);
    EXPECT_FALSE(FindMenuItem(bar, command::easy)->grayed);
    SetTitleState(bar);
    for (const auto& [id, available] : titleAvailable) {
        EXPECT_EQ(IsCommandAvailable(bar, id), available) << id;
    }
}

TEST(MenuBar, PauseLabelAndUnknownIds) {
    MenuBar bar = MakeMainMenu();
    SetPauseLabel(bar, true);
    EXPECT_EQ(FindMenuItem(bar, command::pause)->label, "&Resume");
    SetPauseLabel(bar, false);
    EXPECT_EQ(FindMenuItem(bar, command::pause)->label, "&Pause");
    EXPECT_EQ(FindMenuItem(bar, 0), nullptr); // separators are not commands
    EXPECT_EQ(FindMenuItem(bar, command::nothing), nullptr);
    EXPECT_FALSE(IsCommandAvailable(bar, command::helpKey));
    SetItemChecked(bar, 40099, true); // unknown ids change nothing
}
