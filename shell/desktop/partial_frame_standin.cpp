// Until the partial redraw exists, SpeedUp shows full frames. The game
// record changes exactly as the partial renderer will change it: each
// partial frame redraws the marked slots and lowers their marks by one.

#include "core/ports.h"

void DrawPartialFrame(GameState& state) {
    for (FloorSlot& slot : state.floors) {
        if (slot.dirty != 0) {
            --slot.dirty;
        }
    }
    DrawFullFrame(state);
}
