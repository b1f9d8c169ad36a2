#include "deflate.h"

#include <array>

namespace {

// Writes bits least significant first, as deflate packs them.
class BitWriter {
  public:
    explicit BitWriter(Bytes& out) : out_(out) {}
    void put(unsigned value, int count) {
        for (int i = 0; i < count; ++i) {
            if (((value >> i) & 1u) != 0)
                current_ |= static_cast<std::uint8_t>(1u << filled_);
            if (++filled_ == 8)
                flush();
        }
    }
    // Huffman codes go most significant bit first.
    void putCode(unsigned code, int length) {
        for (int i = length - 1; i >= 0; --i)
            put((code >> i) & 1u, 1);
    }
    void flush() {
        if (filled_ == 0)
            return;
        out_.push_back(current_);
        current_ = 0;
        filled_ = 0;
    }

  private:
    Bytes& out_;
    std::uint8_t current_ = 0;
    int filled_ = 0;
};

// The fixed literal/length code of deflate.
void PutSymbol(BitWriter& bits, unsigned symbol) {
    if (symbol <= 143)
        bits.putCode(0x30 + symbol, 8);
    else if (symbol <= 255)
        bits.putCode(0x190 + symbol - 144, 9);
    else if (symbol <= 279)
        bits.putCode(symbol - 256, 7);
    else
        bits.putCode(0xC0 + symbol - 280, 8);
}

constexpr std::array<unsigned, 29> kLengthBase = {3,  4,  5,  6,   7,   8,   9,   10,  11, 13,
                                                  15, 17, 19, 23,  27,  31,  35,  43,  51, 59,
                                                  67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr std::array<int, 29> kLengthExtra = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                              2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr std::array<unsigned, 30> kDistanceBase = {
    1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
    193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr std::array<int, 30> kDistanceExtra = {0, 0, 0,  0,  1,  1,  2,  2,  3,  3,
                                                4, 4, 5,  5,  6,  6,  7,  7,  8,  8,
                                                9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

void PutMatch(BitWriter& bits, unsigned length, unsigned distance) {
    int code = 28;
    while (kLengthBase[code] > length)
        --code;
    PutSymbol(bits, 257 + static_cast<unsigned>(code));
    bits.put(length - kLengthBase[code], kLengthExtra[code]);
    int dcode = 29;
    while (kDistanceBase[dcode] > distance)
        --dcode;
    bits.putCode(static_cast<unsigned>(dcode), 5);
    bits.put(distance - kDistanceBase[dcode], kDistanceExtra[dcode]);
}

std::uint32_t Adler32(const Bytes& data) {
    std::uint32_t a = 1, b = 0;
    for (std::uint8_t v : data) {
        a = (a + v) % 65521;
        b = (b + a) % 65521;
    }
    return (b << 16) | a;
}

} // namespace

Bytes ZlibCompress(const Bytes& raw, int pixelBytes, int rowBytes) {
    Bytes out{0x78, 0x01};
    BitWriter bits(out);
    bits.put(1, 1); // final block
    bits.put(1, 2); // fixed Huffman codes
    const std::size_t candidates[3] = {1, static_cast<std::size_t>(pixelBytes),
                                       static_cast<std::size_t>(rowBytes)};
    std::size_t pos = 0;
    while (pos < raw.size()) {
        std::size_t bestLength = 0, bestDistance = 0;
        for (std::size_t distance : candidates) {
            if (distance == 0 || distance > pos || distance > 32768)
                continue;
            std::size_t n = 0;
            while (n < 258 && pos + n < raw.size() && raw[pos + n] == raw[pos + n - distance])
                ++n;
            if (n > bestLength) {
                bestLength = n;
                bestDistance = distance;
            }
        }
        if (bestLength >= 3) {
            PutMatch(bits, static_cast<unsigned>(bestLength), static_cast<unsigned>(bestDistance));
            pos += bestLength;
        } else {
            PutSymbol(bits, raw[pos]);
            ++pos;
        }
    }
    PutSymbol(bits, 256); // end of block
    bits.flush();
    PutU32BigEndian(out, Adler32(raw));
    return out;
}
