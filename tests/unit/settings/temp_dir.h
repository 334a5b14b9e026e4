#pragma once
// A private directory for one test, removed afterwards.

#include <filesystem>
#include <fstream>
#include <sstream>
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
        std::string name =
            (std::filesystem::temp_directory_path() / "kalvex-settings-XXXXXX").string();
        if (!::mkdtemp(name.data()))
            throw std::runtime_error("mkdtemp failed");
        dir = name;
    }
    ~TempDir()
    {
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }
    const std::filesystem::path &path() const { return dir; }
    std::filesystem::path operator/(const std::string &name) const { return dir / name; }

    void put(const std::string &name, const std::string &bytes) const
    {
        std::ofstream out(dir / name, std::ios::binary);
        out << bytes;
    }
    std::string get(const std::string &name) const
    {
        std::ifstream in(dir / name, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }
    std::vector<std::string> entries() const
    {
        std::vector<std::string> names;
        for (const auto &entry : std::filesystem::directory_iterator(dir))
            names.push_back(entry.path().filename().string());
        return names;
    }

private:
    std::filesystem::path dir;
};

} // namespace kalvex::test
