// The resource table on Windows, read from the program's own Win32
// resources. Windows keeps a bitmap without its file header and an icon as a
// group directory plus one resource per image, so both are put back together
// once into the files the rest of the game reads, byte for byte as committed.
#include "assets/resources.h"

#include <cstring>
#include <vector>
#include <windows.h>

namespace {

constexpr std::size_t bitmapFileHeaderBytes = 14;
constexpr std::size_t iconDirBytes = 6;
constexpr std::size_t iconDirEntryBytes = 16;
constexpr std::size_t groupIconEntryBytes = 14;

std::span<const std::uint8_t> ResourceBytes(HMODULE module, HRSRC found) {
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data)
        return {};
    return {static_cast<const std::uint8_t*>(data), SizeofResource(module, found)};
}

std::uint32_t ReadU32(const std::uint8_t* at) {
    std::uint32_t value = 0;
    std::memcpy(&value, at, sizeof value);
    return value;
}

std::uint16_t ReadU16(const std::uint8_t* at) {
    std::uint16_t value = 0;
    std::memcpy(&value, at, sizeof value);
    return value;
}

void Append(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

// A bitmap file: the 14-byte file header, then the resource as it is. The
// pixels start after the info header and the colour table.
std::vector<std::uint8_t> BitmapFile(std::span<const std::uint8_t> dib) {
    if (dib.size() < sizeof(BITMAPINFOHEADER))
        return {};
    const std::uint32_t headerBytes = ReadU32(dib.data());
    const std::uint16_t bitCount = ReadU16(dib.data() + 14);
    const std::uint32_t compression = ReadU32(dib.data() + 16);
    std::uint32_t colours = ReadU32(dib.data() + 32);
    if (colours == 0 && bitCount <= 8)
        colours = 1u << bitCount;
    const std::uint32_t masks = compression == BI_BITFIELDS ? 12 : 0;
    std::vector<std::uint8_t> file;
    file.reserve(bitmapFileHeaderBytes + dib.size());
    Append(file, 'B' | ('M' << 8), 2);
    Append(file, static_cast<std::uint32_t>(bitmapFileHeaderBytes + dib.size()), 4);
    Append(file, 0, 4);
    const std::size_t pixelsAt =
        bitmapFileHeaderBytes + headerBytes + masks + std::size_t{4} * colours;
    Append(file, static_cast<std::uint32_t>(pixelsAt), 4);
    file.insert(file.end(), dib.begin(), dib.end());
    return file;
}

// An icon file from its group: the directory with each image's offset in
// the file instead of its resource number, then the images in order.
std::vector<std::uint8_t> IconFile(HMODULE module, std::span<const std::uint8_t> group) {
    if (group.size() < iconDirBytes)
        return {};
    const std::uint16_t count = ReadU16(group.data() + 4);
    if (group.size() < iconDirBytes + count * groupIconEntryBytes)
        return {};
    std::vector<std::uint8_t> file(group.begin(), group.begin() + iconDirBytes);
    std::vector<std::span<const std::uint8_t>> images;
    std::uint32_t offset = static_cast<std::uint32_t>(iconDirBytes + count * iconDirEntryBytes);
    for (std::uint16_t i = 0; i < count; ++i) {
        const std::uint8_t* entry = group.data() + iconDirBytes + i * groupIconEntryBytes;
        const std::uint16_t id = ReadU16(entry + 12);
        images.push_back(
            ResourceBytes(module, FindResourceW(module, MAKEINTRESOURCEW(id), RT_ICON)));
        file.insert(file.end(), entry, entry + 8);
        Append(file, static_cast<std::uint32_t>(images.back().size()), 4);
        Append(file, offset, 4);
        offset += static_cast<std::uint32_t>(images.back().size());
    }
    for (std::span<const std::uint8_t> image : images)
        file.insert(file.end(), image.begin(), image.end());
    return file;
}

struct Table {
    // Each rebuilt file owns its bytes; the vector of them may move, the
    // bytes do not, so the resources can point into them.
    std::vector<std::vector<std::uint8_t>> rebuilt;
    std::vector<Resource> resources;
};

struct Enumeration {
    Table* table;
    ResourceKind kind;
};

BOOL CALLBACK AddResource(HMODULE module, LPCWSTR type, LPWSTR name, LONG_PTR param) {
    if (!IS_INTRESOURCE(name))
        return TRUE;
    auto& [table, kind] = *reinterpret_cast<Enumeration*>(param);
    const int id = static_cast<int>(reinterpret_cast<ULONG_PTR>(name));
    const std::span<const std::uint8_t> bytes =
        ResourceBytes(module, FindResourceW(module, name, type));
    if (kind == ResourceKind::Wave) {
        table->resources.push_back({kind, id, bytes}); // a wave is kept whole
        return TRUE;
    }
    table->rebuilt.push_back(kind == ResourceKind::Bitmap ? BitmapFile(bytes)
                                                          : IconFile(module, bytes));
    table->resources.push_back({kind, id, table->rebuilt.back()});
    return TRUE;
}

Table ReadTable() {
    Table table;
    HMODULE module = GetModuleHandleW(nullptr);
    const std::pair<ResourceKind, LPCWSTR> kinds[] = {{ResourceKind::Bitmap, RT_BITMAP},
                                                      {ResourceKind::Icon, RT_GROUP_ICON},
                                                      {ResourceKind::Wave, L"WAVE"}};
    for (const auto& [kind, type] : kinds) {
        Enumeration enumeration{&table, kind};
        EnumResourceNamesW(module, type, AddResource, reinterpret_cast<LONG_PTR>(&enumeration));
    }
    return table;
}

} // namespace

std::span<const Resource> AllResources() {
    static const Table table = ReadTable();
    return table.resources;
}
