#include "platform/user/user.h"
#include "render/palette.h"

PaletteHandle BuildGamePalette(const StoredBitmap& header) {
    // 1. A logical palette of 256 entries, all zero.
    PaletteEntries entries{};

    // 2. The number of static colours the display reserves, and the current
    //    system palette copied into all 256 entries. The display itself stands
    //    in for the screen's context, so there is nothing to release.
    const std::int32_t staticColors = GetStaticColorCount();
    entries = GetSystemPalette();

    // 3. Half the static colours sit at each end: 20 give 10; a display
    //    without a palette reports -1, which gives 0.
    const std::int32_t half = staticColors / 2;

    // 4. The game's colours in the middle, the system's at both ends.
    for (std::int32_t i = 0; i < header.colorCount && i < paletteSize; ++i) {
        PaletteEntry& entry = entries[i];
        if (half <= i && i <= 255 - half) {
            const PaletteEntry& colour = header.colors[i];
            entry = {colour.red, colour.green, colour.blue, pcNoCollapse};
        } else {
            entry.flags = 0;
        }
    }

    // 5.
    return CreatePalette(entries);
}

void ResetSystemPalette() {
    // 1. Every entry black, each one asking for a system entry of its own.
    PaletteEntries black{};
    for (PaletteEntry& entry : black) {
        entry = {0, 0, 0, pcNoCollapse};
    }

    // 2. A context of its own stands in for the screen's: realizing in the
    //    foreground maps into the one system palette whatever context does it.
    ContextHandle screen = CreateMemoryContext();
    PaletteHandle blackPalette = CreatePalette(black);
    if (blackPalette != nullptr) {
        PaletteHandle previous = SelectPalette(screen, blackPalette, false);
        RealizePalette(screen);
        SelectPalette(screen, previous, false);
        DeletePalette(blackPalette);
    }

    // 3. Release the screen's context.
    DeleteContext(screen);
}

std::int32_t RealizeGamePalette(GameState& state) {
    // 1.
    PaletteHandle previous = SelectPalette(state.windowDC, state.palette, false);
    // 2.
    const std::int32_t changed = RealizePalette(state.windowDC);
    // 3. A changed system palette means every pixel on screen may look
    //    different: repaint the whole client.
    if (changed != 0) {
        InvalidateRect(state.window, nullptr, true);
    }
    // 4. The previous palette goes back in the background, which maps nothing.
    SelectPalette(state.windowDC, previous, true);
    RealizePalette(state.windowDC);
    // 5.
    return changed != 0 ? 1 : 0;
}
