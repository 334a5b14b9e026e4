#include "tally/lzrw1.h"

#include "tally/file_io.h"
#include "tally/lzrw1kh.h"

#include <new>
#include <vector>

namespace kalvex {

namespace {

constexpr std::uint8_t kSignature[4] = {'W', 'R', 'Z', 'L'};
constexpr std::uint64_t kMaxUnpackedSize = 0xFFFFFFFFu;

struct Names
{
    std::string_view input;
    std::string_view output;
};

[[noreturn]] void fail(std::string text)
{
    throw ELzrw1Exception(text);
}

std::string readError(Names names)
{
    return "Lzrw1 : Error reading from input file : " + std::string(names.input);
}

std::string writeError(Names names)
{
    return "Lzrw1 : Error writing to output file : " + std::string(names.output);
}

const char *const kSizeMismatch =
    "Lzrw1 (decompression LZRW1/KH) : Original and compressed sizes do not match !";

struct Buffers
{
    std::vector<std::uint8_t> plain;
    std::vector<std::uint8_t> coded;
};

Buffers allocateBuffers()
{
    try {
        return {std::vector<std::uint8_t>(kChunkSize + kCoderSlack),
                std::vector<std::uint8_t>(2 + kChunkSize + kCoderSlack)};
    } catch (const std::bad_alloc &) {
        fail("Lzrw1 (de)compression : Failed to get memory for I/O buffers !");
    }
}

// read(buffer, want, got) -> bool: false on a read error, fewer bytes at the end.
// write(data, size) -> bool: false unless everything was written.
template <class Read, class Write>
std::uint64_t packStream(std::uint64_t size, Read read, Write write, Names names,
                         const std::function<void()> &onChunk)
{
    Buffers buffers = allocateBuffers();
    TLZR coder;
    std::uint8_t header[8];
    std::copy(std::begin(kSignature), std::end(kSignature), header);
    for (int i = 0; i < 4; ++i)
        header[4 + i] = static_cast<std::uint8_t>(size >> (8 * i));
    if (!write(header, sizeof header))
        fail(writeError(names));
    std::uint64_t written = sizeof header;

    for (;;) {
        std::size_t got = 0;
        if (!read(buffers.plain.data(), kChunkSize, got))
            fail(readError(names) + " (LZRW1/KH)");
        const std::size_t coded = coder.compress(std::span(buffers.plain.data(), got),
                                                 std::span(buffers.coded).subspan(2));
        buffers.coded[0] = static_cast<std::uint8_t>(coded);
        buffers.coded[1] = static_cast<std::uint8_t>(coded >> 8);
        if (!write(buffers.coded.data(), coded + 2))
            fail(writeError(names));
        written += coded + 2;
        if (onChunk)
            onChunk();
        if (got < kChunkSize)
            return written;
    }
}

template <class Read, class Write>
std::uint64_t unpackStream(Read read, Write write, Names names,
                           const std::function<void()> &onChunk)
{
    Buffers buffers = allocateBuffers();
    auto readExactly = [&](std::uint8_t *into, std::size_t want) {
        std::size_t got = 0;
        if (!read(into, want, got) || got != want)
            fail(readError(names));
    };

    std::uint8_t header[8];
    readExactly(header, 4);
    if (!std::equal(header, header + 4, kSignature)) {
        // The LZHUF variant ("!HZL") is never written by this program and is
        // refused like any unknown signature.
        fail(std::string(names.input) + " : Lzrw1 decompression : this file has no valid header !");
    }
    readExactly(header + 4, 4);
    std::uint64_t expected = 0;
    for (int i = 0; i < 4; ++i)
        expected |= std::uint64_t{header[4 + i]} << (8 * i);

    std::uint64_t total = 0;
    for (;;) {
        std::uint8_t lengthBytes[2];
        readExactly(lengthBytes, 2);
        const std::size_t length = lengthBytes[0] | (std::size_t{lengthBytes[1]} << 8);
        if (length > kMaxCodedChunk)
            fail(kSizeMismatch);
        readExactly(buffers.coded.data(), length);
        std::size_t decoded = 0;
        try {
            decoded = decodeChunk(std::span(buffers.coded.data(), length),
                                  std::span(buffers.plain.data(), kChunkSize));
        } catch (const ChunkDecodeError &) {
            fail(kSizeMismatch);
        }
        total += decoded;
        // Stops a damaged file from writing more than it promised.
        if (total > expected)
            fail(kSizeMismatch);
        if (decoded > 0 && !write(buffers.plain.data(), decoded))
            fail(writeError(names));
        if (onChunk)
            onChunk();
        if (decoded < kChunkSize)
            break;
    }
    if (total != expected)
        fail(kSizeMismatch);
    return total;
}

} // namespace

std::uint64_t Tlzrw1::Compress()
{
    const Names names{InputFile, OutputFile};
    std::uint64_t size = 0;
    if (!fileSize(InputFile, size))
        fail("Lzrw1 compression : Failed to obtain the size of : " + InputFile);
    if (size > kMaxUnpackedSize)
        fail("Lzrw1 compression : the input file is 4 GiB or larger : " + InputFile);
    kalvex::InputFile in;
    if (!in.open(InputFile))
        fail("Lzrw1 (de)compression : Failed to open input file : " + InputFile);
    AtomicFile out(OutputFile);
    if (!out.open())
        fail("Lzrw1 (de)compression : Failed to open output file : " + OutputFile);
    const std::uint64_t written = packStream(
        size, [&](void *b, std::size_t want, std::size_t &got) { return in.read(b, want, got); },
        [&](const void *d, std::size_t n) { return out.write(d, n); }, names, onChunk);
    if (!out.commit())
        fail(writeError(names));
    return written;
}

std::uint64_t Tlzrw1::Decompress()
{
    const Names names{InputFile, OutputFile};
    kalvex::InputFile in;
    if (!in.open(InputFile))
        fail("Lzrw1 (de)compression : Failed to open input file : " + InputFile);
    AtomicFile out(OutputFile);
    if (!out.open())
        fail("Lzrw1 (de)compression : Failed to open output file : " + OutputFile);
    const std::uint64_t written = unpackStream(
        [&](void *b, std::size_t want, std::size_t &got) { return in.read(b, want, got); },
        [&](const void *d, std::size_t n) { return out.write(d, n); }, names, onChunk);
    if (!out.commit())
        fail(writeError(names));
    return written;
}

std::string packBytes(std::string_view plain)
{
    if (plain.size() > kMaxUnpackedSize)
        fail("Lzrw1 compression : the input file is 4 GiB or larger : <memory>");
    std::string packed;
    packed.reserve(plain.size() + plain.size() / 32768 * 3 + 16);
    std::size_t at = 0;
    packStream(
        plain.size(),
        [&](void *b, std::size_t want, std::size_t &got) {
            got = std::min(want, plain.size() - at);
            std::copy_n(plain.data() + at, got, static_cast<char *>(b));
            at += got;
            return true;
        },
        [&](const void *d, std::size_t n) {
            packed.append(static_cast<const char *>(d), n);
            return true;
        },
        Names{"<memory>", "<memory>"}, {});
    return packed;
}

std::string unpackBytes(std::string_view packed, std::string_view name)
{
    std::string plain;
    std::size_t at = 0;
    unpackStream(
        [&](void *b, std::size_t want, std::size_t &got) {
            got = std::min(want, packed.size() - at);
            std::copy_n(packed.data() + at, got, static_cast<char *>(b));
            at += got;
            return true;
        },
        [&](const void *d, std::size_t n) {
            plain.append(static_cast<const char *>(d), n);
            return true;
        },
        Names{name, "<memory>"}, {});
    return plain;
}

} // namespace kalvex
