#include "tally/file_io.h"

#include "tally/save_temporaries.h"

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kalvex {

namespace {

using save_temporaries::directoryOf;

// The mode a newly created file gets from the process's file mask.
mode_t newFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

void syncDirectory(const std::string &dir)
{
    const int d = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (d >= 0) {
        ::fsync(d);
        ::close(d);
    }
}

} // namespace

InputFile::~InputFile()
{
    close();
}

bool InputFile::open(const std::string &path)
{
    close();
    do {
        fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    return fd >= 0;
}

bool InputFile::read(void *buffer, std::size_t want, std::size_t &got)
{
    got = 0;
    auto *p = static_cast<char *>(buffer);
    while (got < want) {
        const ssize_t r = ::read(fd, p + got, want - got);
        if (r < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (r == 0)
            break;
        got += static_cast<std::size_t>(r);
    }
    return true;
}

void InputFile::close()
{
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}

bool fileSize(const std::string &path, std::uint64_t &size)
{
    struct stat st
    {
    };
    if (::stat(path.c_str(), &st) != 0)
        return false;
    size = static_cast<std::uint64_t>(st.st_size);
    return true;
}

AtomicFile::~AtomicFile()
{
    discard();
}

bool AtomicFile::open()
{
    discard();
    direct = false;
    // A link is followed, so that the file it names is replaced, not the link.
    char resolved[PATH_MAX];
    struct stat st
    {
    };
    if (::lstat(target.c_str(), &st) == 0 && S_ISLNK(st.st_mode) &&
        ::realpath(target.c_str(), resolved) != nullptr)
        target = resolved;
    // A device or a pipe cannot be replaced; it is written in place.
    if (::stat(target.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) {
        do {
            fd = ::open(target.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
        } while (fd < 0 && errno == EINTR);
        direct = fd >= 0;
        return direct;
    }
    fd = save_temporaries::create(target, temporary);
    return fd >= 0;
}

bool AtomicFile::write(const void *data, std::size_t size)
{
    if (fd < 0)
        return false;
    const auto *p = static_cast<const char *>(data);
    while (size > 0) {
        const ssize_t w = ::write(fd, p, size);
        if (w < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        p += w;
        size -= static_cast<std::size_t>(w);
    }
    return true;
}

bool AtomicFile::commit()
{
    if (fd < 0)
        return false;
    if (direct) {
        const bool closed = ::close(fd) == 0;
        fd = -1;
        return closed;
    }
    struct stat st
    {
    };
    const mode_t mode = ::stat(target.c_str(), &st) == 0 ? (st.st_mode & 07777) : newFileMode();
    ::fchmod(fd, mode);
    // Renamed while still open, so that the lock keeps a start's clean-up
    // away from it until it has its final name.
    if (::fsync(fd) != 0 || ::rename(temporary.c_str(), target.c_str()) != 0) {
        discard();
        return false;
    }
    temporary.clear();
    ::close(fd);
    fd = -1;
    syncDirectory(directoryOf(target));
    return true;
}

void AtomicFile::discard()
{
    if (!temporary.empty()) {
        const int saved = errno;
        ::unlink(temporary.c_str());
        errno = saved;
        temporary.clear();
    }
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}

bool readWholeFile(const std::string &path, std::string &contents)
{
    InputFile in;
    if (!in.open(path))
        return false;
    contents.clear();
    char buffer[65536];
    for (;;) {
        std::size_t got = 0;
        if (!in.read(buffer, sizeof buffer, got))
            return false;
        contents.append(buffer, got);
        if (got < sizeof buffer)
            return true;
    }
}

bool writeWholeFile(const std::string &path, const std::string &contents)
{
    AtomicFile out(path);
    return out.open() && out.write(contents.data(), contents.size()) && out.commit();
}

} // namespace kalvex
