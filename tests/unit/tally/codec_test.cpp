#include "tally/packed_file.h"
#include "tally/chunk_coder.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace kalvex {
namespace {

std::vector<std::uint8_t> bytes(std::initializer_list<int> list)
{
    std::vector<std::uint8_t> v;
    for (int b : list)
        v.push_back(static_cast<std::uint8_t>(b));
    return v;
}

std::vector<std::uint8_t> codeChunk(std::string_view plain)
{
    ChunkCoder coder;
    std::vector<std::uint8_t> out(plain.size() + kCoderSlack);
    const auto *p = reinterpret_cast<const std::uint8_t *>(plain.data());
    out.resize(coder.compress(std::span(p, plain.size()), out));
    return out;
}

std::string decode(const std::vector<std::uint8_t> &coded, std::size_t cap = kChunkSize)
{
    std::vector<std::uint8_t> out(cap);
    out.resize(decodeChunk(coded, out));
    return {out.begin(), out.end()};
}

std::string mixedText(std::size_t size, unsigned seed)
{
    // Words from a small vocabulary with some random bytes between them:
    // compressible, but not trivially.
    static const char *const words[] = {"tally ",  "Ann ", "code ", "round ", "12",   "\r\n",
                                        "player ", "won ", "the ",  "game ",  "0\r\n"};
    std::mt19937 rng(seed);
    std::string s;
    while (s.size() < size) {
        if (rng() % 8 == 0)
            s.push_back(static_cast<char>(rng()));
        else
            s += words[rng() % std::size(words)];
    }
    s.resize(size);
    return s;
}

std::string randomBytes(std::size_t size, unsigned seed)
{
    std::mt19937 rng(seed);
    std::string s(size, '\0');
    for (auto &c : s)
        c = static_cast<char>(rng());
    return s;
}

TEST(ChunkCoder, WorkedExamplesCodeExactly)
{
    EXPECT_EQ(codeChunk(std::string(16, 'a')), bytes({0x40, 0x80, 0, 0, 0, 0, 0x61}));
    EXPECT_EQ(codeChunk(std::string(15, 'a')), bytes({0x40, 0x40, 0, 0x61, 0x00, 0x1B}));
    EXPECT_EQ(codeChunk(std::string(5000, 'a')),
              bytes({0x40, 0xC0, 0, 0, 0x0F, 0xEF, 0x61, 0, 0x03, 0x79, 0x61}));
    EXPECT_EQ(codeChunk("abcdabcdabcdabcdabcd"),
              bytes({0x40, 0x08, 0x00, 0x61, 0x62, 0x63, 0x64, 0x00, 0x4D}));
}

TEST(ChunkCoder, ChunkThatWouldGrowIsStored)
{
    EXPECT_EQ(codeChunk(""), bytes({0x80}));
    EXPECT_EQ(codeChunk("abc"), bytes({0x80, 'a', 'b', 'c'}));
    const std::string noise = randomBytes(kChunkSize, 7);
    const auto coded = codeChunk(noise);
    ASSERT_EQ(coded.size(), kChunkSize + 1);
    EXPECT_EQ(coded[0], kFlagStored);
    EXPECT_EQ(decode(coded), noise);
}

TEST(ChunkCoder, MoreThanSixteenItemsGetASecondControlWord)
{
    // 17 distinct literals: the 17th sits behind a second control word.
    const std::string plain = "ABCDEFGHIJKLMNOPQ" + std::string(40, 'z');
    const auto coded = codeChunk(plain);
    ASSERT_EQ(coded[0], kFlagCompressed);
    EXPECT_EQ(coded[1], 0x00);
    EXPECT_EQ(coded[2], 0x00);
    EXPECT_EQ(coded[19], 0x40); // a literal then the run of z
    EXPECT_EQ(coded[20], 0x00);
    EXPECT_EQ(decode(coded), plain);
}

TEST(ChunkCoder, CopiesNeverReachFartherThan4095Bytes)
{
    // The same 20 bytes 4095 and 4096 bytes apart, a run between them: only
    // the nearer repeat becomes copies; the farther one stays literals.
    const std::string marker = "0123456789ABCDEFGHIJ";
    const std::string near = marker + std::string(4095 - 20, '.') + marker;
    const std::string far = marker + std::string(4096 - 20, '.') + marker;
    const auto codedNear = codeChunk(near);
    const auto codedFar = codeChunk(far);
    EXPECT_EQ(decode(codedNear), near);
    EXPECT_EQ(decode(codedFar), far);
    // One copy and two literals against twenty literals and a third control word.
    EXPECT_EQ(codedFar.size() - codedNear.size(), 20u + 2u - 4u);
}

TEST(ChunkCoder, RoundTripsAwkwardChunks)
{
    for (std::size_t size : {1u, 2u, 3u, 17u, 4096u, 32767u, 32768u}) {
        for (unsigned seed : {1u, 2u}) {
            const std::string plain = mixedText(size, seed);
            EXPECT_EQ(decode(codeChunk(plain)), plain) << size;
        }
    }
    std::string runs;
    for (int i = 0; runs.size() < kChunkSize; ++i)
        runs += std::string(static_cast<std::size_t>(i % 40 + 1), static_cast<char>('a' + i % 3));
    runs.resize(kChunkSize);
    EXPECT_EQ(decode(codeChunk(runs)), runs);
}

TEST(ChunkDecoder, RefusesDamagedChunks)
{
    // A copy reaching before the start of the output.
    EXPECT_THROW(decode(bytes({0x40, 0x80, 0x00, 0x00, 0x10})), ChunkDecodeError);
    // A copy item cut after its first byte.
    EXPECT_THROW(decode(bytes({0x40, 0x40, 0x00, 0x61, 0x00})), ChunkDecodeError);
    // A run item cut short.
    EXPECT_THROW(decode(bytes({0x40, 0x80, 0x00, 0x00, 0x00, 0x00})), ChunkDecodeError);
    // A second control word with no item behind it.
    std::vector<std::uint8_t> sixteen = bytes({0x40, 0x00, 0x00});
    sixteen.insert(sixteen.end(), 16, 'x');
    sixteen.insert(sixteen.end(), {0x00, 0x00});
    EXPECT_THROW(decode(sixteen), ChunkDecodeError);
    // Runs adding up past the output's room.
    EXPECT_THROW(decode(bytes({0x40, 0x80, 0x00, 0x00, 0x00, 0x10, 0x61}), 20), ChunkDecodeError);
    EXPECT_THROW(decode(bytes({0x80, 1, 2, 3}), 2), ChunkDecodeError);
}

TEST(ChunkDecoder, ShortAndOddChunks)
{
    EXPECT_EQ(decode({}), "");
    EXPECT_EQ(decode(bytes({0x80})), "");
    EXPECT_EQ(decode(bytes({0x40})), "");
    // Any flag but 80 is taken as compressed.
    EXPECT_EQ(decode(bytes({0x00, 0x00, 0x00, 'h', 'i'})), "hi");
    // A copy whose distance is shorter than its length repeats the last bytes.
    EXPECT_EQ(decode(bytes({0x40, 0x20, 0x00, 'a', 'b', 0x00, 0x23})), "abababab");
}

} // namespace
} // namespace kalvex
