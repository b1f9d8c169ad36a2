// What one full frame costs: the back wall, fourteen slots, the character
// with its sparkles and the copy to the window, on the headless backend.

#include "core/floor_field.h"
#include "core/ports.h"
#include "platform/headless/headless_backend.h"
#include "platform/user/user.h"
#include "render/window_drawing.h"

#include <benchmark/benchmark.h>

namespace {

void DrawFullFrameBench(benchmark::State& bench) {
    HeadlessBackend backend;
    StartWindowSystem(backend);
    RegisterWindowClass({"VarniskRenderBench", cs::ownDC, DefWindowProc, 0});
    GameState state{};
    state.window = CreateWindowOf("VarniskRenderBench", "VARNISK", ws::caption | ws::sysMenu, 0, 0,
                                  640, 461, nullptr, nullptr, 0, 0);
    CreateSurfaces(state);
    state.difficulty = 2;
    state.floorFlags = allFloorFlags;
    state.floorCount = 1;
    LayOutField(state);
    state.mode = GameMode::Playing;
    state.playerY = 200;
    state.facing = 1;
    state.charging = 1; // the dearest frame: sparkles and character both masked
    for (auto _ : bench) {
        state.animFrame = (state.animFrame + 1) % 8;
        state.scrollPhase = (state.scrollPhase + 1) % 128;
        DrawFullFrame(state);
    }
    bench.SetItemsProcessed(bench.iterations());
    ReleaseSurfaces(state);
    DestroyWindow(state.window);
    ShutdownWindowSystem();
}
BENCHMARK(DrawFullFrameBench)->Unit(benchmark::kMicrosecond);

} // namespace
