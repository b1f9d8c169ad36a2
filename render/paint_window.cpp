#include "core/floor_field.h"
#include "core/ports.h"
#include "platform/user/user.h"
#include "render/palette.h"
#include "render/window_drawing.h"

void PaintWindow(GameState& state) {
    // 1. The context BeginPaint gives is windowDC itself (the window's own);
    //    all drawing goes there.
    BeginPaint(state.window);

    // 2. The frame picture over the whole client; it realizes the palette.
    DrawFramePicture(state);

    // 3. The field. The frame picture has just blackened the field's well, so
    //    the partial redraw must draw every slot again.
    if (state.speedUp != 0) {
        MarkAllSlotsForRedraw(state);
        DrawPartialFrame(state);
    } else {
        DrawFullFrame(state);
    }

    // 4. The status panel, whole.
    DrawFloorCounter(state);
    DrawJumpGauge(state);
    DrawDifficultyAndBest(state);
    DrawJumpCountLabel(state);

    // 5.
    EndPaint(state.window);
}
