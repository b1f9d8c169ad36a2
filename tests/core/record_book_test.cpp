#include "core/record_book.h"
#include "tests/core/core_test_support.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using Strings = std::vector<std::string>;

struct Row {
    std::int32_t score;
    std::int32_t jumps;
    std::string name;
};

void Fill(RecordTable& table, const std::vector<Row>& rows) {
    for (int i = 0; i < recordPlaces; ++i) {
        table[i].score = rows[i].score;
        table[i].jumps = rows[i].jumps;
        SetName(table[i].name, rows[i].name);
    }
}

std::vector<Row> Rows(const RecordTable& table) {
    std::vector<Row> rows;
    for (const RecordEntry& entry : table) {
        rows.push_back({entry.score, entry.jumps, std::string(NameText(entry.name))});
    }
    return rows;
}

bool operator==(const Row& a, const Row& b) {
    return a.score == b.score && a.jumps == b.jumps && a.name == b.name;
}

void PrintTo(const Row& row, std::ostream* os) {
    *os << "(" << row.score << ", " << row.jumps << ", \"" << row.name << "\")";
}

const std::vector<Row> defaults = {{5, 10, "QUILLMARE"},
                                   {4, 8, "QUILLMARE"},
                                   {3, 6, "QUILLMARE"},
                                   {2, 4, "QUILLMARE"},
                                   {1, 2, "QUILLMARE"}};
// What the settings file's loader puts where a table is missing.
const std::vector<Row> loaderDefaults = {{5, 0, "QUILLMARE"},
                                         {4, 0, "QUILLMARE"},
                                         {3, 0, "QUILLMARE"},
                                         {2, 0, "QUILLMARE"},
                                         {1, 0, "QUILLMARE"}};

class Offer : public ::testing::Test {
  protected:
    void SetUp() override {
        state.mode = GameMode::GameOver;
        recording::Answers().keepPreset = false;
        recording::Answers().name = "new";
    }
    // Ends a game on Normal with this result and offers it a place.
    void EndWith(std::int32_t floors, std::int32_t jumps) {
        state.floorCount = floors;
        state.jumpCount = jumps;
        OfferRecord(state);
    }
    std::vector<Row> Normal() const { return Rows(state.records[1]); }
    GameState state = MakeTitleState(1);
};

TEST(ResetRecordTable, WritesScoresFiveToOneWithTwiceAsManyJumps) {
    RecordTable table{};
    Fill(table, loaderDefaults);
    SetName(table[2].name, "someone");
    ResetRecordTable(table);
    EXPECT_EQ(Rows(table), defaults);
}

TEST_F(Offer, SameScoreAsTheFifthNeedsFewerJumps) {
    EndWith(1, 2);
    EndWith(1, 3);
    EXPECT_EQ(Normal(), defaults);
    EXPECT_TRUE(recording::Calls().empty());
    EndWith(1, 1);
    EXPECT_EQ(Normal()[4], (Row{1, 1, "new"}));
    EXPECT_EQ(Normal()[3], defaults[3]);
}

TEST_F(Offer, AHigherScoreQualifiesWhateverTheJumps) {
    EndWith(2, 100);
    EXPECT_EQ(Normal()[3], defaults[3]) << "(2, 4) is better than (2, 100)";
    EXPECT_EQ(Normal()[4], (Row{2, 100, "new"}));
}

TEST_F(Offer, PlaysTheFanfareThenAsksForTheName) {
    EndWith(9, 9);
    EXPECT_EQ(recording::Calls(), (Strings{"PlayEffect 158", "RunNameEntryDialog"}));
    state.soundOn = 0;
    recording::Clear();
    recording::Answers().keepPreset = false;
    EndWith(9, 9);
    EXPECT_EQ(recording::Calls(), (Strings{"RunNameEntryDialog"}));
}

TEST_F(Offer, TheEntryTakesTheNameTheDialogLeftInLastInputName) {
    recording::Answers().name = "Grace";
    EndWith(3, 1);
    EXPECT_EQ(NameText(state.lastInputName), "Grace");
    EXPECT_EQ(Normal()[2], (Row{3, 1, "Grace"}));
    // A player who keeps the preset gets the previous name again.
    recording::Answers().keepPreset = true;
    EndWith(4, 1);
    EXPECT_EQ(Normal()[1], (Row{4, 1, "Grace"}));
}

TEST_F(Offer, AnEmptyNameIsKeptAndBecomesTheNextPreset) {
    recording::Answers().name = "";
    EndWith(3, 1);
    EXPECT_EQ(Normal()[2], (Row{3, 1, ""}));
    std::string preset = "unset";
    recording::OnNameDialog() = [&](GameState& s) {
        preset = std::string(NameText(s.lastInputName));
    };
    recording::Answers().name = "Lin";
    EndWith(3, 0);
    EXPECT_EQ(preset, "");
}

TEST_F(Offer, AnEntryEqualToOthersLandsBelowTheLowestOfThem) {
    Fill(state.records[1], {{5, 10, "A"}, {4, 8, "B"}, {4, 8, "C"}, {3, 6, "D"}, {1, 2, "E"}});
    EndWith(4, 8);
    EXPECT_EQ(Normal(), (std::vector<Row>{
                            {5, 10, "A"}, {4, 8, "B"}, {4, 8, "C"}, {4, 8, "new"}, {3, 6, "D"}}));
}

TEST_F(Offer, FewerJumpsBeatTheSameScore) {
    Fill(state.records[1], {{5, 10, "A"}, {4, 8, "B"}, {4, 8, "C"}, {3, 6, "D"}, {1, 2, "E"}});
    EndWith(3, 5);
    EXPECT_EQ(Normal(), (std::vector<Row>{
                            {5, 10, "A"}, {4, 8, "B"}, {4, 8, "C"}, {3, 5, "new"}, {3, 6, "D"}}));
}

TEST_F(Offer, BeatingTheFirstPlaceMovesEveryoneDown) {
    Fill(state.records[1], {{5, 10, "A"}, {4, 8, "B"}, {3, 6, "C"}, {2, 4, "D"}, {1, 2, "E"}});
    EndWith(50, 3);
    EXPECT_EQ(Normal(), (std::vector<Row>{
                            {50, 3, "new"}, {5, 10, "A"}, {4, 8, "B"}, {3, 6, "C"}, {2, 4, "D"}}));
}

TEST_F(Offer, LoaderDefaultsNeedTwoFloorsClearedTablesOne) {
    Fill(state.records[1], loaderDefaults);
    EndWith(1, 0);
    EXPECT_EQ(Normal(), loaderDefaults);
    EndWith(2, 0);
    EXPECT_EQ(Normal()[3], loaderDefaults[3]);
    EXPECT_EQ(Normal()[4], (Row{2, 0, "new"}));

    ResetRecordTable(state.records[1]);
    EndWith(1, 1);
    EXPECT_EQ(Normal()[4], (Row{1, 1, "new"}));
    ResetRecordTable(state.records[1]);
    EndWith(1, 0);
    EXPECT_EQ(Normal()[4], (Row{1, 0, "new"}));
}

TEST_F(Offer, PracticeGamesAreNeverRecorded) {
    state.practiceDifficulty = 1;
    EndWith(999, 0);
    EXPECT_TRUE(recording::Calls().empty());
    for (const RecordTable& table : state.records) {
        EXPECT_EQ(Rows(table), defaults);
    }
    EXPECT_EQ(NameText(state.lastInputName), "QUILLMARE");
}

TEST_F(Offer, OnlyTheTableOfTheCurrentDifficultyChanges) {
    state.difficulty = 3;
    EndWith(7, 7);
    EXPECT_EQ(Rows(state.records[0]), defaults);
    EXPECT_EQ(Rows(state.records[1]), defaults);
    EXPECT_EQ(Rows(state.records[2])[0], (Row{7, 7, "new"}));
    state.difficulty = 1;
    EndWith(3, 0);
    EXPECT_EQ(Rows(state.records[0])[2], (Row{3, 0, "new"}));
    EXPECT_EQ(Rows(state.records[1]), defaults);
}

TEST_F(Offer, OneBottomUpPassOverTheWholeTable) {
    // A hand-edited table out of order: the pass swaps the pair (1, 8) even
    // though the pairs below it were already in order, and does no more.
    Fill(state.records[1], {{9, 0, "A"}, {1, 0, "B"}, {8, 0, "C"}, {7, 0, "D"}, {2, 0, "E"}});
    EndWith(3, 0);
    EXPECT_EQ(Normal(), (std::vector<Row>{
                            {9, 0, "A"}, {8, 0, "C"}, {1, 0, "B"}, {7, 0, "D"}, {3, 0, "new"}}));
}

// ----------------------------------------------------------- ApplyClearBest5

class ClearBest5 : public ::testing::Test {
  protected:
    void SetUp() override {
        Fill(state.records[0],
             {{50, 1, "e"}, {40, 1, "e"}, {30, 1, "e"}, {20, 1, "e"}, {10, 1, "e"}});
        Fill(state.records[1],
             {{51, 1, "n"}, {41, 1, "n"}, {31, 1, "n"}, {21, 1, "n"}, {11, 1, "n"}});
        Fill(state.records[2],
             {{52, 1, "h"}, {42, 1, "h"}, {32, 1, "h"}, {22, 1, "h"}, {12, 1, "h"}});
        SetName(state.lastInputName, "Kim");
    }
    GameState state = MakeTitleState(1);
};

TEST_F(ClearBest5, EachChoiceResetsItsTables) {
    struct Case {
        std::int32_t choice;
        bool reset[3];
    };
    const Case cases[] = {
        {0, {false, false, false}}, {1, {true, true, true}},   {2, {true, false, false}},
        {3, {false, true, false}},  {4, {false, false, true}}, {-1, {false, false, false}},
        {5, {false, false, false}},
    };
    for (const Case& c : cases) {
        SetUp();
        const RecordBook before = state.records;
        recording::Clear();
        recording::Answers().clearChoice = c.choice;
        ApplyClearBest5(state);
        for (int d = 0; d < 3; ++d) {
            EXPECT_EQ(Rows(state.records[d]), c.reset[d] ? defaults : Rows(before[d]))
                << "choice " << c.choice << " table " << d;
        }
        EXPECT_EQ(NameText(state.lastInputName), "Kim");
    }
}

TEST_F(ClearBest5, InTheTitleAChoiceRebuildsTheStartPanel) {
    for (std::int32_t choice : {1, 3, -1, 5}) {
        recording::Clear();
        recording::Answers().clearChoice = choice;
        ApplyClearBest5(state);
        EXPECT_EQ(recording::Calls(),
                  (Strings{"GetKeyboardFocus", "RunClearBest5Dialog", "SetKeyboardFocus",
                           "DestroyStartPanel", "CreateStartPanel", "DrawDifficultyAndBest"}))
            << "choice " << choice;
    }
}

TEST_F(ClearBest5, CancelStillRedrawsTheBestScore) {
    recording::Answers().clearChoice = 0;
    ApplyClearBest5(state);
    EXPECT_EQ(recording::Calls(), (Strings{"GetKeyboardFocus", "RunClearBest5Dialog",
                                           "SetKeyboardFocus", "DrawDifficultyAndBest"}));
}

TEST_F(ClearBest5, DuringAGameThereIsNoPanelToRebuild) {
    for (GameMode mode : {GameMode::Playing, GameMode::Paused}) {
        state.mode = mode;
        recording::Clear();
        recording::Answers().clearChoice = 1;
        ApplyClearBest5(state);
        EXPECT_EQ(recording::Calls(), (Strings{"GetKeyboardFocus", "RunClearBest5Dialog",
                                               "SetKeyboardFocus", "DrawDifficultyAndBest"}));
        EXPECT_EQ(Rows(state.records[2]), defaults);
    }
}

} // namespace
