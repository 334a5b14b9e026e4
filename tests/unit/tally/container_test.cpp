#include "tally/packed_file.h"
#include "tally/chunk_coder.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <random>
#include <unistd.h>

namespace kalvex {
namespace {

using test::TempDir;

std::string hex(std::initializer_list<int> list)
{
    std::string s;
    for (int b : list)
        s.push_back(static_cast<char>(b));
    return s;
}

std::string textOf(std::size_t size, unsigned seed)
{
    static const char *const words[] = {"the ", "tally ", "of ",    "Ann ",  "and ",   "Bob ",
                                        "won ", "12 ",    "rounds", ".\r\n", "codes ", "cracked "};
    std::mt19937 rng(seed);
    std::string s;
    while (s.size() < size) {
        s += words[rng() % std::size(words)];
        if (rng() % 16 == 0)
            s.push_back(static_cast<char>(rng()));
    }
    s.resize(size);
    return s;
}

std::string messageOf(const std::function<void()> &call)
{
    try {
        call();
    } catch (const ELzrw1Exception &e) {
        return e.what();
    }
    return "no error";
}

TEST(Container, WorkedExamplesPackExactly)
{
    EXPECT_EQ(packBytes(""), hex({0x57, 0x52, 0x5A, 0x4C, 0, 0, 0, 0, 0x01, 0x00, 0x80}));
    EXPECT_EQ(packBytes("abc"),
              hex({0x57, 0x52, 0x5A, 0x4C, 3, 0, 0, 0, 0x04, 0x00, 0x80, 0x61, 0x62, 0x63}));
    EXPECT_EQ(packBytes(std::string(20, 'a')), hex({0x57, 0x52, 0x5A, 0x4C, 0x14, 0, 0, 0, 0x07,
                                                    0x00, 0x40, 0x80, 0, 0, 0, 4, 0x61}));
    EXPECT_EQ(packBytes("abcdabcdabcdabcdabcd"),
              hex({0x57, 0x52, 0x5A, 0x4C, 0x14, 0, 0, 0, 0x09, 0x00, 0x40, 0x08, 0x00, 0x61, 0x62,
                   0x63, 0x64, 0x00, 0x4D}));
    const std::string table = "9\r\n2\r\n0\r\nAnn\r\n3\r\n2\r\n1\r\n1\r\n2\r\n1\r\n5\r\n0\r\n0\r\n"
                              "2\r\n0\r\n1\r\n0\r\n1\r\n0\r\n0\r\n";
    ASSERT_EQ(table.size(), 62u);
    EXPECT_EQ(
        packBytes(table),
        hex({0x57, 0x52, 0x5A, 0x4C, 0x3E, 0x00, 0x00, 0x00, 0x2E, 0x00, 0x40, 0x00, 0x01, 0x39,
             0x0D, 0x0A, 0x32, 0x0D, 0x0A, 0x30, 0x0D, 0x0A, 0x41, 0x6E, 0x6E, 0x0D, 0x0A, 0x33,
             0x00, 0xE2, 0x1D, 0xFC, 0x31, 0x0D, 0x0A, 0x00, 0x30, 0x01, 0x70, 0x00, 0x60, 0x35,
             0x01, 0xD2, 0x02, 0x00, 0x00, 0xF0, 0x00, 0x60, 0x01, 0x20, 0x00, 0x66, 0x00, 0x90}));
    EXPECT_EQ(unpackBytes(packBytes(table)), table);
}

TEST(Container, FullChunkIsFollowedByAnEmptyRecord)
{
    const std::string plain = textOf(32768, 4);
    const std::string packed = packBytes(plain);
    EXPECT_EQ(packed.substr(packed.size() - 3), hex({0x01, 0x00, 0x80}));
    // Cutting that final record off leaves the reader short of input.
    EXPECT_EQ(messageOf([&] { unpackBytes(packed.substr(0, packed.size() - 3), "x.tld"); }),
              "Lzrw1 : Error reading from input file : x.tld");
}

TEST(Container, RoundTripsFilesOfEveryBoundarySize)
{
    TempDir dir;
    for (std::size_t size : {0u, 1u, 32767u, 32768u, 32769u, 65536u, 3u * 1024 * 1024 + 17}) {
        const std::string plain = textOf(size, static_cast<unsigned>(size));
        TempDir::write(dir.path("plain"), plain);
        PackedFile doit;
        int chunks = 0;
        doit.onChunk = [&] { ++chunks; };
        doit.inputPath = dir.path("plain");
        doit.outputPath = dir.path("packed");
        const std::uint64_t packedSize = doit.compress();
        EXPECT_EQ(packedSize, TempDir::read(dir.path("packed")).size());
        EXPECT_EQ(chunks, static_cast<int>(size / 32768 + 1));
        EXPECT_EQ(TempDir::read(dir.path("packed")), packBytes(plain));

        doit.inputPath = dir.path("packed");
        doit.outputPath = dir.path("unpacked");
        EXPECT_EQ(doit.decompress(), size);
        EXPECT_EQ(TempDir::read(dir.path("unpacked")), plain) << size;
    }
    EXPECT_EQ(dir.entries().size(), 3u);
}

TEST(Container, RandomDataStaysWithinOneByteAChunk)
{
    std::mt19937 rng(9);
    std::string noise(100000, '\0');
    for (auto &c : noise)
        c = static_cast<char>(rng());
    const std::string packed = packBytes(noise);
    EXPECT_EQ(packed.size(), 8 + noise.size() + 4 * 3);
    EXPECT_EQ(unpackBytes(packed), noise);
}

TEST(ContainerFailures, ExactMessagesAndNoOutputLeft)
{
    TempDir dir;
    const std::string in = dir.path("in.tld");
    const std::string out = dir.path("out.txt");
    const std::string good = packBytes(textOf(40000, 1));
    auto unpack = [&](const std::string &bytes) {
        TempDir::write(in, bytes);
        return messageOf([&] {
            PackedFile doit;
            doit.inputPath = in;
            doit.outputPath = out;
            doit.decompress();
        });
    };

    EXPECT_EQ(unpack("!HZL" + good.substr(4)),
              in + " : Lzrw1 decompression : this file has no valid header !");
    EXPECT_EQ(unpack("PK\x03\x04" + good.substr(4)),
              in + " : Lzrw1 decompression : this file has no valid header !");
    EXPECT_EQ(unpack("WRZ"), "Lzrw1 : Error reading from input file : " + in);
    EXPECT_EQ(unpack(good.substr(0, 6)), "Lzrw1 : Error reading from input file : " + in);
    EXPECT_EQ(unpack(good.substr(0, 2000)), "Lzrw1 : Error reading from input file : " + in);
    const std::string mismatch =
        "Lzrw1 (decompression LZRW1/KH) : Original and compressed sizes do not match !";
    std::string larger = good;
    larger[4] = static_cast<char>(larger[4] + 1);
    EXPECT_EQ(unpack(larger), mismatch);
    std::string smaller = good;
    smaller[5] = 0;
    EXPECT_EQ(unpack(smaller), mismatch);
    // A chunk length above 32769.
    EXPECT_EQ(unpack(hex({0x57, 0x52, 0x5A, 0x4C, 0, 0, 1, 0, 0x02, 0x80})), mismatch);
    // A copy that reaches before the start of the chunk.
    EXPECT_EQ(unpack(hex({0x57, 0x52, 0x5A, 0x4C, 3, 0, 0, 0, 0x05, 0x00, 0x40, 0x80, 0, 0, 0x30})),
              mismatch);
    EXPECT_FALSE(std::filesystem::exists(out));
    EXPECT_EQ(dir.entries().size(), 1u);
    // Bytes after the last record are ignored.
    EXPECT_EQ(unpack(good + "trailing"), "no error");
}

TEST(ContainerFailures, FilesThatCannotBeOpened)
{
    TempDir dir;
    PackedFile doit;
    doit.inputPath = dir.path("missing");
    doit.outputPath = dir.path("out");
    EXPECT_EQ(messageOf([&] { doit.compress(); }),
              "Lzrw1 compression : Failed to obtain the size of : " + doit.inputPath);
    EXPECT_EQ(messageOf([&] { doit.decompress(); }),
              "Lzrw1 (de)compression : Failed to open input file : " + doit.inputPath);

    TempDir::write(dir.path("in"), "abc");
    doit.inputPath = dir.path("in");
    doit.outputPath = dir.path("no-such-dir/out");
    EXPECT_EQ(messageOf([&] { doit.compress(); }),
              "Lzrw1 (de)compression : Failed to open output file : " + doit.outputPath);

    if (::geteuid() != 0) {
        TempDir::write(dir.path("locked"), "abc");
        std::filesystem::permissions(dir.path("locked"), std::filesystem::perms::none);
        doit.inputPath = dir.path("locked");
        doit.outputPath = dir.path("out");
        EXPECT_EQ(messageOf([&] { doit.compress(); }),
                  "Lzrw1 (de)compression : Failed to open input file : " + doit.inputPath);
    }
    // A file longer than its size said (as files of /proc are) is not packed
    // into a container that could never be unpacked.
    doit.inputPath = "/proc/self/status";
    doit.outputPath = dir.path("out");
    EXPECT_EQ(messageOf([&] { doit.compress(); }),
              "Lzrw1 : Error reading from input file : /proc/self/status (LZRW1/KH)");
    // A directory opens but cannot be read.
    doit.inputPath = dir.path().string();
    doit.outputPath = dir.path("out");
    EXPECT_EQ(messageOf([&] { doit.compress(); }),
              "Lzrw1 : Error reading from input file : " + doit.inputPath + " (LZRW1/KH)");
    EXPECT_FALSE(std::filesystem::exists(dir.path("out")));
}

TEST(ContainerFailures, AFailedJobLeavesThePreviousOutputWhole)
{
    TempDir dir;
    TempDir::write(dir.path("tally.tld"), "the previous tally");
    TempDir::write(dir.path("broken"), "WRZL\x05");
    PackedFile doit;
    doit.inputPath = dir.path("broken");
    doit.outputPath = dir.path("tally.tld");
    EXPECT_THROW(doit.decompress(), ELzrw1Exception);
    EXPECT_EQ(TempDir::read(dir.path("tally.tld")), "the previous tally");
    EXPECT_EQ(dir.entries().size(), 2u);
}

TEST(ContainerFailures, AFullDiskIsAWriteErrorAndTheDeviceStays)
{
    if (!std::filesystem::is_character_file("/dev/full"))
        GTEST_SKIP() << "no /dev/full";
    TempDir dir;
    TempDir::write(dir.path("in"), "abc");
    PackedFile doit;
    doit.inputPath = dir.path("in");
    doit.outputPath = "/dev/full";
    EXPECT_EQ(messageOf([&] { doit.compress(); }),
              "Lzrw1 : Error writing to output file : /dev/full");
    EXPECT_TRUE(std::filesystem::is_character_file("/dev/full"));
}

TEST(ContainerFailures, ALinkedOutputReplacesTheFileItNames)
{
    TempDir dir;
    TempDir::write(dir.path("in"), "abc");
    TempDir::write(dir.path("real.tld"), "old");
    std::filesystem::create_symlink(dir.path("real.tld"), dir.path("link.tld"));
    PackedFile doit;
    doit.inputPath = dir.path("in");
    doit.outputPath = dir.path("link.tld");
    doit.compress();
    EXPECT_TRUE(std::filesystem::is_symlink(dir.path("link.tld")));
    EXPECT_EQ(TempDir::read(dir.path("real.tld")), packBytes("abc"));
}

} // namespace
} // namespace kalvex
