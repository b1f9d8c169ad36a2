#pragma once

#include "platform/gdi/gdi.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

// clang-format off
#include <windows.h>
#include <mmsystem.h>
// clang-format on

// The Win32 backend's own logic, apart from the calls that need a desktop:
// what the window procedure makes of its messages' parameters, the screen's
// bitmap for GDI, and the multimedia errors as the game knows them.

// Typed characters as WM_CHAR brings them, one UTF-16 unit at a time: a
// character outside the basic plane comes as two units, and only the second
// completes it. Gives the UTF-8 of each whole character typed, and nothing
// for a unit that only begins one, for a surrogate without its partner, or
// for a control character (below 32, and 127), which the game reads as keys.
class TypedText {
  public:
    std::optional<std::string> Take(wchar_t unit);

  private:
    wchar_t high_ = 0; // the first half of a pair, while its second is due
};

// A mouse message's position in the game's pixels: the client coordinates
// are signed 16-bit (negative left of or above the window while the button
// holds the mouse captured) and the window shows each pixel zoom times.
struct ScreenPoint {
    std::int32_t x;
    std::int32_t y;
};
ScreenPoint MousePosition(LPARAM lParam, std::int32_t zoom);

// An 8-bit top-down DIB of the screen: the header with the palette as its
// colour table, and the indices with every row padded to whole 32-bit
// words, as GDI reads them.
struct ScreenBitmapInfo {
    BITMAPINFOHEADER header;
    RGBQUAD colors[paletteSize];
};
void DescribeScreenBitmap(ScreenBitmapInfo& info, std::int32_t width, std::int32_t height,
                          const PaletteEntries& palette);
std::int32_t BitmapStride(std::int32_t width);
void CopyScreenRows(std::span<const std::uint8_t> indices, std::int32_t width, std::int32_t height,
                    std::vector<std::uint8_t>& rows);

// A failed MCI command's error as the game's codes name it: the four it
// knows come through, anything else is a device that is not ready (the game
// plays on without music).
int GameMciError(DWORD error);
