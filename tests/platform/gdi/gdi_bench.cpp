// What the renderers pay per 40 ms frame: the play field copied whole, the
// backdrop window copied into the back buffer, and one masked sprite.
#include "gdi_test_support.h"

#include <benchmark/benchmark.h>

namespace {

void FieldToWindow(benchmark::State& state) {
    TestSurface backBuffer(416, 352);
    TestSurface window(640, 480, false);
    backBuffer.Fill(1);
    for (auto _ : state) {
        BitBlt(window.context, 24, 64, 416, 352, backBuffer.context, 0, 0, RasterOp::SrcCopy);
        benchmark::DoNotOptimize(BitmapBits(window.bitmap));
    }
}
BENCHMARK(FieldToWindow);

void BackdropToBackBuffer(benchmark::State& state) {
    TestSurface backdrop(384, 512);
    TestSurface backBuffer(416, 352);
    backdrop.Fill(2);
    for (auto _ : state) {
        BitBlt(backBuffer.context, 16, 0, 384, 352, backdrop.context, 0, 100, RasterOp::SrcCopy);
        benchmark::DoNotOptimize(BitmapBits(backBuffer.bitmap));
    }
}
BENCHMARK(BackdropToBackBuffer);

void MaskedSprite(benchmark::State& state) {
    TestSurface mask(256, 160, false, BitmapFormat::Mono);
    TestSurface sprites(384, 432);
    TestSurface backBuffer(416, 352);
    sprites.Fill(3);
    for (auto _ : state) {
        BitBlt(backBuffer.context, 100, 200, 32, 32, mask.context, 32, 0, RasterOp::SrcAnd);
        BitBlt(backBuffer.context, 100, 200, 32, 32, sprites.context, 32, 0, RasterOp::SrcPaint);
        benchmark::DoNotOptimize(BitmapBits(backBuffer.bitmap));
    }
}
BENCHMARK(MaskedSprite);

// The same copy with the partial redraw's kind of clip: a field minus the
// character box and a dozen slots.
void FieldUnderRaggedClip(benchmark::State& state) {
    TestSurface backBuffer(416, 352);
    TestSurface window(640, 480, false);
    RegionHandle region = CreateRectRegion(24, 64, 440, 416);
    SelectClipRegion(window.context, region);
    for (int slot = 0; slot < 12; ++slot) {
        SetRectRegion(region, 40 + slot * 29 % 300, 70 + slot * 27, 136 + slot * 29 % 300,
                      86 + slot * 27);
        ExcludeClipRegion(window.context, region);
    }
    DeleteRegion(region);
    for (auto _ : state) {
        BitBlt(window.context, 24, 64, 416, 352, backBuffer.context, 0, 0, RasterOp::SrcCopy);
        benchmark::DoNotOptimize(BitmapBits(window.bitmap));
    }
}
BENCHMARK(FieldUnderRaggedClip);

} // namespace

BENCHMARK_MAIN();
