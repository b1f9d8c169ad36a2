#include "core/commands.h"
#include "shell/menu_bar.h"

#include <gtest/gtest.h>
#include <map>
#include <vector>

TEST(MenuBar, TitleAndPlayStatesGrayTheRightItems) {
    MenuBar bar = MakeMainMenu();
    const std::map<int, bool> titleAvailable = {
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
