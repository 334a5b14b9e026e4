#include "tally/packed_file.h"
#include "tally/tally_file.h"
#include "tally/tally_model.h"
#include "tally/tally_report.h"
#include "tally/tally_seats.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <map>

namespace kalvex {
namespace {

using test::TempDir;

std::vector<std::string> row(const TallyModel &t, int r)
{
    std::vector<std::string> cells;
    for (int c = 0; c < kTallyColumns; ++c)
        cells.push_back(t.cell(c, r));
    return cells;
}

std::vector<std::string> ownTotals(const TallyModel &t)
{
    return {t.cell(1, 0), t.cell(2, 0), t.codesCrackedText()};
}

using Row = std::vector<std::string>;

TallyModel withAnnAndBob()
{
    TallyModel t;
    t.addOpponent("Ann");
    t.addOpponent("Bob");
    return t;
}

TEST(TallyCounting, FirstRunCountsOwnTotalsOnly)
{
    TallyModel t;
    EXPECT_EQ(ownTotals(t), (Row{"0", "0", "0"}));
    t.addgame(kAddToMine, {"Ann", "Bob"});
    EXPECT_EQ(ownTotals(t), (Row{"1", "1", "0"}));
    EXPECT_EQ(t.table().rowCount(), 1);
    EXPECT_EQ(row(t, 0), (Row{"0", "1", "1", "0", "0", "0", "0", "0", "0"}));
}

TEST(TallyCounting, TalliedOpponentWinsAndAThirdTalliedPlayerNeither)
{
    TallyModel t = withAnnAndBob();
    t.addgame("Ann", {"Ann", "Bob", "Cid"});
    EXPECT_EQ(row(t, 1), (Row{"Ann", "1", "1", "0", "0", "1", "1", "0", "0"}));
    EXPECT_EQ(row(t, 2), (Row{"Bob", "1", "0", "0", "1", "1", "0", "0", "1"}));
    EXPECT_EQ(ownTotals(t), (Row{"1", "0", "0"}));

    t.addgame(kAddToMine, {"Bob"}); // Ann has left: not counted
    EXPECT_EQ(row(t, 1), (Row{"Ann", "1", "1", "0", "0", "1", "1", "0", "0"}));
    EXPECT_EQ(row(t, 2), (Row{"Bob", "2", "0", "1", "1", "2", "0", "1", "1"}));
    EXPECT_EQ(ownTotals(t), (Row{"2", "1", "0"}));
}

TEST(TallyCounting, LookupIgnoresCaseButTheWinnerMustMatchExactly)
{
    TallyModel t;
    t.addOpponent("ann");
    EXPECT_FALSE(t.addOpponent("ANN"));
    t.addgame("Ann", {"Ann"});
    // Found as "ann", but "Ann" is not the row's name: a third player's win.
    EXPECT_EQ(row(t, 1), (Row{"ann", "1", "0", "0", "1", "1", "0", "0", "1"}));
}

TEST(TallyCounting, RoundsAndCodesOfAWatchingClientCount)
{
    TallyModel t;
    t.addtomineincrease(kRoundsPlayed);
    EXPECT_EQ(t.codesCrackedText(), "0/1");
    t.addtomineincrease(kRoundsPlayed);
    t.addtomineincrease(kCodesCracked);
    t.addgame("Ann", {"Ann"});
    EXPECT_EQ(ownTotals(t), (Row{"1", "0", "1/2"}));
    EXPECT_EQ(t.cell(kRoundsPlayed, 0), "2");
}

TEST(TallyCounting, DamagedAndEmptyCountersCountFromZero)
{
    StrGrid g(9, 2);
    for (int c = 0; c < 9; ++c)
        g.cell(c, 0) = "0";
    g.cell(1, 0) = "x7";
    g.cell(0, 1) = "Ann";
    g.cell(1, 1) = "-3";
    g.cell(2, 1) = "";
    g.cell(3, 1) = "99999999999999";
    TallyModel t;
    t.loadtally(g);
    t.addgame(kAddToMine, {"Ann"});
    EXPECT_EQ(row(t, 1), (Row{"Ann", "1", "0", "1", "0", "1", "0", "1", "0"}));
    EXPECT_EQ(t.cell(1, 0), "1");
    EXPECT_EQ(t.addit(4, 1), 1);
}

TEST(TallyOpponents, AddingAndRemovingKeepRowsInOrder)
{
    TallyModel t = withAnnAndBob();
    t.addOpponent("Cid");
    t.addgame("Cid", {"Ann", "Bob", "Cid"});
    t.removeOpponent(1);
    ASSERT_EQ(t.opponentCount(), 2);
    EXPECT_EQ(row(t, 1), (Row{"Ann", "1", "0", "0", "1", "1", "0", "0", "1"}));
    EXPECT_EQ(row(t, 2), (Row{"Cid", "1", "1", "0", "0", "1", "1", "0", "0"}));
    EXPECT_EQ(t.findOpponent("cid"), 1);
    EXPECT_EQ(t.findOpponent("Bob"), -1);
}

TEST(TallyOpponents, RemovingTheOnlyOpponentLeavesRowZero)
{
    TallyModel t;
    t.addOpponent("Ann");
    t.removeOpponent(0);
    EXPECT_EQ(t.table().rowCount(), 1);
    EXPECT_EQ(t.opponentCount(), 0);
    t.moverow(1); // nothing left to remove
    EXPECT_EQ(t.table().rowCount(), 1);
}

TEST(TallyReset, WithoutOpponentsRowZeroKeepsItsNameCell)
{
    TallyModel t;
    t.addgame(kAddToMine, {});
    t.addtomineincrease(kRoundsPlayed);
    t.reset();
    EXPECT_EQ(row(t, 0), (Row{"0", "0", "0", "0", "0", "0", "0", "0", "0"}));
    EXPECT_EQ(t.codesCrackedText(), "0/0");
}

TEST(TallyReset, WithOpponentsRowZeroNameCellIsEmptied)
{
    TallyModel t = withAnnAndBob();
    t.addgame("Bob", {"Ann", "Bob"});
    t.reset();
    EXPECT_EQ(t.table().rowCount(), 1);
    EXPECT_EQ(row(t, 0), (Row{"", "0", "0", "0", "0", "0", "0", "0", "0"}));
    EXPECT_EQ(t.codesCrackedText(), "0/0");
}

TEST(TallyFile, RestartKeepsTotalsAndNamesWithSessionAtZero)
{
    TempDir dir;
    const std::string file = tallyFilePath(dir.path().string());
    EXPECT_EQ(file, dir.path("kalvextally.tld"));
    StrGrid table;
    EXPECT_FALSE(readTallyFile(file, table));

    TallyModel first = withAnnAndBob();
    first.addtomineincrease(kRoundsPlayed);
    first.addtomineincrease(kCodesCracked);
    first.addgame(kAddToMine, {"Ann", "Bob"});
    first.addgame("Bob", {"Bob"});
    writeTallyFile(file, first.table());

    ASSERT_TRUE(readTallyFile(file, table));
    EXPECT_EQ(table, first.table());
    TallyModel second;
    second.loadtally(table);
    EXPECT_EQ(ownTotals(second), (Row{"2", "1", "1/1"}));
    EXPECT_EQ(row(second, 1), (Row{"Ann", "1", "0", "1", "0", "0", "0", "0", "0"}));
    EXPECT_EQ(row(second, 2), (Row{"Bob", "2", "1", "1", "0", "0", "0", "0", "0"}));
    EXPECT_EQ(dir.entries().size(), 1u);
}

// Names a foreign host may send: each holds a byte that would end a line or
// the whole text of the stored table.
const std::vector<std::string> kHostileNames = {"Al\x1A"
                                                "ice",
                                                "Ca\rrl", "Li\nne", "Zed"};

TallyModel hostileTally()
{
    TallyModel t;
    for (const std::string &name : kHostileNames)
        t.addOpponent(name);
    t.addtomineincrease(kRoundsPlayed);
    t.addtomineincrease(kRoundsPlayed);
    t.addtomineincrease(kCodesCracked);
    t.addgame(kAddToMine, kHostileNames);
    t.addgame(kHostileNames[1], kHostileNames);
    return t;
}

TEST(TallyFile, HostileNamesKeepEveryRowAndCounterThroughTheFile)
{
    TempDir dir;
    const std::string file = dir.path("kalvextally.tld");
    writeTallyFile(file, hostileTally().table());

    StrGrid table;
    ASSERT_TRUE(readTallyFile(file, table));
    TallyModel back;
    back.loadtally(table);
    EXPECT_EQ(ownTotals(back), (Row{"2", "1", "1/2"}));
    ASSERT_EQ(back.opponentCount(), 4);
    EXPECT_EQ(row(back, 1), (Row{"Al ice", "2", "0", "1", "1", "0", "0", "0", "0"}));
    EXPECT_EQ(row(back, 2), (Row{"Ca rl", "2", "1", "1", "0", "0", "0", "0", "0"}));
    EXPECT_EQ(row(back, 3), (Row{"Li ne", "2", "0", "1", "1", "0", "0", "0", "0"}));
    EXPECT_EQ(row(back, 4), (Row{"Zed", "2", "0", "1", "1", "0", "0", "0", "0"}));
    // The same seat names still find their rows after the restart.
    for (std::size_t i = 0; i < kHostileNames.size(); ++i)
        EXPECT_EQ(back.findOpponent(kHostileNames[i]), static_cast<int>(i));
}

TEST(TallyFile, TheStoredFileIsTheWorkedExample)
{
    TempDir dir;
    StrGrid g(9, 2);
    const char *cells[2][9] = {{"0", "3", "1", "2", "5", "0", "0", "0", "0"},
                               {"Ann", "2", "1", "1", "0", "2", "1", "1", "0"}};
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 9; ++c)
            g.cell(c, r) = cells[r][c];
    writeTallyFile(dir.path("t.tld"), g);
    EXPECT_EQ(TempDir::read(dir.path("t.tld")), packBytes(formatStrGrid(g)));
    EXPECT_EQ(TempDir::read(dir.path("t.tld")).size(), 56u);
}

TEST(TallyFile, UnreadableFilesRaiseAndAreKeptUnderNewNames)
{
    TempDir dir;
    const std::string file = dir.path("kalvextally.tld");
    StrGrid table;
    TempDir::write(file, "garbage");
    EXPECT_THROW(readTallyFile(file, table), ELzrw1Exception);
    TempDir::write(file, packBytes("nine\r\n"));
    EXPECT_THROW(readTallyFile(file, table), GridFileError);

    EXPECT_EQ(keepUnreadableFile(file), file + ".unreadable");
    EXPECT_FALSE(std::filesystem::exists(file));
    TempDir::write(file, "again");
    EXPECT_EQ(keepUnreadableFile(file), file + ".unreadable-2");
    EXPECT_EQ(TempDir::read(file + ".unreadable"), packBytes("nine\r\n"));
    EXPECT_EQ(TempDir::read(file + ".unreadable-2"), "again");
    EXPECT_EQ(keepUnreadableFile(dir.path("missing")), "");

    TallyModel t;
    EXPECT_THROW(t.loadtally(StrGrid(3, 2)), GridFileError);
    EXPECT_EQ(t.table().rowCount(), 1);
}

TEST(TallyFile, AFailedStoreKeepsThePreviousFile)
{
    TempDir dir;
    const std::string file = dir.path("kalvextally.tld");
    TempDir::write(file, "previous");
    std::filesystem::create_directory(dir.path("blocked"));
    // The directory cannot take the new file: the store fails as a whole.
    EXPECT_THROW(writeTallyFile(dir.path("blocked/missing/kalvextally.tld"), StrGrid(9, 1)),
                 ELzrw1Exception);
    EXPECT_EQ(TempDir::read(file), "previous");
}

class FakeSeats : public TallySeats
{
public:
    int mine = 1;
    std::map<int, std::string> names;
    int myslot() const override { return mine; }
    std::string seatName(int slot) const override
    {
        const auto it = names.find(slot);
        return it == names.end() ? kFreeSeat : it->second;
    }
};

TEST(TallySeatsList, OtherOccupiedSeatsInSlotOrder)
{
    FakeSeats seats;
    seats.mine = 3;
    seats.names = {{1, "Host"}, {3, "Me"}, {5, "Ann"}, {10, "Zed"}, {7, kFreeSeat}};
    EXPECT_EQ(playersInCurrentGame(seats), (Row{"Host", "Ann", "Zed"}));
    seats.mine = 0;
    EXPECT_EQ(playersInCurrentGame(seats), (Row{"Host", "Me", "Ann", "Zed"}));
}

TEST(TallyReportText, AlignsNamesAndCounts)
{
    TallyModel t = withAnnAndBob();
    t.addOpponent("Ångström");
    t.addgame("Ann", {"Ann", "Ångström"});
    const std::string report = tallyReport(t.table());
    EXPECT_NE(report.find("Total Games:    1\nYour Wins:      0\nCodes Cracked:  0/0\n"),
              std::string::npos);
    EXPECT_NE(report.find("\nAnn           1           1          0            0"),
              std::string::npos)
        << report;
    EXPECT_NE(report.find("\nÅngström      1           0          0            1"),
              std::string::npos)
        << report;
    EXPECT_NE(tallyReport(TallyModel().table()).find("No players are being tallied."),
              std::string::npos);
    EXPECT_THROW(tallyReport(StrGrid(2, 2)), GridFileError);
}

} // namespace
} // namespace kalvex
