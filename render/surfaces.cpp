#include "assets/resources.h"
#include "render/palette.h"
#include "render/window_drawing.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <span>

namespace {

constexpr int spriteSheetId = 120;
constexpr int backdropTileId = 121;
constexpr int maskSheetId = 122;
constexpr int titlePictureId = 124;

// The backdrop is the tile three times across and four times down, so that
// any 352-row window of it is one blit.
constexpr std::int32_t tileSize = 128;
constexpr std::int32_t tilesAcross = 3;
constexpr std::int32_t tilesDown = 4;
// The start panel's surface: the title picture and three Best5 pages.
constexpr std::int32_t panelPages = 4;

StoredBitmap FindStoredBitmap(int id) {
    StoredBitmap stored{};
    if (const auto file = FindResource(ResourceKind::Bitmap, id)) {
        ParseStoredBitmap(*file, stored);
    }
    return stored;
}

// The stored pixel rows of an uncompressed picture, bottom row first: they
// begin at the offset the file header gives.
std::span<const std::uint8_t> StoredRows(const StoredBitmap& stored) {
    if (stored.file.size() < 14) {
        return {};
    }
    const std::size_t offset = std::size_t{stored.file[10]} | std::size_t{stored.file[11]} << 8 |
                               std::size_t{stored.file[12]} << 16 |
                               std::size_t{stored.file[13]} << 24;
    return offset <= stored.file.size() ? stored.file.subspan(offset)
                                        : std::span<const std::uint8_t>{};
}

std::int32_t StoredStride(const StoredBitmap& stored) {
    return (stored.width * stored.bitsPerPixel + 31) / 32 * 4;
}

// Copies count bytes from the stored rows at from to the surface's rows at
// to; what lies outside either is left alone, so a damaged file cannot make
// us write or read out of bounds.
void CopyRowBytes(std::span<const std::uint8_t> rows, std::size_t from, const Surface& surface,
                  std::size_t to, std::size_t count) {
    const std::size_t surfaceSize = static_cast<std::size_t>(BitmapStride(surface.bitmap)) *
                                    static_cast<std::size_t>(BitmapHeight(surface.bitmap));
    if (from >= rows.size() || to >= surfaceSize) {
        return;
    }
    count = std::min({count, rows.size() - from, surfaceSize - to});
    std::memcpy(surface.bits + to, rows.data() + from, count);
}

// A memory context with the game palette selected (foreground), as every
// 8-bit surface's context has.
ContextHandle CreatePaletteContext(const RenderResources& screen) {
    ContextHandle context = CreateMemoryContext();
    SelectPalette(context, screen.palette, false);
    return context;
}

// An 8-bit surface whose pixel values are palette indices: what a DIB
// section with DIB_PAL_COLORS and the identity colour table is. Our embedded
// resources are read-only and our surfaces hold indices already, so no colour
// table is overwritten anywhere.
Surface CreateIndexedSurface(const RenderResources& screen, std::int32_t width, std::int32_t height,
                             bool bottomUp) {
    Surface surface{};
    surface.context = CreatePaletteContext(screen);
    surface.bitmap = CreateIndexedBitmap(width, height, bottomUp);
    surface.bits = BitmapBits(surface.bitmap);
    return surface;
}

void CreateSpriteSheet(RenderResources& screen, const StoredBitmap& sheet) {
    // The sheet's rows as stored, padded stride times height.
    screen.spriteSheet = CreateIndexedSurface(screen, sheet.width, sheet.height, sheet.height > 0);
    const auto rows = StoredRows(sheet);
    CopyRowBytes(rows, 0, screen.spriteSheet, 0,
                 static_cast<std::size_t>(StoredStride(sheet)) *
                     static_cast<std::size_t>(std::abs(sheet.height)));
    SelectBitmap(screen.spriteSheet.context, screen.spriteSheet.bitmap);
}

void CreateMaskSheet(RenderResources& screen) {
    // A monochrome device bitmap; no palette in its context.
    const StoredBitmap masks = FindStoredBitmap(maskSheetId);
    screen.maskSheet.bitmap = LoadMonoBitmap(masks);
    screen.maskSheet.bits = nullptr;
    screen.maskSheet.context = CreateMemoryContext();
    SelectBitmap(screen.maskSheet.context, screen.maskSheet.bitmap);
}

void CreateBackdropAndBackBuffer(RenderResources& screen) {
    // The tile repeated 3 times across and 4 times down: stored row r of the
    // tile goes to stored row 128 i + r of the backdrop, at byte 128 j.
    const StoredBitmap tile = FindStoredBitmap(backdropTileId);
    const bool bottomUp = tile.height > 0;
    screen.backdrop =
        CreateIndexedSurface(screen, tile.width * tilesAcross, tile.height * tilesDown, bottomUp);
    const auto rows = StoredRows(tile);
    const std::size_t tileStride = static_cast<std::size_t>(StoredStride(tile));
    const std::size_t backdropStride =
        static_cast<std::size_t>(BitmapStride(screen.backdrop.bitmap));
    const auto side = static_cast<std::size_t>(tileSize);
    for (std::size_t i = 0; i < static_cast<std::size_t>(tilesDown); ++i) {
        for (std::size_t j = 0; j < static_cast<std::size_t>(tilesAcross); ++j) {
            for (std::size_t r = 0; r < side; ++r) {
                CopyRowBytes(rows, r * tileStride, screen.backdrop,
                             (side * i + r) * backdropStride + side * j, side);
            }
        }
    }
    SelectBitmap(screen.backdrop.context, screen.backdrop.bitmap);

    // The back buffer: the field's size, rows in the tile's order, its pixels
    // left for the renderers.
    screen.backBuffer = CreateIndexedSurface(screen, fieldWidth, fieldHeight, bottomUp);
    SelectBitmap(screen.backBuffer.context, screen.backBuffer.bitmap);
}

void CreatePanelImage(RenderResources& screen) {
    // Four pages of 140 rows; the title picture goes to stored rows 420..559,
    // which in the bottom-up surface are rows 0..139 from the top.
    const StoredBitmap title = FindStoredBitmap(titlePictureId);
    const std::int32_t pageHeight = std::abs(title.height);
    screen.panelImage =
        CreateIndexedSurface(screen, title.width, title.height * panelPages, title.height > 0);
    const std::size_t stride = static_cast<std::size_t>(StoredStride(title));
    const std::size_t pageBytes = stride * static_cast<std::size_t>(pageHeight);
    CopyRowBytes(StoredRows(title), 0, screen.panelImage,
                 pageBytes * static_cast<std::size_t>(panelPages - 1), pageBytes);
    SelectBitmap(screen.panelImage.context, screen.panelImage.bitmap);
}

} // namespace

void CreateSurfaces(RenderResources& screen) {
    // The window's own context, the same one for its whole life.
    screen.windowDC = screen.window->DrawingContext();

    // The palette comes first, from the sprite sheet's colour table: every
    // 8-bit surface's context has it selected.
    const StoredBitmap sheet = FindStoredBitmap(spriteSheetId);
    screen.palette = BuildGamePalette(sheet);

    CreateSpriteSheet(screen, sheet);
    CreateMaskSheet(screen);
    CreateBackdropAndBackBuffer(screen);
    CreatePanelImage(screen);

    // Black over the system palette's free entries, so that the first
    // realization maps the game's colours in its own order.
    ResetSystemPalette();
}

void ReleaseSurfaces(RenderResources& screen) {
    // The window's context is its own for its whole life: releasing it, as a
    // private class context, does nothing. Each context goes before the
    // bitmap it holds, the palette after every context that has it selected.
    for (Surface* surface : {&screen.spriteSheet, &screen.maskSheet, &screen.backdrop,
                             &screen.backBuffer, &screen.panelImage}) {
        DeleteContext(surface->context);
        DeleteBitmap(surface->bitmap);
        *surface = Surface{};
    }
    DeletePalette(screen.palette);
    screen.palette = nullptr;
}
