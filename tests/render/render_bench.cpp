// What one headless frame costs: the full frame beside the SpeedUp mode's
// partial redraw, on a still tick and on a scrolling one (every slot redrawn).

#include "core/floor_field.h"
#include "core/slot_rects.h"
#include "tests/render/test_screen.h"

#include <benchmark/benchmark.h>

namespace {

enum class Tick { Still, Scrolling };

// Every kind of floor and the character charging: the dearest full frame.
void Frames(benchmark::State& bench, Tick tick, bool speedUp) {
    TestScreen window;
    GameState state{};
    state.difficulty = 2;
    state.floorFlags = allFloorFlags;
    state.floorCount = 1;
    LayOutField(state);
    state.mode = GameMode::Playing;
    state.playerY = 200;
    state.facing = 1;
    state.charging = 1;
    state.speedUp = speedUp ? 1 : 0;
    if (speedUp) { // as the option is switched on
        FillWindowRectBlack(window.screen, 24, 64, 440, 416);
        MarkAllSlotsForRedraw(state);
        DrawPartialFrame(state, window.screen);
    }
    for ([[maybe_unused]] auto _ : bench) {
        // As a game tick: floors move or the field scrolls, the body marks its slots.
        state.animFrame = (state.animFrame + 1) % 8;
        MoveFloors(state);
        if (tick == Tick::Scrolling) {
            ScrollField(state, 2);
            state.scrollPhase = (state.scrollPhase + 1) % 128;
        }
        if (!speedUp) {
            DrawFullFrame(state, window.screen);
            continue;
        }
        for (int i = 0; i < floorSlotCount; ++i)
            if (Overlaps({state.playerX + 16, state.playerY, 32, 32}, SlotDrawRect(state, i)))
                state.floors[i].dirty = 2;
        DrawPartialFrame(state, window.screen);
    }
    bench.SetItemsProcessed(bench.iterations());
}

BENCHMARK_CAPTURE(Frames, full_still, Tick::Still, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Frames, partial_still, Tick::Still, true)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Frames, full_scrolling, Tick::Scrolling, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Frames, partial_scrolling, Tick::Scrolling, true)->Unit(benchmark::kMicrosecond);

} // namespace
