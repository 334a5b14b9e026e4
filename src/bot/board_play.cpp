#include "bot/board_play.h"

#include <algorithm>

namespace kalvex::bot {

Code decideFromBoard(Solver &solver, const ClientSession &session)
{
    solver.newRound(colourCount(session.sixColours()));
    const Board &board = session.board();
    for (int row = 1; row < board.openRow(); ++row) {
        const ClueBox &box = board.clueBox(row);
        if (!box.visible)
            continue;
        Code played{};
        for (int hole = 1; hole <= kRowHoles; ++hole)
            played[hole - 1] = board.hole(row, hole).colour;
        const Clue clue{
            static_cast<int>(std::count(box.pegs.begin(), box.pegs.end(), Peg::Green)),
            static_cast<int>(std::count(box.pegs.begin(), box.pegs.end(), Peg::Yellow))};
        solver.learn(played, clue);
    }
    return solver.nextGuess();
}

bool enterCode(ClientSession &session, const Code &code)
{
    const int row = session.board().openRow();
    if (row == 0 || session.myslot() == 0 || session.guessslot() != session.myslot())
        return false;
    const int colours = colourCount(session.sixColours());
    for (int hole = 1; hole <= kRowHoles; ++hole) {
        const int shown = session.board().hole(row, hole).colour;
        // Each click moves the ball to the next colour, after the last back to yellow.
        const int clicks = ((code[hole - 1] - shown) % colours + colours) % colours;
        for (int k = 0; k < clicks; ++k)
            session.ballClick(row, hole);
    }
    session.checkPress();
    return true;
}

} // namespace kalvex::bot
