#ifdef KALVEX_TLD

#include "tally/packed_file.h"
#include "tally/str_grid.h"
#include "tally/tally_file.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

namespace kalvex {
namespace {

using test::TempDir;

struct Outcome
{
    int status = -1;
    std::string out;
    std::string err;
};

Outcome runTool(const TempDir &dir, const std::string &arguments)
{
    const std::string out = dir.path("stdout"), err = dir.path("stderr");
    const std::string command =
        std::string(KALVEX_TLD) + " " + arguments + " >" + out + " 2>" + err;
    const int raw = std::system(command.c_str());
    Outcome o{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, TempDir::read(out), TempDir::read(err)};
    std::filesystem::remove(out);
    std::filesystem::remove(err);
    return o;
}

TEST(TallyFileTool, PacksUnpacksAndShows)
{
    TempDir dir;
    StrGrid g(9, 2);
    const char *cells[2][9] = {{"0", "3", "1", "2", "5", "0", "0", "0", "0"},
                               {"Ann", "2", "1", "1", "0", "2", "1", "1", "0"}};
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 9; ++c)
            g.cell(c, r) = cells[r][c];
    TempDir::write(dir.path("t.txt"), formatStrGrid(g));

    EXPECT_EQ(runTool(dir, "pack " + dir.path("t.txt") + " " + dir.path("t.tld")).status, 0);
    EXPECT_EQ(TempDir::read(dir.path("t.tld")), packBytes(formatStrGrid(g)));
    EXPECT_EQ(runTool(dir, "unpack " + dir.path("t.tld") + " " + dir.path("u.txt")).status, 0);
    EXPECT_EQ(TempDir::read(dir.path("u.txt")), formatStrGrid(g));

    const Outcome shown = runTool(dir, "show " + dir.path("t.tld"));
    EXPECT_EQ(shown.status, 0);
    EXPECT_EQ(shown.out, "Total Games:    3\nYour Wins:      1\nCodes Cracked:  2/5\n\n"
                         "Player  Games  Their Wins  Your Wins  Neither Won    Session Games  "
                         "Their Wins  Your Wins  Neither Won\n"
                         "Ann         2           1          1            0                2  "
                         "         1          1            0\n");
}

TEST(TallyFileTool, ShowsEveryRowOfATallyStoredWithHostileNames)
{
    TempDir dir;
    StrGrid g(9, 4);
    const char *cells[4][9] = {{"0", "7", "3", "4", "9", "0", "0", "0", "0"},
                               {"Al\x1A"
                                "ice",
                                "5", "1", "2", "2", "1", "0", "1", "0"},
                               {"Ca\rrl", "6", "2", "3", "1", "0", "0", "0", "0"},
                               {"Li\nne", "4", "1", "1", "2", "1", "1", "0", "0"}};
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 9; ++c)
            g.cell(c, r) = cells[r][c];
    writeTallyFile(dir.path("t.tld"), g);

    const Outcome shown = runTool(dir, "show " + dir.path("t.tld"));
    EXPECT_EQ(shown.status, 0) << shown.err;
    EXPECT_EQ(shown.out, "Total Games:    7\nYour Wins:      3\nCodes Cracked:  4/9\n\n"
                         "Player  Games  Their Wins  Your Wins  Neither Won    Session Games  "
                         "Their Wins  Your Wins  Neither Won\n"
                         "Al ice      5           1          2            2                1  "
                         "         0          1            0\n"
                         "Ca rl       6           2          3            1                0  "
                         "         0          0            0\n"
                         "Li ne       4           1          1            2                1  "
                         "         1          0            0\n");
}

TEST(TallyFileTool, ReportsFailuresOnStandardError)
{
    TempDir dir;
    TempDir::write(dir.path("plain.txt"), "not a container");
    const Outcome bad = runTool(dir, "unpack " + dir.path("plain.txt") + " " + dir.path("out"));
    EXPECT_EQ(bad.status, 1);
    EXPECT_EQ(bad.err, "kalvex-tld: " + dir.path("plain.txt") +
                           " : Lzrw1 decompression : this file has no valid header !\n");
    EXPECT_FALSE(std::filesystem::exists(dir.path("out")));

    const Outcome missing = runTool(dir, "show " + dir.path("missing.tld"));
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, "kalvex-tld: Lzrw1 (de)compression : Failed to open input file : " +
                               dir.path("missing.tld") + "\n");

    EXPECT_EQ(runTool(dir, "pack onlyone").status, 2);
    EXPECT_EQ(runTool(dir, "").status, 2);
}

} // namespace
} // namespace kalvex

#endif
