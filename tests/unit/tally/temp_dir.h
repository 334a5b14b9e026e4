#pragma once
// A private directory for one test, removed with everything in it.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace kalvex::test {

class TempDir
{
public:
    TempDir()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "kalvex-tally-test-XXXXXX");
        dir = ::mkdtemp(pattern.data());
    }
    ~TempDir() { std::filesystem::remove_all(dir); }
    std::string path(const std::string &name) const { return (dir / name).string(); }
    const std::filesystem::path &root() const { return dir; }

    static void write(const std::string &path, const std::string &bytes)
    {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    static std::string read(const std::string &path)
    {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    // Every entry of the directory, so that tests see stray files.
    std::size_t entries() const
    {
        return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(dir),
                                                      std::filesystem::directory_iterator()));
    }

private:
    std::filesystem::path dir;
};

} // namespace kalvex::test
