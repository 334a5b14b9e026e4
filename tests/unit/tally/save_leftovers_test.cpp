#include "tally/file_io.h"
#include "tally/save_temporaries.h"
#include "tally/tally_file.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <set>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

namespace kalvex {
namespace {

using test::TempDir;

std::set<std::string> entriesOf(const TempDir &dir)
{
    std::set<std::string> names;
    for (const auto &entry : std::filesystem::directory_iterator(dir.path()))
        names.insert(entry.path().filename().string());
    return names;
}

// A file opened and locked the way a running save holds its private file.
class HeldFile
{
public:
    explicit HeldFile(const std::string &path)
        : fd(::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600))
    {
        if (fd >= 0)
            ::flock(fd, LOCK_EX);
    }
    ~HeldFile()
    {
        if (fd >= 0)
            ::close(fd);
    }
    bool ok() const { return fd >= 0; }

private:
    int fd;
};

TEST(SaveLeftovers, OnlyUnheldPrivateFilesOfTheSameFileAreRemoved)
{
    TempDir dir;
    const std::string live = dir.path("kalvextally.tld");
    TempDir::write(live, "live tally");
    // What killed saves left behind.
    TempDir::write(dir.path(".kalvextally.tld.AbC123"), "half a tally");
    TempDir::write(dir.path(".kalvextally.tld.zzzzzz"), "");
    // A save running now (in this or another program) holds its file.
    HeldFile running(dir.path(".kalvextally.tld.Run042"));
    ASSERT_TRUE(running.ok());
    // Files that only look alike, or are not plain files, or are the live
    // file under a second name.
    const std::set<std::string> kept = {
        "kalvextally.tld",          "kalvextally.tld.AbC123",  ".kalvextally.tld.AbC12",
        ".kalvextally.tld.AbC1234", ".kalvextally.tld.AbC-23", ".kalvextally.tld.unreadable",
        ".orbolobby.ini.AbC123",    ".kalvextally.tldXAbC123", ".kalvextally.tld.Run042",
        ".kalvextally.tld.Dir123",  ".kalvextally.tld.Lnk123", ".kalvextally.tld.Same12"};
    for (const std::string &name : kept) {
        if (!std::filesystem::exists(dir.path(name)))
            TempDir::write(dir.path(name), "keep");
    }
    std::filesystem::remove(dir.path(".kalvextally.tld.Dir123"));
    std::filesystem::create_directory(dir.path(".kalvextally.tld.Dir123"));
    std::filesystem::remove(dir.path(".kalvextally.tld.Lnk123"));
    std::filesystem::create_symlink(dir.path("kalvextally.tld.AbC123"),
                                    dir.path(".kalvextally.tld.Lnk123"));
    std::filesystem::remove(dir.path(".kalvextally.tld.Same12"));
    std::filesystem::create_hard_link(live, dir.path(".kalvextally.tld.Same12"));

    EXPECT_EQ(save_temporaries::removeStale(live), 2);
    EXPECT_EQ(entriesOf(dir), kept);
    EXPECT_EQ(TempDir::read(live), "live tally");
    EXPECT_EQ(TempDir::read(dir.path("kalvextally.tld.AbC123")), "keep");
}

TEST(SaveLeftovers, ALinkedTallyFileIsCleanedBesideTheFileItNames)
{
    TempDir dir;
    std::filesystem::create_directory(dir.path("real"));
    TempDir::write(dir.path("real/kalvextally.tld"), "live");
    std::filesystem::create_symlink(dir.path("real/kalvextally.tld"), dir.path("kalvextally.tld"));
    TempDir::write(dir.path("real/.kalvextally.tld.Old000"), "left");
    EXPECT_EQ(save_temporaries::removeStale(dir.path("kalvextally.tld")), 1);
    EXPECT_FALSE(std::filesystem::exists(dir.path("real/.kalvextally.tld.Old000")));
    EXPECT_EQ(save_temporaries::removeStale(dir.path("missing/kalvextally.tld")), 0);
}

TEST(SaveLeftovers, ASaveInProgressIsNeverTakenForALeftover)
{
    TempDir dir;
    const std::string live = dir.path("kalvextally.tld");
    AtomicFile out(live);
    ASSERT_TRUE(out.open());
    ASSERT_TRUE(out.write("new", 3));
    // Another start cleans up while this save runs: its file stays.
    EXPECT_EQ(save_temporaries::removeStale(live), 0);
    ASSERT_EQ(entriesOf(dir).size(), 1u);
    const std::string privateName = *entriesOf(dir).begin();
    EXPECT_TRUE(save_temporaries::isTemporaryOf(privateName, "kalvextally.tld")) << privateName;
    ASSERT_TRUE(out.commit());
    EXPECT_EQ(entriesOf(dir), std::set<std::string>{"kalvextally.tld"});
    EXPECT_EQ(TempDir::read(live), "new");
}

TEST(SaveLeftovers, AKilledSaveOfTheTallyIsRemovedAtTheNextStart)
{
    TempDir dir;
    const std::string live = tallyFilePath(dir.path().string());
    writeTallyFile(live, StrGrid(9, 1));
    // A child process starts a save and is killed in the middle of it.
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        AtomicFile out(live);
        if (out.open() && out.write("partial", 7))
            ::pause();
        ::_exit(1);
    }
    for (int i = 0; i < 500 && entriesOf(dir).size() < 2; ++i)
        ::usleep(10000);
    ASSERT_EQ(entriesOf(dir).size(), 2u) << "the save never began";
    EXPECT_EQ(save_temporaries::removeStale(live), 0) << "the running save's file went";
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);

    EXPECT_EQ(save_temporaries::removeStale(live), 1);
    EXPECT_EQ(entriesOf(dir), std::set<std::string>{"kalvextally.tld"});
    StrGrid table;
    EXPECT_TRUE(readTallyFile(live, table));
}

} // namespace
} // namespace kalvex
