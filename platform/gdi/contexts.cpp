// Memory drawing contexts: what is selected into them and their colours.
#include "gdi_objects.h"

ContextHandle CreateMemoryContext() {
    return new PlatformContext;
}

void DeleteContext(ContextHandle context) {
    if (!context)
        return;
    ReleaseContextClip(*context);
    delete context;
}

BitmapHandle SelectBitmap(ContextHandle context, BitmapHandle bitmap) {
    if (!context)
        return nullptr;
    BitmapHandle previous = context->bitmap;
    context->bitmap = bitmap;
    return previous;
}

PaletteHandle SelectPalette(ContextHandle context, PaletteHandle palette, bool forceBackground) {
    if (!context)
        return nullptr;
    PaletteHandle previous = context->palette;
    context->palette = palette;
    context->paletteInBackground = forceBackground;
    return previous;
}

FontHandle SelectFont(ContextHandle context, FontHandle font) {
    if (!context)
        return nullptr;
    FontHandle previous = context->font;
    context->font = font;
    return previous;
}

BitmapHandle GetSelectedBitmap(ContextHandle context) {
    return context ? context->bitmap : nullptr;
}

void SetTextColorIndex(ContextHandle context, std::uint8_t index) {
    if (context)
        context->textColor = index;
}

void SetBackgroundColorIndex(ContextHandle context, std::uint8_t index) {
    if (context)
        context->backgroundColor = index;
}

void SetBackgroundOpaque(ContextHandle context, bool opaque) {
    if (context)
        context->opaqueBackground = opaque;
}
