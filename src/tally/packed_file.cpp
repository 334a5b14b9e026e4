#include "tally/packed_file.h"

#include "tally/file_io.h"
#include "tally/chunk_coder.h"

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

const char *const kNoBuffers = "Lzrw1 (de)compression : Failed to get memory for I/O buffers !";
const char *const kSizeMismatch =
    "Lzrw1 (decompression LZRW1/KH) : Original and compressed sizes do not match !";

// A source hands out its next bytes: read(want, data, got) points `data` at
// up to `want` bytes (fewer only at the end) and returns false on a read error.
// A sink takes packed bytes through write(data, size) -> bool, and unpacked
// chunks through target() (room for kChunkSize bytes) and commit(size) -> bool.

template <class Source, class Sink>
std::uint64_t packStream(std::uint64_t size, Source &source, Sink &sink, Names names,
                         const std::function<void()> &onChunk)
{
    std::vector<std::uint8_t> coded;
    try {
        coded.resize(2 + kChunkSize + kCoderSlack);
    } catch (const std::bad_alloc &) {
        fail(kNoBuffers);
    }
    ChunkCoder coder;
    std::uint8_t header[8];
    std::copy(std::begin(kSignature), std::end(kSignature), header);
    for (int i = 0; i < 4; ++i)
        header[4 + i] = static_cast<std::uint8_t>(size >> (8 * i));
    if (!sink.write(header, sizeof header))
        fail(writeError(names));
    std::uint64_t written = sizeof header;
    std::uint64_t taken = 0;

    for (;;) {
        const std::uint8_t *chunk = nullptr;
        std::size_t got = 0;
        if (!source.read(kChunkSize, chunk, got))
            fail(readError(names) + " (LZRW1/KH)");
        // A file whose size changes while it is read would give a container
        // with a wrong stored size, which no reader accepts.
        taken += got;
        if (taken > size)
            fail(readError(names) + " (LZRW1/KH)");
        const std::size_t length =
            coder.compress(std::span(chunk, got), std::span(coded).subspan(2));
        coded[0] = static_cast<std::uint8_t>(length);
        coded[1] = static_cast<std::uint8_t>(length >> 8);
        if (!sink.write(coded.data(), length + 2))
            fail(writeError(names));
        written += length + 2;
        if (onChunk)
            onChunk();
        if (got < kChunkSize) {
            if (taken != size)
                fail(readError(names) + " (LZRW1/KH)");
            return written;
        }
    }
}

template <class Source, class Sink>
std::uint64_t unpackStream(Source &source, Sink &sink, Names names,
                           const std::function<void()> &onChunk)
{
    auto readExactly = [&](std::size_t want) {
        const std::uint8_t *data = nullptr;
        std::size_t got = 0;
        if (!source.read(want, data, got) || got != want)
            fail(readError(names));
        return data;
    };

    const std::uint8_t *signature = readExactly(4);
    if (!std::equal(signature, signature + 4, kSignature)) {
        // The LZHUF variant ("!HZL") is never written by this program and is
        // refused like any unknown signature.
        fail(std::string(names.input) + " : Lzrw1 decompression : this file has no valid header !");
    }
    const std::uint8_t *sizeBytes = readExactly(4);
    std::uint64_t expected = 0;
    for (int i = 0; i < 4; ++i)
        expected |= std::uint64_t{sizeBytes[i]} << (8 * i);
    sink.expect(expected);

    std::uint64_t total = 0;
    for (;;) {
        const std::uint8_t *lengthBytes = readExactly(2);
        const std::size_t length = lengthBytes[0] | (std::size_t{lengthBytes[1]} << 8);
        if (length > kMaxCodedChunk)
            fail(kSizeMismatch);
        const std::uint8_t *coded = readExactly(length);
        std::size_t decoded = 0;
        try {
            decoded = decodeChunk(std::span(coded, length), std::span(sink.target(), kChunkSize));
        } catch (const ChunkDecodeError &) {
            fail(kSizeMismatch);
        }
        total += decoded;
        // Stops a damaged file from writing more than it promised.
        if (total > expected)
            fail(kSizeMismatch);
        if (!sink.commit(decoded))
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

// Reads a file into a buffer of its own.
class FileSource
{
public:
    explicit FileSource(kalvex::InputFile &file) : file(file)
    {
        try {
            buffer.resize(kMaxCodedChunk + 1);
        } catch (const std::bad_alloc &) {
            fail(kNoBuffers);
        }
    }
    bool read(std::size_t want, const std::uint8_t *&data, std::size_t &got)
    {
        data = buffer.data();
        return file.read(buffer.data(), want, got);
    }

private:
    kalvex::InputFile &file;
    std::vector<std::uint8_t> buffer;
};

class FileSink
{
public:
    explicit FileSink(AtomicFile &file) : file(file)
    {
        try {
            buffer.resize(kChunkSize);
        } catch (const std::bad_alloc &) {
            fail(kNoBuffers);
        }
    }
    void expect(std::uint64_t) {}
    bool write(const void *data, std::size_t size) { return file.write(data, size); }
    std::uint8_t *target() { return buffer.data(); }
    bool commit(std::size_t size) { return size == 0 || file.write(buffer.data(), size); }

private:
    AtomicFile &file;
    std::vector<std::uint8_t> buffer;
};

class MemorySource
{
public:
    explicit MemorySource(std::string_view bytes) : left(bytes) {}
    bool read(std::size_t want, const std::uint8_t *&data, std::size_t &got)
    {
        got = std::min(want, left.size());
        data = reinterpret_cast<const std::uint8_t *>(left.data());
        left.remove_prefix(got);
        return true;
    }

private:
    std::string_view left;
};

// Decodes straight into the result, which grows as needed.
class MemorySink
{
public:
    explicit MemorySink(std::size_t packedSize) : packedSize(packedSize) {}
    void expect(std::uint64_t size)
    {
        // Believed only as far as the packed size makes it plausible.
        bytes.reserve(std::min<std::uint64_t>(size, packedSize * std::uint64_t{16}) + kChunkSize);
    }
    bool write(const void *data, std::size_t size)
    {
        bytes.append(static_cast<const char *>(data), size);
        return true;
    }
    std::uint8_t *target()
    {
        bytes.resize(used + kChunkSize);
        return reinterpret_cast<std::uint8_t *>(bytes.data() + used);
    }
    bool commit(std::size_t size)
    {
        used += size;
        bytes.resize(used);
        return true;
    }
    std::string take() { return std::move(bytes); }

private:
    std::size_t packedSize;
    std::size_t used = 0;
    std::string bytes;
};

// Opens both files, runs the job from one to the other and puts the output
// in place only when the whole job succeeded.
template <typename Job> std::uint64_t runFileJob(const Names &names, Job job)
{
    kalvex::InputFile in;
    const std::string input(names.input);
    const std::string output(names.output);
    if (!in.open(input))
        fail("Lzrw1 (de)compression : Failed to open input file : " + input);
    AtomicFile out(output);
    if (!out.open())
        fail("Lzrw1 (de)compression : Failed to open output file : " + output);
    FileSource source(in);
    FileSink sink(out);
    const std::uint64_t written = job(source, sink);
    if (!out.commit())
        fail(writeError(names));
    return written;
}

} // namespace

std::uint64_t PackedFile::compress()
{
    const Names names{inputPath, outputPath};
    std::uint64_t size = 0;
    if (!fileSize(inputPath, size))
        fail("Lzrw1 compression : Failed to obtain the size of : " + inputPath);
    if (size > kMaxUnpackedSize)
        fail("Lzrw1 compression : the input file is 4 GiB or larger : " + inputPath);
    return runFileJob(names, [&](FileSource &source, FileSink &sink) {
        return packStream(size, source, sink, names, onChunk);
    });
}

std::uint64_t PackedFile::decompress()
{
    const Names names{inputPath, outputPath};
    return runFileJob(names, [&](FileSource &source, FileSink &sink) {
        return unpackStream(source, sink, names, onChunk);
    });
}

std::string packBytes(std::string_view plain)
{
    if (plain.size() > kMaxUnpackedSize)
        fail("Lzrw1 compression : the input file is 4 GiB or larger : <memory>");
    MemorySource source(plain);
    MemorySink sink(plain.size());
    sink.expect(plain.size());
    packStream(plain.size(), source, sink, Names{"<memory>", "<memory>"}, {});
    return sink.take();
}

std::string unpackBytes(std::string_view packed, std::string_view name)
{
    MemorySource source(packed);
    MemorySink sink(packed.size());
    unpackStream(source, sink, Names{name, "<memory>"}, {});
    return sink.take();
}

} // namespace kalvex
