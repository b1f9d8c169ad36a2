#include "core/floor_field.h"
#include "render/palette.h"
#include "render/window_drawing.h"

void PaintWindow(GameState& state, RenderResources& screen) {
    // The repaint draws into the window's own context, windowDC itself.
    screen.window->BeginPaint();

    // The frame picture over the whole client; it realizes the palette.
    DrawFramePicture(screen);

    // The frame picture has just blackened the field's well, so the partial
    // redraw must draw every slot again.
    if (state.speedUp != 0) {
        MarkAllSlotsForRedraw(state);
        DrawPartialFrame(state, screen);
    } else {
        DrawFullFrame(state, screen);
    }

    // The status panel, whole.
    DrawFloorCounter(state, screen);
    DrawJumpGauge(state, screen);
    DrawDifficultyAndBest(state, screen);
    DrawJumpCountLabel(state, screen);

    screen.window->EndPaint();
}
