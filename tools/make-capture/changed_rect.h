#pragma once

#include "indexed_image.h"

#include <optional>

struct PixelRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// The smallest rectangle holding every pixel whose colour differs between
// two pictures of the same size, or nothing when they look the same.
// Colours, not indices, are compared: a viewer keeps the colours it showed,
// so an index drawn through a different palette is a change.
std::optional<PixelRect> ChangedRect(const IndexedImage& before, const IndexedImage& after);
