#include "zlib_unpack.h"

#include <array>

namespace tamga {
namespace {

class BitReader {
public:
    explicit BitReader(std::span<const std::uint8_t> in) : in_(in) {}

    // The next `count` (at most 16) bits, least significant first; false past the end.
    bool bits(int count, unsigned& value) {
        while (held_ < count) {
            if (next_ == in_.size()) return false;
            buffer_ |= static_cast<std::uint32_t>(in_[next_++]) << held_;
            held_ += 8;
        }
        value = buffer_ & ((1u << count) - 1);
        buffer_ >>= count;
        held_ -= count;
        return true;
    }

    void to_byte_boundary() {
        buffer_ >>= held_ % 8;
        held_ -= held_ % 8;
    }

private:
    std::span<const std::uint8_t> in_;
    std::size_t next_ = 0;
    std::uint32_t buffer_ = 0;
    int held_ = 0;
};

constexpr int kMaxBits = 15;

// A canonical Huffman code: how many codes of each length, and the symbols
// in code order.
struct Code {
    std::array<std::uint16_t, kMaxBits + 1> count{};
    std::array<std::uint16_t, 288> symbol{};
};

// False for an over-subscribed set of lengths; incomplete sets are allowed
// (a lone distance code is one).
bool build(Code& code, const std::uint8_t* lengths, int symbols) {
    code.count.fill(0);
    for (int s = 0; s < symbols; ++s) ++code.count[lengths[s]];
    int left = 1;
    for (int length = 1; length <= kMaxBits; ++length) {
        left = 2 * left - code.count[length];
        if (left < 0) return false;
    }
    std::array<std::uint16_t, kMaxBits + 2> offset{};
    for (int length = 1; length <= kMaxBits; ++length) offset[length + 1] = offset[length] + code.count[length];
    for (int s = 0; s < symbols; ++s)
        if (lengths[s] != 0) code.symbol[offset[lengths[s]]++] = static_cast<std::uint16_t>(s);
    return true;
}

// The next symbol, or -1 for a code not in the set or the end of the data.
int decode(BitReader& in, const Code& code) {
    int value = 0, first = 0, index = 0;
    for (int length = 1; length <= kMaxBits; ++length) {
        unsigned bit;
        if (!in.bits(1, bit)) return -1;
        value |= static_cast<int>(bit);
        const int count = code.count[length];
        if (value - first < count) return code.symbol[index + value - first];
        index += count;
        first = (first + count) << 1;
        value <<= 1;
    }
    return -1;
}

constexpr std::array<std::uint16_t, 29> kLengthBase{3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                                    31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr std::array<std::uint8_t, 29> kLengthExtra{0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                                    2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr std::array<std::uint16_t, 30> kDistanceBase{1,   2,   3,   4,   5,   7,    9,    13,   17,   25,
                                                      33,  49,  65,  97,  129, 193,  257,  385,  513,  769,
                                                      1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr std::array<std::uint8_t, 30> kDistanceExtra{0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                                      6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

class Inflater {
public:
    Inflater(std::span<const std::uint8_t> packed, std::size_t limit) : in_(packed), limit_(limit) {}

    bool run() {
        unsigned last = 0;
        do {
            unsigned type;
            if (!in_.bits(1, last) || !in_.bits(2, type)) return false;
            const bool ok = type == 0 ? stored() : type == 1 ? fixed() : type == 2 ? dynamic() : false;
            if (!ok) return false;
        } while (!last);
        return true;
    }

    BitReader& input() { return in_; }
    std::vector<std::uint8_t>& output() { return out_; }

private:
    bool put(std::uint8_t byte) {
        if (out_.size() == limit_) return false;
        out_.push_back(byte);
        return true;
    }

    bool stored() {
        in_.to_byte_boundary();
        unsigned length, complement;
        if (!in_.bits(16, length) || !in_.bits(16, complement) || (length ^ 0xFFFF) != complement) return false;
        for (unsigned i = 0; i < length; ++i) {
            unsigned byte;
            if (!in_.bits(8, byte) || !put(static_cast<std::uint8_t>(byte))) return false;
        }
        return true;
    }

    bool fixed() {
        std::array<std::uint8_t, 288> lengths{};
        for (int s = 0; s < 288; ++s) lengths[s] = s < 144 ? 8 : s < 256 ? 9 : s < 280 ? 7 : 8;
        std::array<std::uint8_t, 30> distances;
        distances.fill(5);
        return build(literals_, lengths.data(), 288) && build(distances_, distances.data(), 30) && codes();
    }

    bool dynamic() {
        unsigned literal_count, distance_count, length_code_count;
        if (!in_.bits(5, literal_count) || !in_.bits(5, distance_count) || !in_.bits(4, length_code_count))
            return false;
        literal_count += 257;
        distance_count += 1;
        length_code_count += 4;
        if (literal_count > 286 || distance_count > 30) return false;

        constexpr std::array<std::uint8_t, 19> kOrder{16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};
        std::array<std::uint8_t, 19> code_lengths{};
        for (unsigned i = 0; i < length_code_count; ++i) {
            unsigned length;
            if (!in_.bits(3, length)) return false;
            code_lengths[kOrder[i]] = static_cast<std::uint8_t>(length);
        }
        Code length_code;
        if (!build(length_code, code_lengths.data(), 19)) return false;

        std::array<std::uint8_t, 286 + 30> lengths{};
        const unsigned total = literal_count + distance_count;
        for (unsigned index = 0; index < total;) {
            const int symbol = decode(in_, length_code);
            if (symbol < 0) return false;
            if (symbol < 16) {
                lengths[index++] = static_cast<std::uint8_t>(symbol);
                continue;
            }
            std::uint8_t repeated = 0;
            unsigned times;
            if (symbol == 16) {
                if (index == 0 || !in_.bits(2, times)) return false;
                repeated = lengths[index - 1];
                times += 3;
            } else if (symbol == 17) {
                if (!in_.bits(3, times)) return false;
                times += 3;
            } else {
                if (!in_.bits(7, times)) return false;
                times += 11;
            }
            if (index + times > total) return false;
            while (times-- > 0) lengths[index++] = repeated;
        }
        if (lengths[256] == 0) return false;  // no end-of-block code
        return build(literals_, lengths.data(), static_cast<int>(literal_count)) &&
               build(distances_, lengths.data() + literal_count, static_cast<int>(distance_count)) && codes();
    }

    bool codes() {
        for (;;) {
            int symbol = decode(in_, literals_);
            if (symbol < 0) return false;
            if (symbol < 256) {
                if (!put(static_cast<std::uint8_t>(symbol))) return false;
                continue;
            }
            if (symbol == 256) return true;
            symbol -= 257;
            if (symbol >= 29) return false;
            unsigned extra, distance_extra;
            if (!in_.bits(kLengthExtra[symbol], extra)) return false;
            const unsigned length = kLengthBase[symbol] + extra;
            const int distance_symbol = decode(in_, distances_);
            if (distance_symbol < 0 || distance_symbol >= 30 ||
                !in_.bits(kDistanceExtra[distance_symbol], distance_extra))
                return false;
            const std::size_t distance = kDistanceBase[distance_symbol] + distance_extra;
            if (distance > out_.size()) return false;
            for (unsigned i = 0; i < length; ++i)
                if (!put(out_[out_.size() - distance])) return false;
        }
    }

    BitReader in_;
    std::size_t limit_;
    std::vector<std::uint8_t> out_;
    Code literals_, distances_;
};

std::uint32_t adler32(const std::vector<std::uint8_t>& bytes) {
    constexpr std::uint32_t kModulus = 65521;
    std::uint32_t a = 1, b = 0;
    for (std::uint8_t byte : bytes) {
        a = (a + byte) % kModulus;
        b = (b + a) % kModulus;
    }
    return b << 16 | a;
}

}  // namespace

std::optional<std::vector<std::uint8_t>> unpack_zlib(std::span<const std::uint8_t> packed, std::size_t limit) {
    // Header: deflate with a window of at most 32 KiB, no preset dictionary.
    if (packed.size() < 6) return std::nullopt;
    const unsigned method = packed[0], flags = packed[1];
    if ((method & 0x0F) != 8 || (method >> 4) > 7 || (method * 256 + flags) % 31 != 0 || (flags & 0x20) != 0)
        return std::nullopt;
    Inflater inflater(packed.subspan(2), limit);
    if (!inflater.run()) return std::nullopt;
    BitReader& in = inflater.input();
    in.to_byte_boundary();
    std::uint32_t sum = 0;
    for (int i = 0; i < 4; ++i) {
        unsigned byte;
        if (!in.bits(8, byte)) return std::nullopt;
        sum = sum << 8 | byte;
    }
    if (sum != adler32(inflater.output())) return std::nullopt;
    return std::move(inflater.output());
}

}  // namespace tamga
