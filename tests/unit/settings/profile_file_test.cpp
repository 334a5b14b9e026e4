#include "app/profile_file.h"

#include "temp_dir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <unistd.h>

using kalvex::ProfileFile;
using kalvex::test::TempDir;
using testing::ElementsAre;
using testing::Optional;

namespace {

const std::string kOtherProgram = "[orbo]\r\n"
                                  "; the lobby's own section\r\n"
                                  "Nick=Ann\r\n"
                                  "Server=lobby.example\r\n"
                                  "\r\n";

} // namespace

TEST(ProfileReading, NamesMatchWithoutLetterCaseOrSurroundingBlanks)
{
    const ProfileFile profile = ProfileFile::parse("[Kalvex]\r\n  TextSize  =  12  \r\n");
    EXPECT_THAT(profile.read("kalvex", "textsize"), Optional(std::string("12")));
    EXPECT_THAT(profile.read("KALVEX", "TEXTSIZE"), Optional(std::string("12")));
    EXPECT_EQ(profile.read("kalvex", "Text"), std::nullopt);
    EXPECT_EQ(profile.read("kalvexx", "Textsize"), std::nullopt);
}

TEST(ProfileReading, KeysBelongOnlyToTheirOwnSection)
{
    const ProfileFile profile = ProfileFile::parse("Top=1\n[other]\nTop=2\n[kalvex]\nLeft=3\n");
    EXPECT_EQ(profile.read("kalvex", "Top"), std::nullopt);
    EXPECT_THAT(profile.read("other", "Top"), Optional(std::string("2")));
    EXPECT_THAT(profile.read("kalvex", "Left"), Optional(std::string("3")));
}

TEST(ProfileReading, TheFirstOfTwoEqualSectionsOrKeysCounts)
{
    const ProfileFile profile =
        ProfileFile::parse("[kalvex]\nTop=1\ntop=9\n[KALVEX]\nTop=2\nLeft=5\n");
    EXPECT_THAT(profile.read("kalvex", "Top"), Optional(std::string("1")));
    EXPECT_EQ(profile.read("kalvex", "Left"), std::nullopt);
}

TEST(ProfileReading, OnePairOfEnclosingQuotesIsDropped)
{
    const ProfileFile profile = ProfileFile::parse(
        "[s]\na=\"  spaced  \"\nb='x'\nc=\"unclosed\nd=\"\"twice\"\"\ne=\"\nf=\n");
    EXPECT_THAT(profile.read("s", "a"), Optional(std::string("  spaced  ")));
    EXPECT_THAT(profile.read("s", "b"), Optional(std::string("x")));
    EXPECT_THAT(profile.read("s", "c"), Optional(std::string("\"unclosed")));
    EXPECT_THAT(profile.read("s", "d"), Optional(std::string("\"twice\"")));
    EXPECT_THAT(profile.read("s", "e"), Optional(std::string("\"")));
    EXPECT_THAT(profile.read("s", "f"), Optional(std::string()));
}

TEST(ProfileReading, CommentsAndLinesWithoutEqualsAreNoKeys)
{
    const ProfileFile profile = ProfileFile::parse("[s]\n;Top=1\nTop\n[broken\nLeft=2=3\n=4\n");
    EXPECT_EQ(profile.read("s", ";Top"), std::nullopt);
    EXPECT_EQ(profile.read("s", "Top"), std::nullopt);
    EXPECT_THAT(profile.read("s", "Left"), Optional(std::string("2=3")));
    EXPECT_EQ(profile.read("broken", "Left"), std::nullopt);
}

TEST(ProfileReading, AnyLineEndIsAccepted)
{
    for (const char *end : {"\r\n", "\n", "\r"}) {
        const std::string text = std::string("[s]") + end + "a=1" + end + "b=2";
        const ProfileFile profile = ProfileFile::parse(text);
        EXPECT_THAT(profile.read("s", "a"), Optional(std::string("1"))) << "line end " << end;
        EXPECT_THAT(profile.read("s", "b"), Optional(std::string("2"))) << "line end " << end;
    }
}

TEST(ProfileReading, AByteOrderMarkIsKeptButNotPartOfTheName)
{
    ProfileFile profile = ProfileFile::parse("\xEF\xBB\xBF[kalvex]\r\nTop=7\r\n");
    EXPECT_THAT(profile.read("kalvex", "Top"), Optional(std::string("7")));
    profile.write("kalvex", "Left", "1");
    EXPECT_EQ(profile.text(), "\xEF\xBB\xBF[kalvex]\r\nTop=7\r\nLeft=1\r\n");
}

TEST(ProfileWriting, KeepsOtherSectionsKeysCommentsAndTheirOrder)
{
    ProfileFile profile = ProfileFile::parse(kOtherProgram + "[KALVEX]\r\nzeta=1\r\nTOP=5\r\n"
                                                             "\r\n[last]\r\nx=y\r\n");
    profile.write("kalvex", "Top", "6");
    profile.write("kalvex", "Left", "7");
    EXPECT_EQ(profile.text(), kOtherProgram + "[KALVEX]\r\nzeta=1\r\nTOP=6\r\nLeft=7\r\n"
                                              "\r\n[last]\r\nx=y\r\n");
}

TEST(ProfileWriting, AMissingSectionIsAddedAtTheEndAfterABlankLine)
{
    ProfileFile profile = ProfileFile::parse("[orbo]\nNick=Ann");
    profile.write("kalvex", "Textsize", "8");
    profile.write("kalvex", "Top", "3");
    EXPECT_EQ(profile.text(), "[orbo]\r\nNick=Ann\r\n\r\n[kalvex]\r\nTextsize=8\r\nTop=3\r\n");

    ProfileFile empty;
    empty.write("kalvex", "Top", "3");
    EXPECT_EQ(empty.text(), "[kalvex]\r\nTop=3\r\n");
}

TEST(ProfileWriting, ValuesReadBackExactlyAsWritten)
{
    ProfileFile profile;
    const std::vector<std::string> values = {"",          "plain",      "  leading",
                                             "trailing ", "\"quoted\"", "'single'",
                                             "a \"b\" c", "=;[]",       "\xFFhigh"};
    for (std::size_t i = 0; i < values.size(); ++i)
        profile.write("s", "k" + std::to_string(i), values[i]);
    const ProfileFile reread = ProfileFile::parse(profile.text());
    for (std::size_t i = 0; i < values.size(); ++i)
        EXPECT_THAT(reread.read("s", "k" + std::to_string(i)), Optional(values[i]));
}

TEST(ProfileWriting, LineBreaksInAValueCannotAddKeys)
{
    ProfileFile profile;
    profile.write("s", "k", "one\r\n[s]\nTop=1");
    const ProfileFile reread = ProfileFile::parse(profile.text());
    EXPECT_THAT(reread.read("s", "k"), Optional(std::string("one  [s] Top=1")));
    EXPECT_EQ(reread.read("s", "Top"), std::nullopt);
}

TEST(ProfileFiles, AMissingFileReadsAsEmptyAndASaveCreatesItAndItsDirectory)
{
    TempDir dir;
    const auto path = dir / "sub/dir/orbolobby.ini";
    ProfileFile profile = ProfileFile::load(path);
    EXPECT_EQ(profile.status(), ProfileFile::Status::Missing);
    EXPECT_EQ(profile.read("kalvex", "Top"), std::nullopt);

    profile.write("kalvex", "Top", "3");
    std::string error;
    ASSERT_TRUE(profile.save(path, &error)) << error;
    EXPECT_EQ(ProfileFile::load(path).read("kalvex", "Top"), std::optional<std::string>("3"));
}

TEST(ProfileFiles, ASaveLeavesNoTemporaryFileAndKeepsThePermissions)
{
    TempDir dir;
    dir.put("orbolobby.ini", kOtherProgram);
    std::filesystem::permissions(dir / "orbolobby.ini", std::filesystem::perms(0640));
    ProfileFile profile = ProfileFile::load(dir / "orbolobby.ini");
    EXPECT_EQ(profile.status(), ProfileFile::Status::Read);
    profile.write("kalvex", "Top", "3");
    ASSERT_TRUE(profile.save(dir / "orbolobby.ini"));
    EXPECT_THAT(dir.entries(), ElementsAre("orbolobby.ini"));
    EXPECT_EQ(std::filesystem::status(dir / "orbolobby.ini").permissions(),
              std::filesystem::perms(0640));
    EXPECT_EQ(dir.get("orbolobby.ini"), kOtherProgram + "[kalvex]\r\nTop=3\r\n");
}

TEST(ProfileFiles, ASaveThroughALinkReplacesTheFileItPointsTo)
{
    TempDir dir;
    dir.put("real.ini", "[a]\r\nb=c\r\n");
    std::filesystem::create_symlink(dir / "real.ini", dir / "orbolobby.ini");
    ProfileFile profile = ProfileFile::load(dir / "orbolobby.ini");
    profile.write("a", "b", "d");
    ASSERT_TRUE(profile.save(dir / "orbolobby.ini"));
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "orbolobby.ini"));
    EXPECT_EQ(dir.get("real.ini"), "[a]\r\nb=d\r\n");
}

TEST(ProfileFiles, AnUnwritablePlaceIsReportedAsAFailure)
{
    TempDir dir;
    dir.put("not-a-directory", "x");
    ProfileFile profile;
    profile.write("kalvex", "Top", "3");
    std::string error;
    EXPECT_FALSE(profile.save(dir / "not-a-directory/orbolobby.ini", &error));
    EXPECT_THAT(error, testing::HasSubstr("not-a-directory"));
    EXPECT_EQ(dir.get("not-a-directory"), "x");
}

TEST(ProfileFiles, AReadOnlyFileIsLeftAsItIs)
{
    TempDir dir;
    dir.put("orbolobby.ini", kOtherProgram);
    std::filesystem::permissions(dir / "orbolobby.ini", std::filesystem::perms(0444));
    ProfileFile profile = ProfileFile::load(dir / "orbolobby.ini");
    profile.write("kalvex", "Top", "3");
    std::string error;
    EXPECT_FALSE(profile.save(dir / "orbolobby.ini", &error));
    EXPECT_THAT(error, testing::HasSubstr("read-only"));
    EXPECT_EQ(dir.get("orbolobby.ini"), kOtherProgram);
    EXPECT_THAT(dir.entries(), ElementsAre("orbolobby.ini"));
}

TEST(ProfileFiles, AFullDiskLeavesTheOldFileWhole)
{
    TempDir dir;
    const std::string old = kOtherProgram + "[kalvex]\r\nTop=3\r\n";
    dir.put("orbolobby.ini", old);
    ProfileFile profile = ProfileFile::load(dir / "orbolobby.ini");
    profile.write("kalvex", "Phrase1", std::string(64 * 1024, 'x'));

    // A file size limit makes the write fail part-way, as a full disk does.
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit previous{};
    getrlimit(RLIMIT_FSIZE, &previous);
    rlimit limited = previous;
    limited.rlim_cur = 4096;
    setrlimit(RLIMIT_FSIZE, &limited);
    std::string error;
    const bool saved = profile.save(dir / "orbolobby.ini", &error);
    setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(saved);
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(dir.get("orbolobby.ini"), old);
    EXPECT_THAT(dir.entries(), ElementsAre("orbolobby.ini"));
}

TEST(ProfileFiles, AFileThatCannotBeReadIsNeverReplaced)
{
    TempDir dir;
    std::filesystem::create_directory(dir / "orbolobby.ini");
    ProfileFile directory = ProfileFile::load(dir / "orbolobby.ini");
    EXPECT_EQ(directory.status(), ProfileFile::Status::Unreadable);
    directory.write("kalvex", "Top", "3");
    EXPECT_FALSE(directory.save(dir / "orbolobby.ini"));
    EXPECT_TRUE(std::filesystem::is_directory(dir / "orbolobby.ini"));

    const std::string huge(ProfileFile::kMaxFileSize + 1, 'x');
    dir.put("huge.ini", huge);
    ProfileFile tooLarge = ProfileFile::load(dir / "huge.ini");
    EXPECT_EQ(tooLarge.status(), ProfileFile::Status::Unreadable);
    tooLarge.write("kalvex", "Top", "3");
    EXPECT_FALSE(tooLarge.save(dir / "huge.ini"));
    EXPECT_EQ(std::filesystem::file_size(dir / "huge.ini"), huge.size());
}

TEST(ProfileFiles, ReadingRemovesWhatAKilledSaveLeftAndNothingElse)
{
    TempDir dir;
    const std::string live = kOtherProgram + "[kalvex]\r\nTop=3\r\n";
    dir.put("orbolobby.ini", live);
    // A save that was killed in the middle, and one running in another
    // program now (it holds its private file locked).
    dir.put(".orbolobby.ini.Kil1ed", "[kalvex]\r\nTo");
    dir.put(".orbolobby.ini.Runs00", "");
    const int running = ::open((dir / ".orbolobby.ini.Runs00").c_str(), O_RDWR | O_CLOEXEC);
    ASSERT_GE(running, 0);
    ASSERT_EQ(::flock(running, LOCK_EX), 0);
    // Look-alikes of other names and lengths, and the lobby's own backup.
    for (const char *name :
         {"orbolobby.ini.backup", ".orbolobby.ini.toolong", ".orbolobby.ini.short",
          ".kalvextally.tld.Kil1ed", "orbolobby.ini.XXXXXX"})
        dir.put(name, "keep");

    const ProfileFile profile = ProfileFile::load(dir / "orbolobby.ini");
    EXPECT_THAT(profile.read("kalvex", "Top"), Optional(std::string("3")));
    EXPECT_THAT(dir.entries(), testing::UnorderedElementsAre(
                                   "orbolobby.ini", ".orbolobby.ini.Runs00", "orbolobby.ini.backup",
                                   ".orbolobby.ini.toolong", ".orbolobby.ini.short",
                                   ".kalvextally.tld.Kil1ed", "orbolobby.ini.XXXXXX"));
    ::close(running);
    // Once that save has ended without its file, the next read removes it.
    ProfileFile::load(dir / "orbolobby.ini");
    EXPECT_FALSE(std::filesystem::exists(dir / ".orbolobby.ini.Runs00"));
    EXPECT_EQ(dir.get("orbolobby.ini"), live);
}
