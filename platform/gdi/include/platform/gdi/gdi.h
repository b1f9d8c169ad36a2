#pragma once

#include "base/handles.h"

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>

// The drawing half of our Win32 substitute: a 256-colour display emulated in
// 8-bit palette indices. Surfaces hold indices, not colours; blits copy, AND
// or OR indices exactly as the original display did, and only the backend
// turns indices into colours, through the system palette, when it presents.
//
// Coordinates are pixels, y downwards from the top row, whatever the order
// in which a bitmap stores its rows. Rectangles given as left, top, right,
// bottom are right and bottom exclusive. Every drawing call clips to its
// destination bitmap and to the context's clip region, and never writes
// outside a bitmap.

struct PlatformRegion;
struct PlatformFont;
using RegionHandle = PlatformRegion*;
using FontHandle = PlatformFont*;

// ---------------------------------------------------------------- palettes

struct PaletteEntry {
    std::uint8_t red;
    std::uint8_t green;
    std::uint8_t blue;
    std::uint8_t flags;
};
inline constexpr std::uint8_t pcNoCollapse = 0x04;
inline constexpr int paletteSize = 256;
using PaletteEntries = std::array<PaletteEntry, paletteSize>;

PaletteHandle CreatePalette(const PaletteEntries& entries);
void DeletePalette(PaletteHandle palette);
const PaletteEntries& GetPaletteEntries(PaletteHandle palette);

// The display: 256 colours, of which the twenty static ones (0..9 and
// 246..255, black at 0 and white at 255) are reserved. Its system palette
// is what the backend shows indices through.
inline constexpr std::int32_t staticColorCount = 20;

struct DisplayOptions {
    // NUMCOLORS of the screen: the static colours a 256-colour display
    // reserves, or -1 for a display without a palette.
    std::int32_t staticColors = staticColorCount;
};

// The process's connection to the display, which holds the system palette:
// what the three calls below read and RealizePalette changes; text finds
// its faces through a font configuration loaded once while it is open. Whoever opens
// it owns it: the window system opens one when it starts and closes it when
// it shuts down, and a program without windows may open its own. One is
// open at a time (opening a second is a fault that stops the program), and
// each begins fresh: the static colours, every free entry black. With none
// open, the calls below describe a fresh 256-colour display and
// RealizePalette changes nothing.
class DisplayConnection {
  public:
    explicit DisplayConnection(const DisplayOptions& options = {});
    ~DisplayConnection();
    DisplayConnection(const DisplayConnection&) = delete;
    DisplayConnection& operator=(const DisplayConnection&) = delete;

    struct State;

  private:
    std::unique_ptr<State> state_;
};
std::int32_t GetStaticColorCount(); // NUMCOLORS of the screen
const PaletteEntries& GetSystemPalette();
// Bumped whenever the system palette changes, so the backend knows to
// convert the whole screen again.
std::uint64_t SystemPaletteVersion();

// ---------------------------------------------------------------- bitmaps

enum class BitmapFormat {
    Indexed8, // one palette index per pixel
    Mono,     // one bit per pixel, 0 or 1 (stored a byte per pixel)
};

// An 8-bit surface whose rows the caller may write through BitmapBits: rows
// are stored bottom row first when bottomUp (like a stored bitmap), each
// padded to a multiple of 4 bytes.
BitmapHandle CreateIndexedBitmap(std::int32_t width, std::int32_t height, bool bottomUp);
BitmapHandle CreateMonoBitmap(std::int32_t width, std::int32_t height);
void DeleteBitmap(BitmapHandle bitmap);
std::uint8_t* BitmapBits(BitmapHandle bitmap);
std::int32_t BitmapStride(BitmapHandle bitmap); // bytes per stored row
std::int32_t BitmapWidth(BitmapHandle bitmap);
std::int32_t BitmapHeight(BitmapHandle bitmap);
BitmapFormat GetBitmapFormat(BitmapHandle bitmap);
// The pixel at (x, y) counted from the top, or 0 outside the bitmap.
std::uint8_t GetPixelIndex(BitmapHandle bitmap, std::int32_t x, std::int32_t y);
// Bumped by every call that draws into the bitmap (not by writes through
// BitmapBits), so a window's surface tells the backend it has changed.
std::uint64_t BitmapChangeCount(BitmapHandle bitmap);
void MarkBitmapChanged(BitmapHandle bitmap);

// A bitmap as the program stores it: a .bmp file (file header, 40-byte
// information header, colour table, rows bottom first; 1, 4 or 8 bits per
// pixel, 8-bit run-length compression accepted).
struct StoredBitmap {
    std::int32_t width;
    std::int32_t height; // negative for rows stored top row first
    std::int32_t bitsPerPixel;
    std::int32_t colorCount;
    std::array<PaletteEntry, paletteSize> colors; // colorCount of them used
    std::span<const std::uint8_t> file;           // the whole file
};
// False when the bytes are not a bitmap this reader understands.
bool ParseStoredBitmap(std::span<const std::uint8_t> file, StoredBitmap& out);
// The picture's pixels as indices, top row first, width bytes per row
// (run-length pictures decoded). False when the pixel data is damaged; the
// rows decoded so far are kept and the rest are 0.
bool DecodeStoredBitmap(const StoredBitmap& stored, std::span<std::uint8_t> topDownPixels);
// A monochrome device bitmap made from a stored 1-bit picture (LoadBitmap).
BitmapHandle LoadMonoBitmap(const StoredBitmap& stored);

// ---------------------------------------------------------------- contexts

enum class RasterOp {
    SrcCopy,  // destination = source
    SrcAnd,   // destination = destination AND source
    SrcPaint, // destination = destination OR source
};

// A memory drawing context; its defaults: no bitmap, no palette, text colour
// index 0 (black), background colour index 255 (white), opaque background,
// no clip region, no font.
ContextHandle CreateMemoryContext();
void DeleteContext(ContextHandle context);
// Each returns what was selected before.
BitmapHandle SelectBitmap(ContextHandle context, BitmapHandle bitmap);
PaletteHandle SelectPalette(ContextHandle context, PaletteHandle palette, bool forceBackground);
FontHandle SelectFont(ContextHandle context, FontHandle font);
BitmapHandle GetSelectedBitmap(ContextHandle context);
// Maps the context's palette into the system palette: in the foreground
// its PC_NOCOLLAPSE entries take the free system entries of the same index;
// in the background nothing changes. Returns how many system entries
// changed.
std::int32_t RealizePalette(ContextHandle context);
void SetTextColorIndex(ContextHandle context, std::uint8_t index);
void SetBackgroundColorIndex(ContextHandle context, std::uint8_t index);
void SetBackgroundOpaque(ContextHandle context, bool opaque);

// Copies a w x h block from the source context's bitmap at (sx, sy) to the
// destination's at (x, y), combining indices by op. Pixels whose source
// lies outside the source bitmap are left alone. A monochrome source gives
// the destination's text colour for its 0 bits and its background colour
// for its 1 bits (index 0 and 255 by default).
void BitBlt(ContextHandle destination, std::int32_t x, std::int32_t y, std::int32_t width,
            std::int32_t height, ContextHandle source, std::int32_t sourceX, std::int32_t sourceY,
            RasterOp op);
// Fills left..right-1, top..bottom-1 with one palette index (the black
// brush is index 0).
void FillRectIndex(ContextHandle context, std::int32_t left, std::int32_t top, std::int32_t right,
                   std::int32_t bottom, std::uint8_t index);
inline constexpr std::uint8_t blackIndex = 0;
inline constexpr std::uint8_t whiteIndex = 255;
// Draws a stored 8-bit picture 1:1 with its top-left at (x, y), its pixel
// values taken as palette indices (the identity colour table).
void DrawStoredBitmap(ContextHandle context, std::int32_t x, std::int32_t y,
                      const StoredBitmap& stored);

// ---------------------------------------------------------------- regions

// A set of pixels made of rectangles. A zero or reversed rectangle is empty.
RegionHandle CreateRectRegion(std::int32_t left, std::int32_t top, std::int32_t right,
                              std::int32_t bottom);
void SetRectRegion(RegionHandle region, std::int32_t left, std::int32_t top, std::int32_t right,
                   std::int32_t bottom);
void DeleteRegion(RegionHandle region);
bool RegionContains(RegionHandle region, std::int32_t x, std::int32_t y);
bool RegionIsEmpty(RegionHandle region);
// The context's clip region becomes a copy of region; none removes it.
void SelectClipRegion(ContextHandle context, RegionHandle region);
// The clip region minus region (with no clip region: the whole bitmap
// minus region).
void ExcludeClipRegion(ContextHandle context, RegionHandle region);
// Copies the clip region into region; false (and region untouched) when
// the context has none.
bool GetClipRegion(ContextHandle context, RegionHandle region);

// ---------------------------------------------------------------- text

// A face looked up by family name through the system's font configuration,
// at a pixel height (the font's em size at 96 dpi) and a weight (400 normal,
// 700 bold), drawn aliased. The first family found is used; a character it
// lacks is drawn by the next family that has it, on the same baseline (a
// face made for one script often lacks the accented letters of another).
// When none of them is installed, the system's default sans face; nullptr
// only when there is no font at all.
FontHandle CreateFontByFamilies(std::span<const std::string_view> families,
                                std::int32_t pixelHeight, std::int32_t weight);
// Whether a face of exactly this family is installed.
bool IsFontFamilyInstalled(std::string_view family);
void DeleteFont(FontHandle font);
// The line height and the ascent of the selected font, in pixels.
std::int32_t FontLineHeight(FontHandle font);
std::int32_t FontAscent(FontHandle font);
// Width and height of UTF-8 text in the font; (0, line height) for "".
struct TextExtent {
    std::int32_t width;
    std::int32_t height;
};
TextExtent GetTextExtent(FontHandle font, std::string_view utf8);
// Draws UTF-8 text with its cell's top-left at (x, y) in the context's
// text colour, over its background colour when the background is opaque.
void TextOut(ContextHandle context, std::int32_t x, std::int32_t y, std::string_view utf8);
