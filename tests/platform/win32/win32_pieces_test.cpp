// The Win32 backend's pieces that need no desktop.
#include "platform/user/backend.h"
#include "platform/win32/win32_pieces.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

TEST(TypedText, GivesWholeCharactersInUtf8AndSkipsControlsAndBrokenPairs) {
    TypedText typed;
    std::string got;
    for (const wchar_t unit :
         {L'a', L'\b', L'\r', L'\x1b', L'\x7f', L'\xe9', L'\x20ac',
          // U+1F600 as a pair; a lone second half; a first half
          // left alone, then one completed
          L'\xd83d', L'\xde00', L'\xdc00', L'\xd83d', L'b', L'\xd83d', L'\xd83d', L'\xde00'}) {
        if (std::optional<std::string> text = typed.Take(unit)) {
            got += *text + "|";
        }
    }
    EXPECT_EQ(got, "a|\xC3\xA9|\xE2\x82\xAC|\xF0\x9F\x98\x80|b|\xF0\x9F\x98\x80|");
}

TEST(MousePosition, ReadsSignedWordsAndScalesBackToTheGamesPixels) {
    const auto at = [](int x, int y, std::int32_t zoom) {
        const ScreenPoint point = MousePosition(MAKELPARAM(x, y), zoom);
        return std::pair(point.x, point.y);
    };
    EXPECT_EQ(at(1267, 909, 2), std::pair(633, 454));
    EXPECT_EQ(at(5, 7, 1), std::pair(5, 7));
    // Captured, left of and above the window: outside, not at 32767.
    EXPECT_EQ(at(-1, -3, 2), std::pair(-1, -2));
    EXPECT_EQ(at(-1, -1, 1), std::pair(-1, -1));
}

TEST(ScreenBitmap, IsTopDownWithThePaletteAsColoursAndRowsPaddedToWords) {
    PaletteEntries palette{};
    palette[0] = {10, 20, 30, 0};
    palette[255] = {200, 100, 50, pcNoCollapse};
    ScreenBitmapInfo info;
    DescribeScreenBitmap(info, 3, 2, palette);
    EXPECT_EQ(info.header.biWidth, 3);
    EXPECT_EQ(info.header.biHeight, -2);
    EXPECT_EQ(info.header.biBitCount, 8);
    EXPECT_EQ(info.header.biClrUsed, 256u);
    EXPECT_EQ(std::vector<int>({info.colors[0].rgbRed, info.colors[0].rgbGreen,
                                info.colors[0].rgbBlue, info.colors[255].rgbRed,
                                info.colors[255].rgbBlue, info.colors[255].rgbReserved}),
              std::vector<int>({10, 20, 30, 200, 50, 0}));

    const std::vector<std::uint8_t> indices{1, 2, 3, 4, 5, 6};
    std::vector<std::uint8_t> rows{9};
    CopyScreenRows(indices, 3, 2, rows);
    EXPECT_EQ(rows, (std::vector<std::uint8_t>{1, 2, 3, 0, 4, 5, 6, 0}));
    EXPECT_EQ(BitmapStride(634), 636);
    EXPECT_EQ(BitmapStride(640), 640);
}

TEST(GameMciError, KeepsTheErrorsTheGameKnowsAndCallsTheRestNotReady) {
    EXPECT_EQ(GameMciError(MCIERR_FILE_NOT_FOUND), mci::errorFileNotFound);
    EXPECT_EQ(GameMciError(MCIERR_INVALID_FILE), mci::errorInvalidFile);
    EXPECT_EQ(GameMciError(MCIERR_INVALID_DEVICE_ID), mci::errorInvalidDevice);
    // A driver's own errors carry its id in the high word.
    EXPECT_EQ(GameMciError(0x00030000 | MCIERR_FILE_NOT_FOUND), mci::errorFileNotFound);
    EXPECT_EQ(GameMciError(MCIERR_DEVICE_OPEN), mci::errorDeviceNotReady);
    EXPECT_EQ(GameMciError(MCIERR_CANNOT_LOAD_DRIVER), mci::errorDeviceNotReady);
}

} // namespace
