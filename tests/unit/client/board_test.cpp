#include "recording_output.h"

namespace kalvex::testing {
namespace {

using Board = SessionTest;

TEST_F(Board, RowLetters)
{
    EXPECT_EQ(getletter(1), "a");
    EXPECT_EQ(getletter(12), "l");
    EXPECT_EQ(getletter(0), "a");
    EXPECT_EQ(getletter(13), "a");
}

TEST_F(Board, OpenRowShowsFourYellowBallsAndSendsThemAtOnce)
{
    loginAs(2);
    playRound();
    for (int hole = 1; hole <= 4; ++hole) {
        EXPECT_EQ(session.board().hole(1, hole).colour, 1);
        EXPECT_TRUE(session.board().hole(1, hole).open);
    }
    EXPECT_EQ(session.statusText(), "Be a MasterMind!");
    EXPECT_TRUE(session.board().checkVisible());
    EXPECT_EQ(session.board().checkRow(), 1);
    session.checkPress();
    EXPECT_EQ(out.sent, std::vector<std::string>{wire("CMD_checkit+2+1+1+1+1+")});
    EXPECT_FALSE(session.board().checkVisible());
    EXPECT_FALSE(session.board().hole(1, 1).open);
    EXPECT_EQ(session.board().hole(1, 1).colour, 1) << "a submitted row keeps its balls";
}

TEST_F(Board, FiveColourCycleGoesBackToYellowWithAClickEachTime)
{
    loginAs(2);
    playRound(5, 120, false);
    std::vector<int> seen;
    for (int click = 0; click < 6; ++click) {
        session.ballClick(1, 3);
        seen.push_back(session.board().hole(1, 3).colour);
    }
    EXPECT_EQ(seen, (std::vector<int>{2, 3, 4, 5, 1, 2}));
    EXPECT_EQ(countCue(Cue::Click), 6);
}

TEST_F(Board, SixColourCycleReachesCyanBeforeYellow)
{
    loginAs(2);
    playRound(5, 120, true);
    std::vector<int> seen;
    for (int click = 0; click < 6; ++click) {
        session.ballClick(1, 1);
        seen.push_back(session.board().hole(1, 1).colour);
    }
    EXPECT_EQ(seen, (std::vector<int>{2, 3, 4, 5, 6, 1}));
}

TEST_F(Board, GuessCarriesEachHolesColour)
{
    loginAs(2);
    playRound();
    session.ballClick(1, 2);
    session.ballClick(1, 3);
    session.ballClick(1, 3);
    session.checkPress();
    EXPECT_EQ(out.sent, std::vector<std::string>{wire("CMD_checkit+2+1+2+3+1+")});
}

TEST_F(Board, ClicksOnClosedRowsOrAfterSubmittingChangeNothing)
{
    loginAs(2);
    playRound();
    session.ballClick(2, 1);
    EXPECT_EQ(session.board().hole(2, 1).colour, 0);
    session.checkPress();
    session.ballClick(1, 1);
    EXPECT_EQ(session.board().hole(1, 1).colour, 1);
    session.checkPress();
    EXPECT_EQ(out.sent.size(), 1u) << "the same row is never sent twice";
    EXPECT_EQ(countCue(Cue::Click), 0);
}

TEST_F(Board, ClicksAndCheckAreIgnoredWhileAnotherSlotHoldsTheTurn)
{
    loginAs(2);
    playRound();
    feed("CMD_nextplayer+0+1+");
    EXPECT_EQ(session.statusText(), "Round has started.");
    session.ballClick(1, 1);
    session.checkPress();
    EXPECT_EQ(session.board().hole(1, 1).colour, 1);
    EXPECT_TRUE(out.sent.empty());
}

TEST_F(Board, ClickWhileJustWatchingAsksToPlayAgainEvenOnAClosedHole)
{
    loginAs(2);
    playRound();
    feed("CMD_justwatching+2+1");
    out.forget();
    session.ballClick(5, 1);
    session.ballClick(1, 1);
    EXPECT_EQ(out.sent,
              (std::vector<std::string>{wire("CMD_justwatch+2+2"), wire("CMD_justwatch+2+2")}));
    EXPECT_EQ(session.board().hole(1, 1).colour, 2);
}

TEST_F(Board, ClueFillsGreensThenYellowsThenEmpties)
{
    loginAs(2);
    playRound();
    session.checkPress();
    feed("CMD_yourresult+2+1+1+2+1+");
    const ClueBox &box = session.board().clueBox(1);
    EXPECT_TRUE(box.visible);
    EXPECT_EQ(box.pegs, (std::array<Peg, 4>{Peg::Green, Peg::Yellow, Peg::Yellow, Peg::Empty}));
    EXPECT_FALSE(session.board().valueMarkerVisible(1));
    EXPECT_TRUE(session.board().valueMarkerVisible(2));
    EXPECT_EQ(countCue(Cue::Wrong), 1);
}

TEST_F(Board, CluePegsBeyondFourAreNotDrawn)
{
    loginAs(2);
    playRound();
    feed("CMD_yourresult+2+1+3+3+3+");
    EXPECT_EQ(session.board().clueBox(1).pegs,
              (std::array<Peg, 4>{Peg::Green, Peg::Green, Peg::Green, Peg::Yellow}));
    feed("CMD_yourresult+2+2+-3+0+1+");
    EXPECT_EQ(session.board().clueBox(2).pegs,
              (std::array<Peg, 4>{Peg::Empty, Peg::None, Peg::None, Peg::None}));
}

TEST_F(Board, ResultForAnotherSlotOrAMissingRowIsIgnored)
{
    loginAs(2);
    playRound();
    feed("CMD_yourresult+3+1+0+0+4+");
    feed("CMD_yourresult+2+13+0+0+4+");
    feed("CMD_yourresult+2+0+0+0+4+");
    for (int row = 1; row <= 12; ++row)
        EXPECT_FALSE(session.board().clueBox(row).visible);
    EXPECT_EQ(countCue(Cue::Wrong), 0);
}

TEST_F(Board, NextRowMovesTheCheckButtonAndOpensOnlyThatRow)
{
    loginAs(2);
    playRound();
    session.checkPress();
    feed("CMD_yourresult+2+1+0+0+4+");
    feed("CMD_nextplayer+2+2+");
    EXPECT_EQ(session.board().openRow(), 2);
    EXPECT_EQ(session.board().checkRow(), 2);
    EXPECT_TRUE(session.board().checkVisible());
    EXPECT_EQ(session.activerow(), 2);
    EXPECT_EQ(countCue(Cue::Turn), 1);
}

TEST_F(Board, NextPlayerForASlotWithoutASeatOrRowIsIgnored)
{
    loginAs(2);
    playRound();
    session.checkPress();
    feed("CMD_nextplayer+11+2+");
    feed("CMD_nextplayer+2+13+");
    EXPECT_EQ(session.guessslot(), 2);
    EXPECT_EQ(session.board().openRow(), 0);
}

TEST_F(Board, NextPlayerOpensNothingWhenTheSeatCarriesAnotherName)
{
    loginAs(2, "Ann");
    seatPlayer(3, "Cy");
    feed("CMD_startround+1+");
    feed("CMD_nextplayer+3+1+");
    EXPECT_EQ(session.board().openRow(), 0);
    EXPECT_EQ(session.guessslot(), 3);
    EXPECT_EQ(countCue(Cue::Turn), 0);
}

TEST_F(Board, GuessBeforeLoginIsNotSentButTheRowCloses)
{
    // Without a login myslot and guessslot are both 0.
    feed("CMD_loadgame+0+5+1+120+60+1+");
    ASSERT_EQ(session.board().openRow(), 1);
    session.checkPress();
    EXPECT_TRUE(out.sent.empty());
    EXPECT_EQ(session.board().openRow(), 0);
    EXPECT_FALSE(session.board().checkVisible());
}

} // namespace
} // namespace kalvex::testing
