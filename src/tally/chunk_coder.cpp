#include "tally/chunk_coder.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <new>

namespace kalvex {

namespace {

constexpr std::size_t kMaxRun = 4095;
constexpr std::size_t kMinRun = 16;
constexpr std::size_t kMaxMatch = 18;
constexpr std::size_t kMinMatch = 3;
constexpr std::size_t kMaxDistance = 4095;
// Output room beyond which the decoder writes whole 16-byte blocks.
constexpr std::size_t kWildRoom = 32;

void putWord(std::uint8_t *p, unsigned word)
{
    p[0] = static_cast<std::uint8_t>(word >> 8);
    p[1] = static_cast<std::uint8_t>(word);
}

} // namespace

ChunkCoder::ChunkCoder()
{
    try {
        table = std::make_unique<std::array<std::int16_t, 4096>>();
    } catch (const std::bad_alloc &) {
        throw ELzrw1KHCompressor("LZRW1KH : no memory for HASH table");
    }
}

// Looks for an earlier occurrence of the bytes at x and records x in the
// table. Bytes past the end of the chunk enter the hash as 0: no match of
// three bytes fits there, so their value never matters.
std::size_t ChunkCoder::findMatch(std::span<const std::uint8_t> in, std::size_t x, std::size_t &match)
{
    const std::size_t n = in.size();
    const std::uint8_t *p = in.data();
    unsigned key;
    if (x + 2 < n) {
        key = (unsigned{p[x]} << 8) ^ (unsigned{p[x + 1]} << 4) ^ p[x + 2];
    } else {
        auto at = [&](std::size_t i) -> unsigned { return i < n ? p[i] : 0u; };
        key = (at(x) << 8) ^ (at(x + 1) << 4) ^ at(x + 2);
    }
    const unsigned h = ((key * 40543u) >> 4) & 0xFFFu;
    const int earlier = (*table)[h];
    (*table)[h] = static_cast<std::int16_t>(x);
    if (earlier < 0 || x - static_cast<std::size_t>(earlier) > kMaxDistance || x + 2 >= n)
        return 0;
    const std::uint8_t *a = p + x;
    const std::uint8_t *b = p + earlier;
    if (a[0] != b[0] || a[1] != b[1] || a[2] != b[2])
        return 0;
    const std::size_t limit = std::min(kMaxMatch, n - x);
    std::size_t m = 3;
    if (limit == kMaxMatch) {
        // Eight bytes at a time; both ranges lie inside the chunk.
        for (; m + 8 <= kMaxMatch; m += 8) {
            std::uint64_t wa, wb;
            std::memcpy(&wa, a + m, 8);
            std::memcpy(&wb, b + m, 8);
            if (const std::uint64_t diff = wa ^ wb) {
                match = static_cast<std::size_t>(earlier);
                return m + static_cast<std::size_t>(std::countr_zero(diff) / 8);
            }
        }
    }
    while (m < limit && a[m] == b[m])
        ++m;
    match = static_cast<std::size_t>(earlier);
    return m;
}

std::size_t ChunkCoder::compress(std::span<const std::uint8_t> in, std::span<std::uint8_t> out)
{
    const std::size_t n = std::min(in.size(), kChunkSize);
    in = in.first(n);
    if (out.size() < n + kCoderSlack)
        throw std::length_error("ChunkCoder::compress: output buffer too small");

    table->fill(-1);
    std::uint8_t *o = out.data();
    o[0] = kFlagCompressed;
    std::size_t x = 0, y = 3, z = 1;
    unsigned items = 0, control = 0;

    while (x < n && y <= n) {
        if (items == 16) {
            putWord(o + z, control);
            z = y;
            y += 2;
            items = 0;
        }
        std::size_t run = 1;
        if (x + 1 < n && in[x + 1] == in[x]) {
            const std::size_t limit = std::min(kMaxRun, n - x);
            while (run < limit && in[x + run] == in[x])
                ++run;
        }
        std::size_t pos = 0;
        std::size_t len = 0;
        if (run >= kMinRun) {
            o[y] = 0;
            putWord(o + y + 1, static_cast<unsigned>(run - kMinRun));
            o[y + 3] = in[x];
            y += 4;
            x += run;
            control = (control << 1) | 1u;
        } else if ((len = findMatch(in, x, pos)) != 0) {
            putWord(o + y, static_cast<unsigned>((x - pos) * 16 + (len - kMinMatch)));
            y += 2;
            x += len;
            control = (control << 1) | 1u;
        } else {
            o[y++] = in[x++];
            control <<= 1;
        }
        control &= 0xFFFFu;
        ++items;
    }
    putWord(o + z, (control << (16 - items)) & 0xFFFFu);

    if (y > n) {
        o[0] = kFlagStored;
        if (n != 0)
            std::memcpy(o + 1, in.data(), n);
        return n + 1;
    }
    return y;
}

std::size_t decodeChunk(std::span<const std::uint8_t> in, std::span<std::uint8_t> out)
{
    const std::size_t len = in.size();
    if (len < 2)
        return 0;
    if (in[0] == kFlagStored) {
        if (len - 1 > out.size())
            throw ChunkDecodeError("stored chunk longer than a chunk");
        std::memcpy(out.data(), in.data() + 1, len - 1);
        return len - 1;
    }
    if (len < 3)
        throw ChunkDecodeError("compressed chunk without its control word");

    const std::uint8_t *p = in.data();
    std::uint8_t *o = out.data();
    const std::size_t cap = out.size();
    unsigned control = (unsigned{p[1]} << 8) | p[2];
    int bitsLeft = 16;
    std::size_t i = 3;
    std::size_t size = 0;

    while (i < len) {
        if (bitsLeft == 0) {
            if (i + 2 >= len)
                throw ChunkDecodeError("control word without an item");
            control = (unsigned{p[i]} << 8) | p[i + 1];
            i += 2;
            bitsLeft = 16;
        }
        if ((control & 0x8000u) == 0) {
            // Every literal up to the next copy or run at once.
            const int literals =
                std::min(bitsLeft, std::countl_zero(static_cast<std::uint16_t>(control)));
            const std::size_t count =
                std::min<std::size_t>(static_cast<std::size_t>(literals), len - i);
            if (count > cap - size)
                throw ChunkDecodeError("chunk output too long");
            if (count <= 16 && i + 16 <= len && size + kWildRoom <= cap)
                std::memcpy(o + size, p + i, 16);
            else
                std::memcpy(o + size, p + i, count);
            size += count;
            i += count;
            control <<= count;
            bitsLeft -= static_cast<int>(count);
            continue;
        }
        if (i + 1 >= len)
            throw ChunkDecodeError("copy item past the end of the chunk");
        const std::size_t distance = (std::size_t{p[i]} << 4) | (p[i + 1] >> 4);
        if (distance == 0) {
            if (i + 3 >= len)
                throw ChunkDecodeError("run item past the end of the chunk");
            const std::size_t count = ((std::size_t{p[i + 1]} << 8) | p[i + 2]) + kMinRun;
            if (count > cap - size)
                throw ChunkDecodeError("chunk output too long");
            std::memset(o + size, p[i + 3], count);
            size += count;
            i += 4;
        } else {
            const std::size_t count = (p[i + 1] & 0x0Fu) + kMinMatch;
            if (distance > size)
                throw ChunkDecodeError("copy before the start of the chunk");
            if (count > cap - size)
                throw ChunkDecodeError("chunk output too long");
            const std::uint8_t *from = o + size - distance;
            if (distance >= 16 && size + kWildRoom <= cap) {
                // Whole blocks of 16; bytes past the copy are overwritten later.
                std::memcpy(o + size, from, 16);
                if (count > 16)
                    std::memcpy(o + size + 16, from + 16, 16);
            } else if (distance >= count) {
                std::memcpy(o + size, from, count);
            } else {
                // Byte by byte, so that a short distance repeats the last bytes.
                for (std::size_t k = 0; k < count; ++k)
                    o[size + k] = from[k];
            }
            size += count;
            i += 2;
        }
        control <<= 1;
        --bitsLeft;
    }
    return size;
}

} // namespace kalvex
