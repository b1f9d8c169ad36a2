#include "dialog_internal.h"

// Dialog templates are laid out in dialog units: a quarter of the dialog
// font's average character width across, an eighth of its cell height down.
// The cell is the face's em at the point size (12 pixels at 9 points), as
// the original face's character height was; the 13-pixel line our text
// drawing keeps for tall glyphs would stretch every layout by an eighth.

namespace {

// Without a face the usual average width of a 9-point face is used, so that
// layouts stay much the same.
constexpr std::int32_t fallbackAverageWidth = 7;
constexpr std::string_view averagedLetters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";

// Points at 96 pixels per inch, rounded.
std::int32_t PointsToPixels(std::int32_t points) {
    return MulDiv(points, 96, 72);
}

} // namespace

std::int32_t MulDiv(std::int32_t number, std::int32_t numerator, std::int32_t denominator) {
    if (denominator == 0) {
        return -1;
    }
    // Rounded half away from zero, as the original rounded.
    const std::int64_t product = std::int64_t{number} * numerator;
    const std::int64_t divisor = denominator < 0 ? -std::int64_t{denominator} : denominator;
    const bool negative = (product < 0) != (denominator < 0);
    const std::int64_t magnitude = ((product < 0 ? -product : product) + divisor / 2) / divisor;
    return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

std::int32_t DialogFontPixels(std::int32_t pointSize) {
    return PointsToPixels(pointSize > 0 ? pointSize : 9);
}

FontHandle DialogFont(std::int32_t pointSize) {
    const std::int32_t pixels = DialogFontPixels(pointSize);
    auto& fonts = System().dialogFonts;
    for (const auto& [height, font] : fonts) {
        if (height == pixels) {
            return font;
        }
    }
    FontHandle font = CreateFontInFaces(pixels);
    fonts.emplace_back(pixels, font); // a missing face is remembered too
    return font;
}

DialogBaseUnits BaseUnitsOf(std::int32_t pointSize) {
    const std::int32_t cell = DialogFontPixels(pointSize);
    FontHandle font = DialogFont(pointSize);
    if (font == nullptr) {
        return DialogBaseUnits{fallbackAverageWidth, cell};
    }
    // The width of the 52 letters halved twice over, rounded.
    const std::int32_t letters = GetTextExtent(font, averagedLetters).width;
    return DialogBaseUnits{(letters / 26 + 1) / 2, cell};
}

Rect DialogUnitsToPixels(const DialogBaseUnits& units, Rect dialogUnits) {
    return Rect{MulDiv(dialogUnits.x, units.x, 4), MulDiv(dialogUnits.y, units.y, 8),
                MulDiv(dialogUnits.width, units.x, 4), MulDiv(dialogUnits.height, units.y, 8)};
}

Rect MapDialogRect(const DialogTemplate& dialogTemplate, Rect dialogUnits) {
    return DialogUnitsToPixels(BaseUnitsOf(dialogTemplate.pointSize), dialogUnits);
}
