#include "tally/tally_file.h"

#include "tally/lzrw1.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace kalvex {

namespace {

// A file of our own in the temporary directory, removed when it goes.
class PrivateTextFile
{
public:
    PrivateTextFile()
    {
        std::error_code ec;
        std::filesystem::path dir = std::filesystem::temp_directory_path(ec);
        if (ec)
            dir = "/tmp";
        std::string name = (dir / "kalvex-tally-XXXXXX").string();
        std::vector<char> buffer(name.begin(), name.end());
        buffer.push_back('\0');
        const int fd = ::mkstemp(buffer.data());
        if (fd < 0)
            throw GridFileError("Cannot create a temporary file in " + dir.string() + " : " +
                                std::strerror(errno));
        ::close(fd);
        filePath.assign(buffer.data());
    }
    PrivateTextFile(const PrivateTextFile &) = delete;
    PrivateTextFile &operator=(const PrivateTextFile &) = delete;
    ~PrivateTextFile() { ::unlink(filePath.c_str()); }

    const std::string &path() const { return filePath; }

private:
    std::string filePath;
};

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
    PrivateTextFile text;
    Tlzrw1 doit;
    doit.InputFile = path;
    doit.OutputFile = text.path();
    doit.Decompress();
    LoadStrGrid(table, text.path());
    return true;
}

void writeTallyFile(const std::string &path, const StrGrid &table)
{
    PrivateTextFile text;
    SaveStrGrid(table, text.path());
    Tlzrw1 doit;
    doit.InputFile = text.path();
    doit.OutputFile = path;
    doit.Compress();
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
