#include "tally/tally_file.h"

#include "tally/file_io.h"
#include "tally/packed_file.h"

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace kalvex {

namespace {

bool exists(const std::string &path)
{
    struct stat st
    {
    };
    return ::lstat(path.c_str(), &st) == 0;
}

} // namespace

std::string tallyFilePath(const std::string &directory)
{
    if (directory.empty())
        return kTallyFileName;
    if (directory.back() == '/')
        return directory + kTallyFileName;
    return directory + "/" + kTallyFileName;
}

bool readTallyFile(const std::string &path, StrGrid &table)
{
    if (!exists(path))
        return false;
    std::string packed;
    if (!readWholeFile(path, packed))
        throw ELzrw1Exception("Lzrw1 (de)compression : Failed to open input file : " + path);
    parseStrGrid(table, unpackBytes(packed, path), path);
    return true;
}

void writeTallyFile(const std::string &path, const StrGrid &table)
{
    const std::string packed = packBytes(formatStrGrid(table));
    if (!writeWholeFile(path, packed))
        throw ELzrw1Exception("Lzrw1 : Error writing to output file : " + path + " (" +
                              std::strerror(errno) + ")");
}

std::string keepUnreadableFile(const std::string &path)
{
    for (int n = 1; n < 1000; ++n) {
        const std::string kept = path + ".unreadable" + (n == 1 ? "" : "-" + std::to_string(n));
        // link() never replaces an existing file; the unlink then completes the move.
        if (::link(path.c_str(), kept.c_str()) == 0) {
            ::unlink(path.c_str());
            return kept;
        }
        if (errno != EEXIST) {
            if (!exists(kept) && ::rename(path.c_str(), kept.c_str()) == 0)
                return kept;
            return {};
        }
    }
    return {};
}

} // namespace kalvex
