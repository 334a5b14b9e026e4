#pragma once
// A private directory for one test, removed with everything in it.

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

#include <stdlib.h>

namespace kalvex::test {

class TempDir
{
public:
    TempDir()
    {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "kalvex-test-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            throw std::runtime_error("cannot make a temporary directory");
        dir = pattern;
    }
    ~TempDir()
    {
        std::error_code ignored;
        std::filesystem::remove_all(dir, ignored);
    }
    TempDir(const TempDir &) = delete;
    TempDir &operator=(const TempDir &) = delete;

    const std::filesystem::path &path() const { return dir; }
    // The full path of a name (or a relative path) inside the directory.
    std::string path(const std::string &name) const { return (dir / name).string(); }
    std::filesystem::path operator/(const std::string &name) const { return dir / name; }

    // A file's bytes, by its full path.
    static void write(const std::string &path, const std::string &bytes)
    {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    static std::string read(const std::string &path)
    {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    // The same, by a name inside the directory.
    void put(const std::string &name, const std::string &bytes) const { write(path(name), bytes); }
    std::string get(const std::string &name) const { return read(path(name)); }

    // The names of every entry, sorted, so that tests see stray files.
    std::vector<std::string> entries() const
    {
        std::vector<std::string> names;
        for (const auto &entry : std::filesystem::directory_iterator(dir))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

private:
    std::filesystem::path dir;
};

} // namespace kalvex::test
