#include "tests/render/render_fixture.h"

#include "core/slot_rects.h"

#include <algorithm>

namespace render_test {

const Pictures& Art() {
    using asset_readers::LoadBmp;
    static const Pictures art{LoadBmp("bitmaps/sprites.bmp"), LoadBmp("bitmaps/masks.bmp"),
                              LoadBmp("bitmaps/backwall.bmp"), LoadBmp("bitmaps/title.bmp"),
                              LoadBmp("bitmaps/frame.bmp")};
    return art;
}

int Mismatches(BitmapHandle bitmap, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h,
               const Expected& expected) {
    int mismatches = 0;
    for (std::int32_t dy = 0; dy < h; ++dy)
        for (std::int32_t dx = 0; dx < w; ++dx)
            mismatches += GetPixelIndex(bitmap, x + dx, y + dy) != expected(dx, dy);
    return mismatches;
}

void FieldModel::Put(std::int32_t x, std::int32_t y, const Rect& s, std::int32_t maskY) {
    for (std::int32_t dy = 0; dy < s.height; ++dy) {
        for (std::int32_t dx = 0; dx < s.width; ++dx) {
            if (x + dx >= 0 && x + dx < fieldWidth && y + dy >= 0 && y + dy < fieldHeight) {
                std::uint8_t& pixel = At(x + dx, y + dy);
                const bool keep = maskY >= 0 && Art().masks.at(s.x + dx, maskY + dy) != 0;
                pixel = static_cast<std::uint8_t>((keep ? pixel : 0) |
                                                  Art().sprites.at(s.x + dx, s.y + dy));
            }
        }
    }
}

void FieldModel::PutSlot(const GameState& state, int slot) {
    const Rect d = SlotDrawRect(state, slot);
    Put(d.x, d.y, SlotSheetRect(state, slot));
}

void FieldModel::PutCharacter(const GameState& s) {
    // Columns 0..3 face left, 4..7 right; frame 0 airborne; charging on a
    // floor one band down; always the walking pose's mask.
    const std::int32_t column = 2 * s.facing + 2 + (s.airborne != 0 ? 0 : s.animFrame % 4);
    const std::int32_t row = s.charging != 0 && s.airborne == 0 ? 32 : 0;
    Put(s.playerX + 16, s.playerY, {32 * column, row, 32, 32}, 0);
}

int FieldModel::Mismatches(BitmapHandle window) const {
    return render_test::Mismatches(window, 24, 64, fieldWidth, fieldHeight,
                                   [&](std::int32_t x, std::int32_t y) { return At(x, y); });
}

FieldModel FieldModel::Read(BitmapHandle window) {
    // A window's surface keeps its rows top row first.
    FieldModel field;
    for (std::int32_t y = 0; y < fieldHeight; ++y) {
        const std::ptrdiff_t offset = std::ptrdiff_t{64 + y} * BitmapStride(window) + 24;
        std::copy_n(BitmapBits(window) + offset, fieldWidth, &field.At(0, y));
    }
    return field;
}

RenderTest::RenderTest() {
    state_.mode = GameMode::Title;
    state_.difficulty = 2;
    state_.playerY = fieldHeight;
    for (FloorSlot& slot : state_.floors)
        slot = {FloorKind::Normal, -1000, -1000, 0, 0, 0};
}

} // namespace render_test
