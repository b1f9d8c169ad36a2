// Logical palettes and the emulated 256-colour display's system palette.
// On such a display only the entries between the twenty static colours can
// change, and only a palette realized in the foreground changes them.
#include "gdi_objects.h"

#include <cstdio>
#include <cstdlib>

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

// A fresh display: what one shows when it opens, and what the calls report
// while none is open.
const PaletteEntries& FreshSystemPalette() {
    static const PaletteEntries fresh = StaticColours();
    return fresh;
}

// The connection now open, if any: set and cleared by its own constructor
// and destructor, so it lives exactly as long as its owner keeps it.
DisplayConnection::State* openDisplay = nullptr;

bool SameColour(const PaletteEntry& a, const PaletteEntry& b) {
    return a.red == b.red && a.green == b.green && a.blue == b.blue;
}

} // namespace

struct DisplayConnection::State {
    PaletteEntries system = FreshSystemPalette();
    std::uint64_t version = 0;
    std::int32_t staticCount = staticColorCount;
    std::shared_ptr<void> fontData;
};

DisplayConnection::DisplayConnection(const DisplayOptions& options)
    : state_(std::make_unique<State>()) {
    if (openDisplay != nullptr) {
        // Two owners would each believe the system palette theirs.
        std::fputs("the display is already open: one connection at a time\n", stderr);
        std::abort();
    }
    state_->staticCount = options.staticColors;
    openDisplay = state_.get();
}

DisplayConnection::~DisplayConnection() {
    openDisplay = nullptr;
}

std::shared_ptr<void>* OpenDisplayFontData() {
    return openDisplay != nullptr ? &openDisplay->fontData : nullptr;
}

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
    return openDisplay != nullptr ? openDisplay->staticCount : staticColorCount;
}
const PaletteEntries& GetSystemPalette() {
    return openDisplay != nullptr ? openDisplay->system : FreshSystemPalette();
}
std::uint64_t SystemPaletteVersion() {
    return openDisplay != nullptr ? openDisplay->version : 0;
}

std::int32_t RealizePalette(ContextHandle context) {
    if (!context || !context->palette || context->paletteInBackground || !openDisplay)
        return 0;
    DisplayConnection::State& display = *openDisplay;
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
