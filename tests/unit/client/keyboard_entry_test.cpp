// Entering a guess from the keyboard: a selected hole, colour keys and the
// check key follow the same rules as the mouse.

#include "recording_output.h"

namespace kalvex::testing {
namespace {

using KeyboardEntry = SessionTest;

TEST_F(KeyboardEntry, ColourKeysFillTheSelectedHoleAndTheGuessIsSentAsTyped)
{
    loginAs(2);
    playRound();
    EXPECT_EQ(session.selectedHole(), 1) << "a row opens with its first hole selected";
    session.colourKey(3);
    session.moveSelection(+1);
    session.colourKey(5);
    session.moveSelection(+1);
    session.moveSelection(+1);
    session.colourKey(2);
    EXPECT_EQ(countCue(Cue::Click), 3);
    session.checkPress();
    EXPECT_EQ(out.sent, std::vector<std::string>{wire("CMD_checkit+2+3+5+1+2+")});
}

TEST_F(KeyboardEntry, TheSelectionStopsAtBothEndsOfTheRow)
{
    loginAs(2);
    playRound();
    session.moveSelection(-1);
    EXPECT_EQ(session.selectedHole(), 1);
    for (int i = 0; i < 6; ++i)
        session.moveSelection(+1);
    EXPECT_EQ(session.selectedHole(), 4);
}

TEST_F(KeyboardEntry, ColoursBeyondTheGamesCountAreRefused)
{
    loginAs(2);
    playRound(5, 120, false);
    session.colourKey(6);
    session.colourKey(0);
    session.colourKey(7);
    EXPECT_EQ(session.board().hole(1, 1).colour, 1) << "cyan is not a colour of a five colour game";
    EXPECT_EQ(countCue(Cue::Click), 0);

    loginAs(3);
    playRound(5, 120, true);
    session.colourKey(6);
    EXPECT_EQ(session.board().hole(1, 1).colour, 6);
}

TEST_F(KeyboardEntry, KeysDoNothingWhenThisClientMayNotGuess)
{
    loginAs(2);
    session.colourKey(3);
    session.checkPress();
    EXPECT_TRUE(out.sent.empty()) << "no row is open before the round";

    playRound();
    session.checkPress();
    out.forget();
    // Submitted: the row is closed until the next one opens.
    session.colourKey(4);
    session.checkPress();
    EXPECT_EQ(session.board().hole(1, 1).colour, 1);
    EXPECT_TRUE(out.sent.empty()) << "a second Enter sends the row only once";

    feed("CMD_nextplayer+2+2+");
    EXPECT_EQ(session.selectedHole(), 1) << "the next row starts at its first hole again";
    for (int tick = 0; tick < 125; ++tick)
        session.clockTick();
    out.forget();
    session.colourKey(4);
    EXPECT_EQ(session.board().hole(2, 1).colour, 1) << "the clock ran out";
    EXPECT_EQ(countCue(Cue::Click), 0);
}

TEST_F(KeyboardEntry, AClickedBallBecomesTheSelection)
{
    loginAs(2);
    playRound();
    session.ballClick(1, 3);
    EXPECT_EQ(session.selectedHole(), 3);
    session.colourKey(4);
    EXPECT_EQ(session.board().hole(1, 3).colour, 4);
}

TEST_F(KeyboardEntry, AWatchingPlayerWhoTypesAColourAsksToPlayAgain)
{
    loginAs(2);
    playRound();
    feed("CMD_justwatching+2+1");
    out.forget();
    session.colourKey(2);
    ASSERT_FALSE(out.sent.empty());
    EXPECT_EQ(out.sent.front(), wire("CMD_justwatch+2+2"));
}

} // namespace
} // namespace kalvex::testing
