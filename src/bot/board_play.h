#pragma once
// Playing the board of a client session the way a person does: reading the
// clues of the rows played so far, and clicking the balls of the open row
// to a code before pressing check.

#include "bot/solver.h"
#include "client/client_session.h"

namespace kalvex::bot {

// The next guess for the session's open row, from the guesses and clues its
// board shows (rows without a clue, played before this player took the
// seat, are passed over). The solver starts the round afresh.
Code decideFromBoard(Solver &solver, const ClientSession &session);

// Clicks each ball of the open row to the code's colour and presses check.
// Returns false, doing nothing, when no row is open for this player.
bool enterCode(ClientSession &session, const Code &code);

} // namespace kalvex::bot
