// The cost of the game's tick with every port empty: one tick of play, and a
// whole 100,000-tick session of games, one after another.

#include "core/floor_field.h"
#include "core/game_flow.h"
#include "core/game_tick.h"
#include "core/random.h"
#include "core/record_table.h"
#include "core/silent_ports.h"

#include <benchmark/benchmark.h>
#include <memory>

namespace {

SilentPorts silentPorts;

std::unique_ptr<GameState> MakePlayingState() {
    auto state = std::make_unique<GameState>();
    state->ports = &silentPorts;
    for (RecordTable& table : state->records) {
        ResetRecordTable(table);
    }
    state->tickTimer = 1;
    state->difficulty = 2;
    state->floorFlags = allFloorFlags;
    state->soundOn = 1;
    state->floorCount = 1;
    state->mode = GameMode::Title;
    SeedRandom(state->random, 1);
    LayOutField(*state);
    NewGame(*state);
    return state;
}

// A player that charges for eight ticks out of every twenty-five, so the
// gauge, jumps, landings and scrolling all take their share.
void PlayTick(GameState& state, std::int64_t tick) {
    state.jumpHeld = tick % 25 < 8 ? 1 : 0;
    DispatchTick(state, state.tickTimer);
    if (state.mode != GameMode::Playing) {
        NewGame(state);
    }
}

void BM_GameTick(benchmark::State& bench) {
    const auto state = MakePlayingState();
    std::int64_t tick = 0;
    for ([[maybe_unused]] auto _ : bench) {
        PlayTick(*state, tick++);
        benchmark::DoNotOptimize(state->playerY);
    }
    bench.SetItemsProcessed(bench.iterations());
}
BENCHMARK(BM_GameTick);

void BM_HundredThousandTickGame(benchmark::State& bench) {
    for ([[maybe_unused]] auto _ : bench) {
        const auto state = MakePlayingState();
        for (std::int64_t tick = 0; tick < 100'000; ++tick) {
            PlayTick(*state, tick);
        }
        benchmark::DoNotOptimize(state->floorCount);
    }
}
BENCHMARK(BM_HundredThousandTickGame)->Unit(benchmark::kMillisecond);

void BM_AttractTick(benchmark::State& bench) {
    const auto state = MakePlayingState();
    AbortGame(*state);
    for ([[maybe_unused]] auto _ : bench) {
        DispatchTick(*state, state->tickTimer);
        benchmark::DoNotOptimize(state->scrollPhase);
    }
}
BENCHMARK(BM_AttractTick);

} // namespace
