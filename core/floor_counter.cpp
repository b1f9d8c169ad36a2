#include "floor_counter.h"

#include "core/ports.h"

namespace {

constexpr std::int32_t rollSteps = 9;

} // namespace

void RollFloorCounter(GameState& state) {
    if (state.shownFloor == state.floorCount) {
        return; // caught up: not even redrawn
    }
    DrawFloorCounter(state);
    ++state.rollPhase;
    if (state.rollPhase == rollSteps) {
        state.rollPhase = 0;
        ++state.shownFloor;
    }
}
