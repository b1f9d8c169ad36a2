#include "assets/resources.h"

std::optional<std::span<const std::uint8_t>> FindResource(ResourceKind kind, int id) {
    for (const Resource& resource : AllResources()) {
        if (resource.kind == kind && resource.id == id) {
            return resource.bytes;
        }
    }
    return std::nullopt;
}
