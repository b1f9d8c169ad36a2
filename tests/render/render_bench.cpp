// What one frame costs on the headless backend: the full frame (back wall,
// fourteen slots, the character with its sparkles, the copy to the window)
// beside the partial redraw of the SpeedUp mode, on a still tick (the belts,
// sliding floors and the slots by the character) and on a scrolling tick
// (every slot erased and drawn again).

#include "core/floor_field.h"
#include "core/ports.h"
#include "core/slot_rects.h"
#include "platform/headless/headless_backend.h"
#include "platform/user/user.h"
#include "render/partial_frame.h"
#include "render/window_drawing.h"

#include <benchmark/benchmark.h>

namespace {

enum class Tick { Still, Scrolling };

// A main window with the game's surfaces and a fresh field of every kind of
// floor, the character charging on the ground.
class BenchWindow {
  public:
    BenchWindow() {
        StartWindowSystem(backend_);
        RegisterWindowClass({"VarniskRenderBench", cs::ownDC, DefWindowProc, 0});
        state.window = CreateWindowOf("VarniskRenderBench", "VARNISK", ws::caption | ws::sysMenu, 0,
                                      0, 640, 461, nullptr, nullptr, 0, 0);
        CreateSurfaces(state);
        state.difficulty = 2;
        state.floorFlags = allFloorFlags;
        state.floorCount = 1;
        LayOutField(state);
        state.mode = GameMode::Playing;
        state.playerY = 200;
        state.facing = 1;
        state.charging = 1; // the dearest full frame: sparkles and character both masked
    }
    ~BenchWindow() {
        ReleaseSurfaces(state);
        DestroyWindow(state.window);
        ShutdownWindowSystem();
    }
    // What a game tick does to the field before it draws, without the rest
    // of the game: the floors move, or the field scrolls by 2.
    void Advance(Tick tick) {
        state.animFrame = (state.animFrame + 1) % 8;
        MoveFloors(state);
        if (tick == Tick::Scrolling) {
            ScrollField(state, 2);
            state.scrollPhase = (state.scrollPhase + 1) % 128;
        }
        if (state.speedUp != 0) { // the landing probe's marks under the body
            const Rect body{state.playerX + 16, state.playerY, 32, 32};
            for (int i = 0; i < floorSlotCount; ++i) {
                if (Overlaps(body, SlotDrawRect(state, i))) {
                    state.floors[i].dirty = 2;
                }
            }
        }
    }

    GameState state{};

  private:
    HeadlessBackend backend_;
};

void DrawFullFrameBench(benchmark::State& bench, Tick tick) {
    BenchWindow window;
    for (auto _ : bench) {
        window.Advance(tick);
        DrawFullFrame(window.state);
    }
    bench.SetItemsProcessed(bench.iterations());
}

void DrawPartialFrameBench(benchmark::State& bench, Tick tick) {
    BenchWindow window;
    ResetPartialFrameState();
    window.state.speedUp = 1;
    FillWindowRectBlack(window.state, 24, 64, 440, 416);
    ScrollField(window.state, 0);
    DrawPartialFrame(window.state);
    for (auto _ : bench) {
        window.Advance(tick);
        DrawPartialFrame(window.state);
    }
    bench.SetItemsProcessed(bench.iterations());
}

BENCHMARK_CAPTURE(DrawFullFrameBench, still, Tick::Still)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(DrawPartialFrameBench, still, Tick::Still)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(DrawFullFrameBench, scrolling, Tick::Scrolling)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(DrawPartialFrameBench, scrolling, Tick::Scrolling)->Unit(benchmark::kMicrosecond);

} // namespace
