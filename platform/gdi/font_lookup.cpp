// Finding a face by family name with fontconfig. Loading the configuration
// reads every font's cache and takes milliseconds, and menus, dialogs and
// the Best5 pages look up a dozen faces before the first frame: it is loaded
// once per open display and freed with it. Without a display it is loaded
// for each lookup and destroyed after it.
#include "font_lookup.h"

#include "gdi_objects.h"

#include <fontconfig/fontconfig.h>
#include <memory>

namespace {

struct ConfigDeleter {
    void operator()(FcConfig* config) const { FcConfigDestroy(config); }
};
struct PatternDeleter {
    void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
};
using ConfigPtr = std::unique_ptr<FcConfig, ConfigDeleter>;
using PatternPtr = std::unique_ptr<FcPattern, PatternDeleter>;

// fontconfig substitutes freely (any sans face for an unknown name), so the
// match counts only if one of its family names is the one asked for.
bool HasFamily(FcPattern* match, std::string_view family) {
    FcChar8* name = nullptr;
    for (int n = 0; FcPatternGetString(match, FC_FAMILY, n, &name) == FcResultMatch; ++n) {
        const std::string asked(family);
        if (FcStrCmpIgnoreCase(name, reinterpret_cast<const FcChar8*>(asked.c_str())) == 0)
            return true;
    }
    return false;
}

// The open display's configuration, loaded at its first lookup; with no
// display open, one loaded for this lookup alone and held by `own`.
FcConfig* Configuration(ConfigPtr& own) {
    std::shared_ptr<void>* kept = OpenDisplayFontData();
    if (kept == nullptr) {
        own.reset(FcInitLoadConfigAndFonts());
        return own.get();
    }
    if (*kept == nullptr) {
        if (FcConfig* loaded = FcInitLoadConfigAndFonts())
            *kept = std::shared_ptr<void>(
                loaded, [](void* config) { FcConfigDestroy(static_cast<FcConfig*>(config)); });
    }
    return static_cast<FcConfig*>(kept->get());
}

std::optional<FontFace> MatchFace(std::string_view family, std::int32_t weight, bool exactly) {
    ConfigPtr own;
    FcConfig* config = Configuration(own);
    const PatternPtr pattern(FcPatternCreate());
    if (config == nullptr || !pattern || family.empty())
        return std::nullopt;
    const std::string name(family);
    FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(name.c_str()));
    FcPatternAddInteger(pattern.get(), FC_WEIGHT, FcWeightFromOpenType(weight));
    FcConfigSubstitute(config, pattern.get(), FcMatchPattern);
    FcDefaultSubstitute(pattern.get());
    FcResult result = FcResultNoMatch;
    const PatternPtr match(FcFontMatch(config, pattern.get(), &result));
    if (!match || (exactly && !HasFamily(match.get(), family)))
        return std::nullopt;
    FcChar8* file = nullptr;
    if (FcPatternGetString(match.get(), FC_FILE, 0, &file) != FcResultMatch)
        return std::nullopt;
    FontFace face;
    face.file = reinterpret_cast<const char*>(file);
    FcPatternGetInteger(match.get(), FC_INDEX, 0, &face.index);
    int faceWeight = FC_WEIGHT_REGULAR;
    FcPatternGetInteger(match.get(), FC_WEIGHT, 0, &faceWeight);
    face.bold = faceWeight >= FC_WEIGHT_DEMIBOLD;
    return face;
}

} // namespace

std::optional<FontFace> FindFontFace(std::string_view family, std::int32_t weight) {
    return MatchFace(family, weight, true);
}

std::optional<FontFace> FindDefaultFontFace(std::int32_t weight) {
    return MatchFace("sans-serif", weight, false);
}
