#pragma once
// The tally file: the tally table in its grid text form, packed into the
// chunked container. The text form stays in memory, so no text file is ever
// written; the tally file itself is replaced whole or not at all.

#include "tally/str_grid.h"

#include <string>

namespace kalvex {

// "kalvex" followed by "tally.tld".
inline constexpr const char *kTallyFileName = "kalvextally.tld";

// The tally file in the program's directory.
std::string tallyFilePath(const std::string &directory);

// Reads the table; false when the file does not exist. A file that exists
// but cannot be read throws ELzrw1Exception or GridFileError, both naming
// the file and nothing but the file.
bool readTallyFile(const std::string &path, StrGrid &table);
// Throws ELzrw1Exception or GridFileError; the previous file then survives.
void writeTallyFile(const std::string &path, const StrGrid &table);

// Renames an unreadable tally file to a free name beside it
// ("kalvextally.tld.unreadable", then ".unreadable-2", ...) and returns the
// new path, or an empty text when the rename failed.
std::string keepUnreadableFile(const std::string &path);

} // namespace kalvex
