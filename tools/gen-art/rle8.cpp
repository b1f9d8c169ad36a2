#include "rle8.h"

#include <algorithm>

namespace {

// Length of the run of equal pixels starting at x, at most 255.
int RunLength(const std::uint8_t* row, int x, int width) {
    int n = 1;
    while (x + n < width && n < 255 && row[x + n] == row[x])
        ++n;
    return n;
}

void EncodeRow(Bytes& out, const std::uint8_t* row, int width) {
    int x = 0;
    while (x < width) {
        int run = RunLength(row, x, width);
        if (run >= 3 || width - x < 3) {
            // Short tails go out as runs too: absolute mode needs at least 3 pixels.
            int n = std::min(run, width - x);
            PutU8(out, static_cast<unsigned>(n));
            PutU8(out, row[x]);
            x += n;
            continue;
        }
        // Gather differing pixels until a run of 3 or more starts.
        int start = x;
        while (x < width && x - start < 255) {
            if (RunLength(row, x, width) >= 3)
                break;
            ++x;
        }
        int n = x - start;
        if (n < 3) {
            // Too few for absolute mode: fall back to single-pixel runs.
            for (int i = start; i < x; ++i) {
                PutU8(out, 1);
                PutU8(out, row[i]);
            }
            continue;
        }
        PutU8(out, 0);
        PutU8(out, static_cast<unsigned>(n));
        for (int i = start; i < x; ++i)
            PutU8(out, row[i]);
        if (n % 2 != 0)
            PutU8(out, 0);
    }
}

} // namespace

Bytes EncodeRle8(const Image& img) {
    Bytes out;
    for (int y = img.height - 1; y >= 0; --y) {
        EncodeRow(out, &img.pixels[static_cast<std::size_t>(y) * img.width], img.width);
        if (y > 0) {
            PutU8(out, 0);
            PutU8(out, 0);
        }
    }
    PutU8(out, 0);
    PutU8(out, 1);
    return out;
}
