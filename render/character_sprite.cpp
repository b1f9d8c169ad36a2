#include "character_sprite.h"

namespace {

constexpr std::int32_t bodySize = 32;
constexpr std::int32_t chargingPoseRow = 32;
constexpr std::int32_t sparkleWidth = 64;
constexpr std::int32_t sparkleHeight = 48;
constexpr std::int32_t sparkleTop = 64;

} // namespace

MaskedSprite CharacterSprite(const GameState& state) {
    const std::int32_t frame = state.airborne != 0 ? 0 : state.animFrame % 4;
    // Columns 0..3 face left (facing -1), 4..7 face right (facing +1).
    const std::int32_t column = 2 * state.facing + 2 + frame;
    const std::int32_t row = state.charging != 0 && state.airborne == 0 ? chargingPoseRow : 0;
    return {{bodySize * column, row, bodySize, bodySize},
            {bodySize * column, 0, bodySize, bodySize}};
}

bool ShowsChargeSparkles(const GameState& state) {
    return state.charging != 0 && state.airborne == 0;
}

MaskedSprite ChargeSparkleSprite(const GameState& state) {
    // Frames 0..3 in the band at y 64, frames 4..7 in the band below it.
    const std::int32_t a = state.animFrame;
    const Rect frame{sparkleWidth * (a % 4), sparkleTop + sparkleHeight * (a / 4), sparkleWidth,
                     sparkleHeight};
    return {frame, frame};
}

bool ShowsCharacter(const GameState& state) {
    return state.mode == GameMode::Playing || state.mode == GameMode::Paused;
}
