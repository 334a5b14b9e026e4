#pragma once
// The chunked file container of the tally file: "WRZL", the unpacked size
// (32-bit little-endian), then one record per 32768-byte chunk (a 16-bit
// little-endian length and the LZRW1-KH coded chunk), the last chunk shorter
// than 32768 bytes, possibly empty.

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace kalvex {

// Every failure of packing or unpacking; what() is the text the user sees.
class ELzrw1Exception : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// Packs and unpacks one file into another. The output appears only when the
// whole job succeeded; after a failure no output file is left behind and a
// file that was already at the output's place is untouched.
class PackedFile
{
public:
    std::string inputPath;
    std::string outputPath;
    // Called after every chunk, so that a window system can process events.
    std::function<void()> onChunk;

    // Returns the number of bytes written.
    std::uint64_t compress();
    std::uint64_t decompress();
};

// The same coding in memory, for tools and tests. Failures raise
// ELzrw1Exception with the messages of the file form, `name` standing for
// the input file's name.
std::string packBytes(std::string_view plain);
std::string unpackBytes(std::string_view packed, std::string_view name = "<memory>");

} // namespace kalvex
