// Feeds arbitrary bytes to the container reader and the chunk decoder, and
// checks that whatever is packed unpacks to the same bytes.
#include "tally/packed_file.h"
#include "tally/chunk_coder.h"

#include <cstdlib>
#include <string>
#include <vector>

using namespace kalvex;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::string_view bytes(reinterpret_cast<const char *>(data) + 1, size - 1);
    switch (data[0] % 3) {
    case 0:
        try {
            const std::string plain = unpackBytes(bytes);
            // What unpacks must pack and unpack to the same bytes again.
            if (unpackBytes(packBytes(plain)) != plain)
                std::abort();
        } catch (const ELzrw1Exception &) {
        }
        break;
    case 1: {
        // Exactly sized buffers, so that any stray access is caught.
        std::vector<std::uint8_t> coded(bytes.begin(), bytes.end());
        std::vector<std::uint8_t> out(data[size - 1] % 2 ? kChunkSize : size % 64);
        try {
            if (decodeChunk(coded, out) > out.size())
                std::abort();
        } catch (const ChunkDecodeError &) {
        }
        break;
    }
    default: {
        if (unpackBytes(packBytes(bytes)) != bytes)
            std::abort();
        ChunkCoder coder;
        const std::size_t n = std::min(bytes.size(), kChunkSize);
        std::vector<std::uint8_t> in(bytes.begin(), bytes.begin() + static_cast<long>(n));
        std::vector<std::uint8_t> coded(n + kCoderSlack);
        coded.resize(coder.compress(in, coded));
        std::vector<std::uint8_t> back(n);
        back.resize(decodeChunk(coded, back));
        if (coded.size() > n + 1 || back != in)
            std::abort();
        break;
    }
    }
    return 0;
}
