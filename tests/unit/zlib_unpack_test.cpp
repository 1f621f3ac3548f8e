// The picture unpacker against zlib itself: whatever zlib packs, at any
// level and strategy, comes back byte for byte; damaged or oversized streams
// are refused.
#include "zlib_unpack.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <random>
#include <string>

namespace tamga {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes pack(const Bytes& data, int level, int strategy) {
    z_stream stream{};
    EXPECT_EQ(deflateInit2(&stream, level, Z_DEFLATED, 15, 9, strategy), Z_OK);
    // zlib's bound leaves no room for the empty stored stream's end; a little more does.
    Bytes packed(deflateBound(&stream, static_cast<uLong>(data.size())) + 16);
    stream.next_in = const_cast<Bytef*>(data.data());
    stream.avail_in = static_cast<uInt>(data.size());
    stream.next_out = packed.data();
    stream.avail_out = static_cast<uInt>(packed.size());
    EXPECT_EQ(deflate(&stream, Z_FINISH), Z_STREAM_END);
    packed.resize(stream.total_out);
    deflateEnd(&stream);
    return packed;
}

std::map<std::string, Bytes> samples() {
    std::mt19937 random(7);
    Bytes noise(70000), text, runs;
    for (auto& b : noise) b = static_cast<std::uint8_t>(random());
    const std::string words = "Bu programma Uyghur Latin we Slawen yeziqliri ";
    for (int i = 0; i < 2000; ++i) text.push_back(static_cast<std::uint8_t>(words[(i * 7 + i / 13) % words.size()]));
    for (int i = 0; i < 40000; ++i) runs.push_back(i % 5000 < 4000 ? 0xFF : static_cast<std::uint8_t>(i));
    return {{"empty", {}}, {"one byte", {42}}, {"noise", noise}, {"text", text}, {"runs", runs}};
}

TEST(ZlibUnpack, GivesBackWhatZlibPacked) {
    for (const auto& [name, data] : samples())
        for (int level : {0, 1, 6, 9})
            for (int strategy : {Z_DEFAULT_STRATEGY, Z_FIXED, Z_RLE, Z_HUFFMAN_ONLY}) {
                const auto unpacked = unpack_zlib(pack(data, level, strategy), data.size());
                ASSERT_TRUE(unpacked) << name << " level " << level << " strategy " << strategy;
                EXPECT_EQ(*unpacked, data) << name << " level " << level << " strategy " << strategy;
            }
}

TEST(ZlibUnpack, RefusesDamagedAndOversizedStreams) {
    const Bytes data = samples()["text"];
    const Bytes packed = pack(data, 9, Z_DEFAULT_STRATEGY);
    for (std::size_t cut = 0; cut < packed.size(); ++cut)
        EXPECT_FALSE(unpack_zlib({packed.data(), cut}, data.size())) << "cut at " << cut;
    for (std::size_t at = 0; at < packed.size(); ++at) {
        Bytes damaged = packed;
        damaged[at] ^= 0x10;
        EXPECT_FALSE(unpack_zlib(damaged, data.size())) << "byte " << at << " flipped";
    }
    EXPECT_FALSE(unpack_zlib(packed, data.size() - 1));
    Bytes with_dictionary = packed;
    // The dictionary flag set, the check bits mended so only the flag is wrong.
    with_dictionary[1] = static_cast<std::uint8_t>((with_dictionary[1] | 0x20) & 0xE0);
    const int remainder = (with_dictionary[0] * 256 + with_dictionary[1]) % 31;
    with_dictionary[1] = static_cast<std::uint8_t>(with_dictionary[1] + (31 - remainder) % 31);
    EXPECT_FALSE(unpack_zlib(with_dictionary, data.size()));
}

TEST(ZlibUnpack, UnpacksEveryCommittedPictureAsZlibDoes) {
    int pictures = 0;
    for (const auto& entry : std::filesystem::directory_iterator(TAMGALIK_RES_DIR)) {
        if (!entry.path().string().ends_with(".bmp.z")) continue;
        std::ifstream in(entry.path(), std::ios::binary);
        const Bytes packed{std::istreambuf_iterator<char>(in), {}};
        Bytes expected(4 << 20);
        uLongf size = static_cast<uLongf>(expected.size());
        ASSERT_EQ(uncompress(expected.data(), &size, packed.data(), static_cast<uLong>(packed.size())), Z_OK);
        expected.resize(size);
        EXPECT_EQ(unpack_zlib(packed, 4 << 20), expected) << entry.path();
        ++pictures;
    }
    EXPECT_EQ(pictures, 15);
}

}  // namespace
}  // namespace tamga
