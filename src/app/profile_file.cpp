#include "app/profile_file.h"

#include "net/ascii_text.h"
#include "tally/save_temporaries.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace kalvex {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool isQuote(char c)
{
    return c == '"' || c == '\'';
}

bool enclosedInQuotes(std::string_view text)
{
    return text.size() >= 2 && isQuote(text.front()) && text.front() == text.back();
}

// The name of a "[name]" line, or nothing for any other line.
std::optional<std::string_view> headerName(std::string_view line)
{
    line = trimmed(line);
    if (line.empty() || line.front() != '[')
        return std::nullopt;
    const std::size_t close = line.find(']');
    if (close == std::string_view::npos)
        return std::nullopt;
    return trimmed(line.substr(1, close - 1));
}

struct KeyLine
{
    std::string_view name;
    std::string_view value;
};

// A "name=value" line; comments (";") and lines without "=" are none.
std::optional<KeyLine> keyLine(std::string_view line)
{
    const std::string_view start = trimmed(line);
    if (start.empty() || start.front() == ';' || start.front() == '[')
        return std::nullopt;
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos)
        return std::nullopt;
    return KeyLine{trimmed(line.substr(0, equals)), trimmed(line.substr(equals + 1))};
}

// The value as it is to be written, so that reading gives back `value`.
std::string storedValue(std::string_view value)
{
    std::string text(value);
    for (char &c : text) {
        if (c == '\r' || c == '\n')
            c = ' ';
    }
    const bool needsQuotes =
        !text.empty() && (isBlank(text.front()) || isBlank(text.back()) || enclosedInQuotes(text));
    return needsQuotes ? '"' + text + '"' : text;
}

void setError(std::string *error, const std::string &text)
{
    if (error)
        *error = text;
}

bool writeAll(int fd, const std::string &bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

mode_t newFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

ProfileFile ProfileFile::parse(std::string_view bytes)
{
    ProfileFile profile;
    profile.fileStatus = Status::Read;
    int section = -1;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find_first_of("\r\n", start);
        if (end == std::string_view::npos)
            end = bytes.size();
        Line line{std::string(bytes.substr(start, end - start)), section, false};
        // A byte-order mark before the first line is kept, but not taken for
        // part of a name.
        std::string_view content = line.text;
        if (start == 0 && content.starts_with(kUtf8Bom))
            content.remove_prefix(kUtf8Bom.size());
        if (headerName(content)) {
            section = profile.sectionCount++;
            line.section = section;
            line.isHeader = true;
        }
        profile.lines.push_back(std::move(line));
        if (end < bytes.size() && bytes[end] == '\r' && end + 1 < bytes.size() &&
            bytes[end + 1] == '\n')
            ++end;
        start = end + 1;
    }
    return profile;
}

ProfileFile ProfileFile::load(const fs::path &path)
{
    save_temporaries::removeStale(path.string());
    ProfileFile unreadable;
    unreadable.fileStatus = Status::Unreadable;

    std::error_code ec;
    const fs::file_status state = fs::status(path, ec);
    if (state.type() == fs::file_type::not_found)
        return ProfileFile();
    if (ec || fs::is_directory(state))
        return unreadable;

    std::ifstream in(path, std::ios::binary);
    if (!in)
        return unreadable;
    std::string bytes;
    char buffer[16384];
    while (in) {
        in.read(buffer, sizeof buffer);
        bytes.append(buffer, static_cast<std::size_t>(in.gcount()));
        if (bytes.size() > kMaxFileSize)
            return unreadable;
    }
    if (in.bad())
        return unreadable;
    return parse(bytes);
}

int ProfileFile::findSection(std::string_view section) const
{
    const std::string_view wanted = trimmed(section);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!lines[i].isHeader)
            continue;
        std::string_view content = lines[i].text;
        if (i == 0 && content.starts_with(kUtf8Bom))
            content.remove_prefix(kUtf8Bom.size());
        if (equalsIgnoringAsciiCase(*headerName(content), wanted))
            return static_cast<int>(i);
    }
    return -1;
}

int ProfileFile::findKey(int header, std::string_view key) const
{
    const std::string_view wanted = trimmed(key);
    const int section = lines[static_cast<std::size_t>(header)].section;
    for (std::size_t i = static_cast<std::size_t>(header) + 1;
         i < lines.size() && lines[i].section == section && !lines[i].isHeader; ++i) {
        const std::optional<KeyLine> found = keyLine(lines[i].text);
        if (found && equalsIgnoringAsciiCase(found->name, wanted))
            return static_cast<int>(i);
    }
    return -1;
}

std::optional<std::string> ProfileFile::read(std::string_view section, std::string_view key) const
{
    const int header = findSection(section);
    if (header < 0)
        return std::nullopt;
    const int at = findKey(header, key);
    if (at < 0)
        return std::nullopt;
    std::string_view value = keyLine(lines[static_cast<std::size_t>(at)].text)->value;
    if (enclosedInQuotes(value))
        value = value.substr(1, value.size() - 2);
    return std::string(value);
}

void ProfileFile::write(std::string_view section, std::string_view key, std::string_view value)
{
    const std::string stored = storedValue(value);
    int header = findSection(section);
    if (header < 0) {
        if (!lines.empty() && !trimmed(lines.back().text).empty())
            lines.push_back(Line{std::string(), lines.back().section, false});
        header = static_cast<int>(lines.size());
        lines.push_back(Line{'[' + std::string(section) + ']', sectionCount++, true});
    }
    const int sectionIndex = lines[static_cast<std::size_t>(header)].section;

    const int at = findKey(header, key);
    if (at >= 0) {
        Line &line = lines[static_cast<std::size_t>(at)];
        // The key keeps the spelling it already has in the file.
        const std::string name(keyLine(line.text)->name);
        line.text = name + '=' + stored;
        return;
    }

    // A new key goes after the section's last non-blank line, so that a
    // blank line before the next section stays where it is.
    std::size_t insertAt = static_cast<std::size_t>(header) + 1;
    for (std::size_t i = insertAt; i < lines.size() && !lines[i].isHeader; ++i) {
        if (!trimmed(lines[i].text).empty())
            insertAt = i + 1;
    }
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(insertAt),
                 Line{std::string(key) + '=' + stored, sectionIndex, false});
}

std::string ProfileFile::text() const
{
    std::string out;
    for (const Line &line : lines) {
        out += line.text;
        out += "\r\n";
    }
    return out;
}

bool ProfileFile::save(const fs::path &path, std::string *error) const
{
    if (fileStatus == Status::Unreadable) {
        setError(error, "cannot read " + path.string() + ", so it is left as it is");
        return false;
    }

    std::error_code ec;
    fs::path target = path;
    // Saving through a link replaces the file it points to, not the link.
    if (fs::is_symlink(path, ec)) {
        const fs::path resolved = fs::canonical(path, ec);
        if (!ec)
            target = resolved;
    }
    fs::path directory = target.parent_path();
    if (directory.empty())
        directory = ".";
    fs::create_directories(directory, ec);
    if (ec) {
        setError(error, "cannot create " + directory.string() + ": " + ec.message());
        return false;
    }

    // A file the user made read-only stays as it is, as the desktop's profile
    // functions leave it.
    struct stat existing = {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    if (exists && (existing.st_mode & 0222) == 0) {
        setError(error, target.string() + " is read-only");
        return false;
    }

    std::string temporary;
    const int fd = save_temporaries::create(target.string(), temporary);
    if (fd < 0) {
        setError(error, "cannot write in " + directory.string() + ": " + std::strerror(errno));
        return false;
    }

    const mode_t mode = exists ? (existing.st_mode & 07777) : newFileMode();
    bool written = writeAll(fd, text());
    int savedErrno = errno;
    if (written && (::fchmod(fd, mode) != 0 || ::fsync(fd) != 0)) {
        written = false;
        savedErrno = errno;
    }
    // Renamed while still open and locked, so that a start's clean-up of
    // killed saves never takes it for one.
    if (written && ::rename(temporary.c_str(), target.c_str()) != 0) {
        written = false;
        savedErrno = errno;
    }
    if (!written)
        ::unlink(temporary.c_str());
    ::close(fd);
    if (!written) {
        setError(error, "cannot write " + target.string() + ": " + std::strerror(savedErrno));
        return false;
    }

    const int dirFd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    return true;
}

} // namespace kalvex
