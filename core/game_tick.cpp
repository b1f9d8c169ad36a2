#include "core/game_tick.h"

#include "core/floor_field.h"
#include "core/game_flow.h"
#include "core/ports.h"
#include "core/record_book.h"
#include "core/slot_rects.h"
#include "effects.h"
#include "floor_counter.h"

namespace {

constexpr std::int32_t walkSpeed = 4;
constexpr std::int32_t scrollLine = 68; // the field scrolls instead while the body is above it
constexpr std::int32_t rightmostX = 352;
constexpr std::int32_t maxJumpPower = 12;
constexpr std::int32_t springBoost = 5;
constexpr std::int32_t springRecoil = -12;

int LandingSound(FloorKind kind) {
    switch (kind) {
    case FloorKind::Spring: return effect::springLand;
    case FloorKind::ConveyorLeft:
    case FloorKind::ConveyorRight: return effect::conveyorLand;
    default: return effect::land;
    }
}

// Rising high in the shaft: the field comes down instead, and every 64 steps
// of the backdrop's phase (128 pixels of floors) count one floor.
void ScrollUpward(GameState& state) {
    ScrollField(state, 2 * state.verticalSpeed);
    const std::int32_t before = state.scrollPhase;
    state.scrollPhase += state.verticalSpeed;
    if (before < 64 && state.scrollPhase >= 64) {
        ++state.floorCount;
    }
    if (state.scrollPhase >= 128) {
        state.scrollPhase -= 128;
        ++state.floorCount;
    }
}

void Land(GameState& state, int slot) {
    const FloorSlot& floor = state.floors[slot];
    state.airborne = 0;
    state.jumpPower = 0;
    state.verticalSpeed = 0;
    // Feet on the floor's top line; a spring catches the character at its rest row.
    state.playerY = floor.y - 32;
    if (floor.kind == FloorKind::MovingUD) {
        state.playerY += floor.phase / 10;
    }
    state.standingFloor = slot;
    DrawJumpGauge(state);
    PlaySound(state, LandingSound(floor.kind));
}

void AirborneStep(GameState& state) {
    if (state.playerY > scrollLine || state.verticalSpeed <= 0) {
        state.playerY -= 2 * state.verticalSpeed;
    } else {
        ScrollUpward(state);
    }
    const int hit = ProbeLanding(state);
    if (hit != -1 && state.verticalSpeed < 0) {
        Land(state, hit);
    } else {
        --state.verticalSpeed; // gravity
    }
}

void Launch(GameState& state) {
    state.airborne = 1;
    state.verticalSpeed = state.jumpPower;
    ++state.jumpCount;
    if (state.showJumpCount != 0) {
        DrawJumpCount(state);
    }
    FloorSlot& floor = state.floors[state.standingFloor];
    if (floor.kind == FloorKind::Spring) {
        floor.velocity = springRecoil;
        state.verticalSpeed += springBoost;
        PlaySound(state, effect::springJump);
    } else {
        PlaySound(state, effect::jump);
    }
    // jumpPower keeps its value: the gauge shows it until the landing.
}

void StandingStep(GameState& state) {
    if (ProbeLanding(state) == -1) {
        // Walked off the floor, or the floor moved away.
        state.airborne = 1;
        state.verticalSpeed = -1;
        FloorSlot& left = state.floors[state.standingFloor];
        if (left.kind == FloorKind::Spring) {
            left.phase = 0;
            left.dirty = 1;
        }
    }
    if (state.jumpHeld != 0) {
        state.charging = 1;
        state.jumpPower = state.jumpPower % maxJumpPower + 1;
        DrawJumpGauge(state);
        PlaySound(state, effect::gaugeBase + state.jumpPower);
    } else {
        if (state.charging != 0) {
            Launch(state);
        }
        state.charging = 0;
    }
}

void EndGame(GameState& state) {
    state.playerY = fieldHeight;
    RenderFrame(state);
    state.mode = GameMode::GameOver;
    StopMusic(state);
    PlaySound(state, effect::gameOver);
    OfferRecord(state);
    DrawDifficultyAndBest(state);
    AbortGame(state);
}

void TurnAtWalls(GameState& state) {
    if (state.playerX <= 0 || state.playerX >= rightmostX) {
        state.playerX = state.playerX <= 0 ? 0 : rightmostX;
        state.facing = -state.facing;
    }
}

} // namespace

void DispatchTick(GameState& state, std::uint32_t timerId) {
    if (timerId != state.tickTimer) {
        return;
    }
    switch (state.mode) {
    case GameMode::Playing: GameTick(state); break;
    case GameMode::Title: AttractTick(state); break;
    case GameMode::GameOver:
    case GameMode::Paused: break;
    }
}

int ProbeLanding(GameState& state) {
    // Every row the feet passed through in this tick, so a fast fall cannot
    // skip a floor's top line. Rising, the rectangle is empty.
    const std::int32_t top = state.playerY + 32 + 2 * state.verticalSpeed;
    const Rect feet{state.playerX + 20, top, 24, state.playerY + 33 - top};
    int hit = -1;
    for (int slot = 0; slot <= groundSlot; ++slot) {
        if (Overlaps(feet, FloorTopLine(state, slot))) {
            hit = slot;
            break;
        }
    }
    if (state.speedUp != 0) {
        // The partial redraw repairs the slots under the body in the next two frames.
        const Rect body{state.playerX + 16, state.playerY, 32, 32};
        for (int slot = 0; slot < floorSlotCount; ++slot) {
            if (Overlaps(body, SlotDrawRect(state, slot))) {
                state.floors[slot].dirty = 2;
            }
        }
    }
    return hit;
}

void GameTick(GameState& state) {
    state.playerX += walkSpeed * state.facing;
    state.animFrame = (state.animFrame + 1) % 8;
    MoveFloors(state);
    if (state.airborne != 0) {
        AirborneStep(state);
    } else {
        StandingStep(state);
    }
    if (state.playerY >= fieldHeight) {
        EndGame(state);
    }
    RenderFrame(state);
    RollFloorCounter(state);
    TurnAtWalls(state);
}

void AttractTick(GameState& state) {
    state.animFrame = (state.animFrame + 1) % 8;
    MoveFloors(state);
    ScrollField(state, 2);
    state.scrollPhase += 1;
    if (state.scrollPhase >= 128) {
        state.scrollPhase -= 128;
    }
    RenderFrame(state);
}
