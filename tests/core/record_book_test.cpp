#include "core/record_book.h"
#include "tests/core/core_test_support.h"

#include <gtest/gtest.h>
#include <tuple>

namespace {

using namespace coretest;

// score, jumps, name
using Row = std::tuple<std::int32_t, std::int32_t, std::string>;
using Table = std::vector<Row>;

void Fill(RecordTable& table, const Table& rows) {
    for (int i = 0; i < recordPlaces; ++i) {
        std::tie(table[i].score, table[i].jumps, std::ignore) = rows[i];
        SetName(table[i].name, std::get<2>(rows[i]));
    }
}

Table Rows(const RecordTable& table) {
    Table rows;
    for (const RecordEntry& entry : table) {
        rows.emplace_back(entry.score, entry.jumps, NameText(entry.name));
    }
    return rows;
}

const std::string q = "QUILLMARE";
const Table defaults = {{5, 10, q}, {4, 8, q}, {3, 6, q}, {2, 4, q}, {1, 2, q}};
// What the settings file's loader puts where a table is missing.
const Table loaderDefaults = {{5, 0, q}, {4, 0, q}, {3, 0, q}, {2, 0, q}, {1, 0, q}};

// Ends a game on the current difficulty with this result; the name dialog answers `name`.
void EndWith(Game& state, std::int32_t floors, std::int32_t jumps, const std::string& name) {
    state.rec.keepPreset = false;
    state.rec.name = name;
    state.floorCount = floors;
    state.jumpCount = jumps;
    OfferRecord(state);
}

// A result beating the 5th place lands below every entry better than it or
// equal to it in both score and jumps; the old 5th place drops out.
TEST(OfferRecord, TheResultTakesItsPlaceOrNone) {
    const Table ties = {{5, 10, "A"}, {4, 8, "B"}, {4, 8, "C"}, {3, 6, "D"}, {1, 2, "E"}};
    const std::tuple<const Table*, std::int32_t, std::int32_t, int> cases[] = {
        {&defaults, 1, 2, -1},  {&defaults, 1, 3, -1},       {&defaults, 1, 1, 4},
        {&defaults, 2, 100, 4}, {&defaults, 50, 3, 0},       {&ties, 4, 8, 3},
        {&ties, 3, 5, 3},       {&loaderDefaults, 1, 0, -1}, {&loaderDefaults, 2, 0, 4}};
    for (const auto& [start, floors, jumps, place] : cases) {
        Game state;
        Fill(state.records[1], *start);
        EndWith(state, floors, jumps, "new");
        Table expected = *start;
        if (place >= 0) {
            expected.pop_back();
            expected.insert(expected.begin() + place, Row{floors, jumps, "new"});
        }
        EXPECT_EQ(Rows(state.records[1]), expected) << floors << " floors, " << jumps << " jumps";
        EXPECT_EQ(state.rec.calls.empty(), place < 0) << "no fanfare, no dialog without a place";
    }
}

TEST(OfferRecord, PlaysTheFanfareAndStoresTheNameInTheCurrentTableOnly) {
    Game state;
    EndWith(state, 3, 1, "Grace");
    EXPECT_EQ(state.rec.Effects(), Ints{158});
    EXPECT_EQ(Count(state.rec, "RunNameEntryDialog"), 1);
    EXPECT_EQ(Rows(state.records[1])[2], (Row{3, 1, "Grace"}));
    // Sound off, and the player keeps the preset: the previous name again.
    state.rec.Clear();
    state.soundOn = 0;
    state.floorCount = 4;
    OfferRecord(state);
    EXPECT_TRUE(state.rec.Effects().empty());
    EXPECT_EQ(Count(state.rec, "RunNameEntryDialog"), 1);
    EXPECT_EQ(Rows(state.records[1])[1], (Row{4, 1, "Grace"}));
    // An empty name is stored as one, and is the next dialog's preset.
    EndWith(state, 5, 0, "");
    EXPECT_EQ(Rows(state.records[1])[0], (Row{5, 0, ""}));
    EXPECT_EQ(NameText(state.lastInputName), "");
    // Only the current difficulty's table, and never for practice.
    state.difficulty = 3;
    EndWith(state, 7, 7, "new");
    EXPECT_EQ(Rows(state.records[2])[0], (Row{7, 7, "new"}));
    EXPECT_EQ(Rows(state.records[0]), defaults);
    state.difficulty = 1;
    state.practiceDifficulty = 1;
    state.rec.Clear();
    EndWith(state, 999, 0, "practice");
    EXPECT_TRUE(state.rec.calls.empty());
    EXPECT_EQ(Rows(state.records[0]), defaults);
    EXPECT_EQ(NameText(state.lastInputName), "new");
}

// 0 cancels, 1 clears all, 2..4 Easy, Normal or Hard. In the title a clear
// rebuilds the start panel (during a game there is none); the best score is
// redrawn even after a cancel, and the focus goes back where it was.
TEST(ClearBest5, EachChoiceResetsItsTablesOnly) {
    struct Case {
        GameMode mode;
        std::int32_t choice;
        bool reset[3];
    };
    const GameMode title = GameMode::Title;
    // (The runner's tests take each choice in the title through the real dialog.)
    const Case cases[] = {
        {title, 0, {false, false, false}},          {title, 4, {false, false, true}},
        {title, -1, {false, false, false}},         {title, 5, {false, false, false}},
        {GameMode::Playing, 1, {true, true, true}}, {GameMode::Paused, 2, {true, false, false}}};
    for (const Case& c : cases) {
        Game state;
        for (RecordTable& table : state.records) {
            Fill(table, loaderDefaults);
        }
        SetName(state.lastInputName, "Kim");
        state.mode = c.mode;
        state.rec.clearChoice = c.choice;
        ApplyClearBest5(state);
        for (int d = 0; d < 3; ++d) {
            EXPECT_EQ(Rows(state.records[d]), c.reset[d] ? defaults : loaderDefaults)
                << "choice " << c.choice << " table " << d;
        }
        EXPECT_EQ(NameText(state.lastInputName), "Kim");
        const int rebuilt = c.choice != 0 && c.mode == title;
        EXPECT_EQ(Count(state.rec, "DestroyStartPanel"), rebuilt) << "choice " << c.choice;
        EXPECT_EQ(Count(state.rec, "CreateStartPanel"), rebuilt) << "choice " << c.choice;
        EXPECT_EQ(Count(state.rec, "DrawDifficultyAndBest"), 1);
        EXPECT_EQ(Count(state.rec, "SetKeyboardFocus"), 1);
    }
}

} // namespace
