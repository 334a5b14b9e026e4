#pragma once
// The LZRW1-KH coding of one chunk of at most 32768 bytes: literals, copies of
// 3 to 18 bytes reaching back at most 4095 bytes, runs of 16 to 4095 equal
// bytes, 16-bit control words. Every chunk starts from an empty history.

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>

namespace kalvex {

inline constexpr std::size_t kChunkSize = 32768;
// A coded chunk is at most one flag byte longer than its input.
inline constexpr std::size_t kMaxCodedChunk = kChunkSize + 1;
// Room the coder needs past a chunk's length while it tries to compress.
inline constexpr std::size_t kCoderSlack = 16;

inline constexpr std::uint8_t kFlagCompressed = 0x40;
inline constexpr std::uint8_t kFlagStored = 0x80;

// Creating the coder failed for want of memory.
class ELzrw1KHCompressor : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// A coded chunk that does not describe a valid chunk: an item past the end of
// its record, a copy before the start of the output, or too much output.
class ChunkDecodeError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// The chunk coder. It owns the hash table of earlier positions.
class ChunkCoder
{
public:
    ChunkCoder();
    ChunkCoder(const ChunkCoder &) = delete;
    ChunkCoder &operator=(const ChunkCoder &) = delete;

    // Codes `in` (at most kChunkSize bytes) into `out`, which must hold at
    // least in.size() + kCoderSlack bytes; returns the coded length (1 to
    // in.size() + 1). A chunk that would not shrink is stored.
    std::size_t compress(std::span<const std::uint8_t> in, std::span<std::uint8_t> out);

private:
    std::size_t findMatch(std::span<const std::uint8_t> in, std::size_t x, std::size_t &match);

    std::unique_ptr<std::array<std::int16_t, 4096>> table;
};

// Decodes one coded chunk into `out` (at most out.size() bytes, normally
// kChunkSize) and returns the decoded length. Throws ChunkDecodeError when
// the chunk is damaged; never reads or writes outside the two spans.
std::size_t decodeChunk(std::span<const std::uint8_t> in, std::span<std::uint8_t> out);

} // namespace kalvex
