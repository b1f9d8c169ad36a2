// Logical palettes and the emulated 256-colour display's system palette.
// On such a display only the entries between the twenty static colours can
// change, and only a palette realized in the foreground changes them.
#include "gdi_objects.h"

namespace {

constexpr int firstFreeEntry = staticColorCount / 2;                  // 10
constexpr int lastFreeEntry = paletteSize - 1 - staticColorCount / 2; // 245

PaletteEntries StaticColours() {
    PaletteEntries entries{};
    const PaletteEntry low[] = {
        {0, 0, 0, 0},       {128, 0, 0, 0},     {0, 128, 0, 0},   {128, 128, 0, 0},
        {0, 0, 128, 0},     {128, 0, 128, 0},   {0, 128, 128, 0}, {192, 192, 192, 0},
        {192, 220, 192, 0}, {166, 202, 240, 0},
    };
    const PaletteEntry high[] = {
        {255, 251, 240, 0}, {160, 160, 164, 0}, {128, 128, 128, 0}, {255, 0, 0, 0},
        {0, 255, 0, 0},     {255, 255, 0, 0},   {0, 0, 255, 0},     {255, 0, 255, 0},
        {0, 255, 255, 0},   {255, 255, 255, 0},
    };
    for (int i = 0; i < firstFreeEntry; ++i) {
        entries[i] = low[i];
        entries[lastFreeEntry + 1 + i] = high[i];
    }
    return entries;
}

struct Display {
    PaletteEntries system = StaticColours();
    std::uint64_t version = 0;
    std::int32_t staticCount = staticColorCount;
};

Display& TheDisplay() {
    static Display display;
    return display;
}

bool SameColour(const PaletteEntry& a, const PaletteEntry& b) {
    return a.red == b.red && a.green == b.green && a.blue == b.blue;
}

} // namespace

PaletteHandle CreatePalette(const PaletteEntries& entries) {
    auto* palette = new PlatformPalette;
    palette->entries = entries;
    return palette;
}

void DeletePalette(PaletteHandle palette) {
    delete palette;
}

const PaletteEntries& GetPaletteEntries(PaletteHandle palette) {
    static const PaletteEntries none{};
    return palette ? palette->entries : none;
}

std::int32_t GetStaticColorCount() {
    return TheDisplay().staticCount;
}
void SetStaticColorCountForTesting(std::int32_t count) {
    TheDisplay().staticCount = count;
}
const PaletteEntries& GetSystemPalette() {
    return TheDisplay().system;
}
std::uint64_t SystemPaletteVersion() {
    return TheDisplay().version;
}

void ResetDisplay() {
    Display& display = TheDisplay();
    display.system = StaticColours();
    ++display.version;
}

std::int32_t RealizePalette(ContextHandle context) {
    if (!context || !context->palette || context->paletteInBackground)
        return 0;
    Display& display = TheDisplay();
    const PaletteEntries& logical = context->palette->entries;
    std::int32_t changed = 0;
    for (int i = firstFreeEntry; i <= lastFreeEntry; ++i) {
        const PaletteEntry& wanted = logical[i];
        if ((wanted.flags & pcNoCollapse) == 0 || SameColour(wanted, display.system[i]))
            continue;
        display.system[i] = {wanted.red, wanted.green, wanted.blue, 0};
        ++changed;
    }
    if (changed > 0)
        ++display.version;
    return changed;
}
