#pragma once

#include <cstdint>
#include <optional>
#include <span>

// The resources embedded in the program: bitmaps, waves and the icon, each
// found by its kind and number, as the game looks them up.
enum class ResourceKind { Bitmap, Icon, Wave };

struct Resource {
    ResourceKind kind;
    int id;
    std::span<const std::uint8_t> bytes; // the whole file, as committed
};

// Every resource the program carries.
std::span<const Resource> AllResources();

// The bytes of one resource, or nothing when the program has no such one.
std::optional<std::span<const std::uint8_t>> FindResource(ResourceKind kind, int id);
