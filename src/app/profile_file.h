#pragma once
// A settings file in the classic profile ("ini") format, read and written
// the way the desktop's profile functions treat it:
//   [section]
//   Key=value
// Section and key names match without regard to letter case and without the
// blanks around them; values lose the blanks around them and one pair of
// enclosing quotes. The first of two equal sections or keys counts. Lines
// this program does not touch (other sections, other keys, comments, blank
// lines) stay as they were, in their order; the file is written with CR LF
// line ends, whole or not at all.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kalvex {

class ProfileFile
{
public:
    enum class Status
    {
        Missing,    // no file: reads as empty, a save creates it
        Read,       // read in full
        Unreadable, // exists but could not be read (or is far too large): reads
                    // as empty, and a save refuses to replace it
    };

    // Larger files are taken for damaged rather than read into memory.
    static constexpr std::uintmax_t kMaxFileSize = 4 * 1024 * 1024;

    // An empty profile, as for a missing file.
    ProfileFile() = default;
    // The profile held in these bytes; line ends may be CR LF, LF or CR.
    static ProfileFile parse(std::string_view bytes);
    // Reads the file afresh. Private files that a killed save of it left
    // behind are removed first.
    static ProfileFile load(const std::filesystem::path &path);

    Status status() const { return fileStatus; }

    // The value of a key, or nothing when the section or key is absent.
    std::optional<std::string> read(std::string_view section, std::string_view key) const;
    // Sets a key, adding the key at the end of its section, or the section at
    // the end of the file, when absent. A value that would not read back as
    // written (blanks around it, enclosing quotes) is written in quotes; line
    // breaks in it become blanks.
    void write(std::string_view section, std::string_view key, std::string_view value);

    // The whole file text with CR LF line ends.
    std::string text() const;

    // Writes the file whole: to a locked private file in the same directory
    // (".name.XXXXXX"), then renamed over the old one, so that a full disk or
    // a crash leaves the old file intact. Creates the directory when missing.
    // Refuses to replace a file that was loaded as Unreadable or that is
    // read-only. On failure returns false and, when asked, says why.
    bool save(const std::filesystem::path &path, std::string *error = nullptr) const;

private:
    struct Line
    {
        std::string text;
        // For a "[name]" line the section's index; for a key line the section
        // it belongs to. Lines before the first section belong to none (-1).
        int section = -1;
        bool isHeader = false;
    };

    // The header line of a section, or -1.
    int findSection(std::string_view section) const;
    // The line of a key within the section whose header is at `header`, or -1.
    int findKey(int header, std::string_view key) const;

    std::vector<Line> lines;
    int sectionCount = 0;
    Status fileStatus = Status::Missing;
};

} // namespace kalvex
