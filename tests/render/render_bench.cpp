// What one frame costs on the headless backend: the full frame (back wall,
// fourteen slots, the character with its sparkles, the copy to the window)
// beside the partial redraw of the SpeedUp mode, on a still tick (the belts,
// sliding floors and the slots by the character) and on a scrolling tick
// (every slot erased and drawn again).

#include "core/floor_field.h"
#include "core/slot_rects.h"
#include "tests/render/test_screen.h"

#include <benchmark/benchmark.h>

namespace {

enum class Tick { Still, Scrolling };

// A fresh field of every kind of floor, the character charging on the
// ground: the dearest full frame, sparkles and character both masked.
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
        // What a game tick does to the field before it draws: the floors
        // move, or the field scrolls by 2; the landing probe marks the
        // slots under the body.
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
        for (int i = 0; i < floorSlotCount; ++i) {
            if (Overlaps({state.playerX + 16, state.playerY, 32, 32}, SlotDrawRect(state, i))) {
                state.floors[i].dirty = 2;
            }
        }
        DrawPartialFrame(state, window.screen);
    }
    bench.SetItemsProcessed(bench.iterations());
}

BENCHMARK_CAPTURE(Frames, full_still, Tick::Still, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Frames, partial_still, Tick::Still, true)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Frames, full_scrolling, Tick::Scrolling, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Frames, partial_scrolling, Tick::Scrolling, true)->Unit(benchmark::kMicrosecond);

} // namespace
