// What the renderers pay per 40 ms frame: the play field copied whole into
// the window, plain and under a ragged clip, and one masked sprite.
#include "gdi_test_support.h"

#include <benchmark/benchmark.h>

namespace {

// With argument 1, under the partial redraw's kind of clip: the field
// minus the character box and a dozen slots.
void FieldToWindow(benchmark::State& state) {
    TestSurface backBuffer(416, 352), window(640, 480, false);
    backBuffer.Fill(1);
    if (state.range(0) == 1) {
        RegionHandle region = CreateRectRegion(24, 64, 440, 416);
        SelectClipRegion(window.context, region);
        for (int slot = 0; slot < 12; ++slot) {
            SetRectRegion(region, 40 + slot * 29 % 300, 70 + slot * 27, 136 + slot * 29 % 300,
                          86 + slot * 27);
            ExcludeClipRegion(window.context, region);
        }
        DeleteRegion(region);
    }
    for (auto _ : state) {
        BitBlt(window.context, 24, 64, 416, 352, backBuffer.context, 0, 0, RasterOp::SrcCopy);
        benchmark::DoNotOptimize(BitmapBits(window.bitmap));
    }
}
BENCHMARK(FieldToWindow)->Arg(0)->Arg(1);

void MaskedSprite(benchmark::State& state) {
    TestSurface mask(256, 160, false, BitmapFormat::Mono), sprites(384, 432), backBuffer(416, 352);
    sprites.Fill(3);
    for (auto _ : state) {
        BitBlt(backBuffer.context, 100, 200, 32, 32, mask.context, 32, 0, RasterOp::SrcAnd);
        BitBlt(backBuffer.context, 100, 200, 32, 32, sprites.context, 32, 0, RasterOp::SrcPaint);
        benchmark::DoNotOptimize(BitmapBits(backBuffer.bitmap));
    }
}
BENCHMARK(MaskedSprite);

} // namespace

BENCHMARK_MAIN();
