#pragma once
// The private files of a save that is written whole or not at all: each is
// created beside its target as "." + the target's name + "." + six letters or
// digits, and locked (flock) for as long as its save runs. A save that was
// killed leaves its private file unlocked; the next start removes it.
//
// Header-only, so that every file writer of the program shares it without a
// library of its own.

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kalvex::save_temporaries {

inline constexpr std::size_t kRandomLength = 6;

inline std::string directoryOf(const std::string &path)
{
    const auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

inline std::string nameOf(const std::string &path)
{
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Whether a directory entry is the private file of a save of `targetName`.
inline bool isTemporaryOf(std::string_view entry, std::string_view targetName)
{
    if (entry.size() != 1 + targetName.size() + 1 + kRandomLength || entry.front() != '.' ||
        entry.substr(1, targetName.size()) != targetName || entry[1 + targetName.size()] != '.')
        return false;
    for (const char c : entry.substr(entry.size() - kRandomLength)) {
        const bool alnum =
            (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        if (!alnum)
            return false;
    }
    return true;
}

inline bool sameFile(const struct stat &a, const struct stat &b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Creates the private file of a save of `target`, locked while it stays
// open. Returns its descriptor and sets `path`, or -1 with errno set.
inline int create(const std::string &target, std::string &path)
{
    const std::string pattern = directoryOf(target) + "/." + nameOf(target) + ".XXXXXX";
    for (int attempt = 0; attempt < 8; ++attempt) {
        std::vector<char> name(pattern.begin(), pattern.end());
        name.push_back('\0');
        const int fd = ::mkostemp(name.data(), O_CLOEXEC);
        if (fd < 0)
            return -1;
        // A file system without locks leaves the file unlocked; a start's
        // clean-up, which needs the lock as well, then never removes it.
        while (::flock(fd, LOCK_EX) != 0 && errno == EINTR) {
        }
        // A start that cleaned up in the moment between creating and locking
        // may have removed the new file: then another is made.
        struct stat opened
        {
        }, named{};
        if (::fstat(fd, &opened) == 0 && ::lstat(name.data(), &named) == 0 &&
            sameFile(opened, named)) {
            path.assign(name.data());
            return fd;
        }
        ::close(fd);
    }
    errno = EEXIST;
    return -1;
}

// Removes the private files of saves of `target` that no running save
// holds: never the target itself (nor another name of it), never a file of
// another name, a link or anything but a plain file. Returns how many went.
inline int removeStale(const std::string &target)
{
    std::string resolvedTarget = target;
    char resolved[PATH_MAX];
    struct stat live
    {
    };
    if (::lstat(target.c_str(), &live) == 0 && S_ISLNK(live.st_mode) &&
        ::realpath(target.c_str(), resolved) != nullptr)
        resolvedTarget = resolved;
    const bool liveExists = ::stat(resolvedTarget.c_str(), &live) == 0;
    const std::string directory = directoryOf(resolvedTarget);
    const std::string targetName = nameOf(resolvedTarget);

    DIR *dir = ::opendir(directory.c_str());
    if (!dir)
        return 0;
    std::vector<std::string> candidates;
    while (const dirent *entry = ::readdir(dir)) {
        if (isTemporaryOf(entry->d_name, targetName))
            candidates.push_back(directory + "/" + entry->d_name);
    }
    ::closedir(dir);

    int removed = 0;
    const int saved = errno;
    for (const std::string &path : candidates) {
        const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            continue;
        struct stat held
        {
        }, named{};
        const bool leftover = ::fstat(fd, &held) == 0 && S_ISREG(held.st_mode) &&
                              !(liveExists && sameFile(held, live)) &&
                              ::flock(fd, LOCK_EX | LOCK_NB) == 0 &&
                              ::lstat(path.c_str(), &named) == 0 && sameFile(held, named);
        if (leftover && ::unlink(path.c_str()) == 0)
            ++removed;
        ::close(fd);
    }
    errno = saved;
    return removed;
}

} // namespace kalvex::save_temporaries
