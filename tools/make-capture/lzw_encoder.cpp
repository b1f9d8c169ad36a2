#include "lzw_encoder.h"

#include <cassert>

namespace {

constexpr int maxCodeBits = 12;
constexpr int tableSize = 1 << maxCodeBits;
constexpr std::uint16_t noCode = 0;

// Appends codes of changing width, least significant bit first.
class BitPacker {
  public:
    explicit BitPacker(std::vector<std::uint8_t>& out) : out_(out) {}

    void Put(int code, int width) {
        pending_ |= static_cast<std::uint32_t>(code) << pendingBits_;
        pendingBits_ += width;
        while (pendingBits_ >= 8) {
            out_.push_back(static_cast<std::uint8_t>(pending_ & 0xFF));
            pending_ >>= 8;
            pendingBits_ -= 8;
        }
    }

    void Flush() {
        if (pendingBits_ > 0) {
            out_.push_back(static_cast<std::uint8_t>(pending_ & 0xFF));
        }
        pending_ = 0;
        pendingBits_ = 0;
    }

  private:
    std::vector<std::uint8_t>& out_;
    std::uint32_t pending_ = 0;
    int pendingBits_ = 0;
};

// The string table as a trie: child[code][index] is the code of the string
// `code` followed by `index`, or noCode (no string can have code 0 as a
// child, since codes 0..255 are the single indices). Only the entries set
// since the last clear are wiped, so a clear costs what was added.
class StringTable {
  public:
    StringTable() : child_(static_cast<std::size_t>(tableSize) * 256, noCode) {}

    std::uint16_t Find(int prefix, std::uint8_t index) const { return child_[Slot(prefix, index)]; }

    void Add(int prefix, std::uint8_t index, int code) {
        const std::size_t slot = Slot(prefix, index);
        child_[slot] = static_cast<std::uint16_t>(code);
        used_.push_back(slot);
    }

    void Clear() {
        for (const std::size_t slot : used_) {
            child_[slot] = noCode;
        }
        used_.clear();
    }

  private:
    static std::size_t Slot(int prefix, std::uint8_t index) {
        return static_cast<std::size_t>(prefix) * 256 + index;
    }

    std::vector<std::uint16_t> child_;
    std::vector<std::size_t> used_;
};

} // namespace

std::vector<std::uint8_t> LzwEncode(std::span<const std::uint8_t> indices, int minCodeSize) {
    assert(minCodeSize >= 2 && minCodeSize <= 8);
    const int clearCode = 1 << minCodeSize;
    const int endCode = clearCode + 1;
    const int firstFreeCode = clearCode + 2;

    std::vector<std::uint8_t> out;
    BitPacker bits(out);
    StringTable table;
    int codeWidth = minCodeSize + 1;
    int nextCode = firstFreeCode;

    bits.Put(clearCode, codeWidth);
    if (indices.empty()) {
        bits.Put(endCode, codeWidth);
        bits.Flush();
        return out;
    }

    int prefix = indices[0];
    for (std::size_t i = 1; i < indices.size(); ++i) {
        const std::uint8_t index = indices[i];
        assert(index < clearCode);
        if (const std::uint16_t longer = table.Find(prefix, index); longer != noCode) {
            prefix = longer;
            continue;
        }
        bits.Put(prefix, codeWidth);
        table.Add(prefix, index, nextCode);
        ++nextCode;
        // The decoder adds each entry one code later than we do, so it
        // widens its codes once our next code has passed the width's range.
        if (nextCode > (1 << codeWidth) && codeWidth < maxCodeBits) {
            ++codeWidth;
        }
        if (nextCode == tableSize) {
            bits.Put(clearCode, codeWidth);
            table.Clear();
            codeWidth = minCodeSize + 1;
            nextCode = firstFreeCode;
        }
        prefix = index;
    }
    bits.Put(prefix, codeWidth);
    // The decoder counts this last code as if it had made an entry, so the
    // end code follows at the width that entry would have asked for.
    if (nextCode >= (1 << codeWidth) && codeWidth < maxCodeBits) {
        ++codeWidth;
    }
    bits.Put(endCode, codeWidth);
    bits.Flush();
    return out;
}
