#pragma once
// Plain files for the tally's formats: an input file read in pieces, and an
// output file that appears whole or not at all (written beside its target
// under a private, locked name, flushed to disk, then renamed over the
// target; a device or pipe, which cannot be replaced, is written in place).

#include <cstddef>
#include <cstdint>
#include <string>

namespace kalvex {

class InputFile
{
public:
    InputFile() = default;
    InputFile(const InputFile &) = delete;
    InputFile &operator=(const InputFile &) = delete;
    ~InputFile();

    bool open(const std::string &path);
    // Reads until `want` bytes are in or the file ends; false on a read error.
    bool read(void *buffer, std::size_t want, std::size_t &got);
    void close();

private:
    int fd = -1;
};

// The size of a regular file, or false when it cannot be taken.
bool fileSize(const std::string &path, std::uint64_t &size);

class AtomicFile
{
public:
    explicit AtomicFile(std::string target) : target(std::move(target)) {}
    AtomicFile(const AtomicFile &) = delete;
    AtomicFile &operator=(const AtomicFile &) = delete;
    // Removes the private file unless commit() succeeded.
    ~AtomicFile();

    // Creates the private file beside the target.
    bool open();
    bool write(const void *data, std::size_t size);
    // Flushes, closes and renames the private file over the target.
    bool commit();
    // Drops everything written; the target stays as it was.
    void discard();

private:
    std::string target;
    std::string temporary;
    int fd = -1;
    bool direct = false;
};

// Reads a whole file; false (errno set) when it cannot be read.
bool readWholeFile(const std::string &path, std::string &contents);
// Writes a whole file through AtomicFile; false when any step fails.
bool writeWholeFile(const std::string &path, const std::string &contents);

} // namespace kalvex
