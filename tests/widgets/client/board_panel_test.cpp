#include "panel_test.h"

#include "net/error_report.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace kalvex::testing {
namespace {

class BoardPanelTest : public PanelTest
{
protected:
    QString text(const char *name) { return control<QLabel>(name)->text(); }
    QColor textColour(const char *name)
    {
        return control<QLabel>(name)->palette().color(QPalette::WindowText);
    }
    void startRoundAs(int slot, const std::string &name, bool six = false)
    {
        session.setPlayername(name);
        feed("CMD_sendlogininfo+" + std::to_string(slot));
        feed("CMD_newplayerinfo+" + std::to_string(slot) + "+" + name);
        feed(std::string("CMD_startgame+Bob+5+120+1+") + (six ? "1" : "0") + "+");
        feed("CMD_startround+2+");
        feed("CMD_nextplayer+" + std::to_string(slot) + "+1+");
        out.sent.clear();
    }
    // The colour in the middle of a control as the user sees it.
    QColor centreColour(QWidget *widget)
    {
        const QImage image = widget->grab().toImage();
        return image.pixelColor(image.width() / 2, image.height() / 2);
    }
};

TEST_F(BoardPanelTest, HasTheDesignSizeAndStartTexts)
{
    EXPECT_EQ(panel->size(), QSize(613, 393));
    EXPECT_EQ(text("label_status"), "Welcome to Kalvex");
    EXPECT_EQ(text("label_roundnum"), "ROUND: 0/0");
    EXPECT_EQ(text("label_gametype"), "Five Color Game");
    EXPECT_EQ(text("label_timer"), "Time: 0:00");
    EXPECT_EQ(textColour("label_timer"), QColor(208, 217, 38));
    EXPECT_EQ(text("label_playername10"), "<Waiting>");
    EXPECT_EQ(text("label_score4"), "0");
    EXPECT_TRUE(control("image_bonus")->isVisible());
    EXPECT_FALSE(control("button_check")->isVisible());
    EXPECT_FALSE(control("myresult_1")->isVisible());
    EXPECT_TRUE(control("guess_12")->isVisible());
}

TEST_F(BoardPanelTest, ControlsStandWhereTheLayoutPutsThem)
{
    EXPECT_EQ(control("try_a1")->geometry(), QRect(200, 349, 20, 20));
    EXPECT_EQ(control("try_l4")->geometry(), QRect(275, 74, 20, 20));
    EXPECT_EQ(control("myresult_2")->pos(), QPoint(299, 323));
    EXPECT_EQ(control("guess_1")->pos().x(), 178);
    EXPECT_EQ(control("code_3")->pos(), QPoint(251, 37));
    EXPECT_EQ(control("button_start")->geometry(), QRect(201, 35, 99, 27));
    EXPECT_LT(control("label_playername1")->y(), control("label_playername2")->y());
    EXPECT_EQ(control("label_playername2")->y() - control("label_playername1")->y(), 22);
}

TEST_F(BoardPanelTest, LeftAndRightClicksStepABallThroughTheColours)
{
    startRoundAs(2, "Ann");
    QWidget *hole = control("try_a2");
    EXPECT_EQ(hole->property("colour").toInt(), 1);
    const QColor yellow = centreColour(hole);
    QTest::mouseClick(hole, Qt::LeftButton);
    EXPECT_EQ(session.board().hole(1, 2).colour, 2);
    EXPECT_EQ(hole->property("colour").toInt(), 2);
    const QColor green = centreColour(hole);
    EXPECT_GT(green.green(), green.red()) << "the ball is drawn green";
    EXPECT_GT(yellow.red(), green.red()) << "yellow before";
    QTest::mouseClick(hole, Qt::RightButton);
    EXPECT_EQ(hole->property("colour").toInt(), 3);
    const QColor blue = centreColour(hole);
    EXPECT_GT(blue.blue(), blue.red());
    EXPECT_EQ(out.cueCount(Cue::Click), 2);
}

TEST_F(BoardPanelTest, ClickOnAClosedRowChangesNothing)
{
    startRoundAs(2, "Ann");
    QTest::mouseClick(control("try_b1"), Qt::LeftButton);
    EXPECT_EQ(control("try_b1")->property("colour").toInt(), 0);
    EXPECT_EQ(out.cueCount(Cue::Click), 0);
}

TEST_F(BoardPanelTest, CheckButtonStandsBesideTheRowSendsTheGuessAndHides)
{
    startRoundAs(3, "Cy");
    auto *check = control<QAbstractButton>("button_check");
    ASSERT_TRUE(check->isVisible());
    EXPECT_EQ(check->y() + check->height() / 2, control("try_a1")->geometry().center().y());
    QTest::mouseClick(control("try_a4"), Qt::LeftButton);
    QTest::mouseClick(check, Qt::LeftButton);
    EXPECT_EQ(out.sent, std::vector<std::string>{wire("CMD_checkit+3+1+1+1+2+")});
    EXPECT_FALSE(check->isVisible());

    feed("CMD_yourresult+3+1+2+0+2+");
    EXPECT_TRUE(control("myresult_1")->isVisible());
    EXPECT_EQ(control("myresult_1")->property("pegs").toString(), "GGEE");
    EXPECT_FALSE(control("guess_1")->isVisible());
    feed("CMD_nextplayer+3+2+");
    EXPECT_TRUE(check->isVisible());
    EXPECT_EQ(check->y() + check->height() / 2, control("try_b1")->geometry().center().y());
}

TEST_F(BoardPanelTest, AFailingSendIsReportedNotThrownIntoTheEventLoop)
{
    startRoundAs(3, "Cy");
    std::vector<std::string> reports;
    ErrorSink previous =
        setErrorSink([&reports](ErrorOrigin, const std::string &text) { reports.push_back(text); });
    out.linkLost = true;
    QTest::mouseClick(control("button_check"), Qt::LeftButton);
    setErrorSink(previous);
    EXPECT_EQ(reports, std::vector<std::string>{"Socket Closed"});
    EXPECT_EQ(control("try_a1")->cursor().shape(), Qt::ArrowCursor) << "the row closed first";
}

TEST_F(BoardPanelTest, ClockShowsItsTextColourAndBar)
{
    startRoundAs(2, "Ann");
    for (int i = 0; i < 45; ++i)
        session.clockTick();
    EXPECT_EQ(text("label_timer"), "Time: 1:15");
    EXPECT_EQ(textColour("label_timer"), QColor(224, 227, 157));
    EXPECT_EQ(control("image_timer")->width(), 75);
    for (int i = 0; i < 66; ++i)
        session.clockTick();
    EXPECT_EQ(text("label_timer"), "Time: 0:09");
    EXPECT_EQ(textColour("label_timer"), QColor(255, 0, 0));
    EXPECT_EQ(control("image_timer")->width(), 9);
}

TEST_F(BoardPanelTest, TheClockOfAForeignHostsLongestRoundFitsItsLabel)
{
    session.setPlayername("Ann");
    feed("CMD_sendlogininfo+2");
    feed("CMD_newplayerinfo+2+Ann");
    feed("CMD_startgame+Bob+5+2147483647+0+0+");
    feed("CMD_startround+1+");
    session.clockTick();
    auto *clock = control<QLabel>("label_timer");
    EXPECT_EQ(clock->text(), "Time: 99:59");
    EXPECT_LE(clock->fontMetrics().horizontalAdvance(clock->text()), clock->width())
        << "the text stays inside the clock";
    EXPECT_EQ(control("image_timer")->width(), RoundClock::kDesignBarWidth);
}

TEST_F(BoardPanelTest, RosterShowsScoresPointsBadgesAndBoldSolvers)
{
    startRoundAs(2, "Ann");
    feed("CMD_existingplayers+3+Cy");
    feed("CMD_existingplayers+4+Dan");
    feed("CMD_gotit+3+21+9+4+1+2+3+4+");
    feed("CMD_didntgetit+4+");
    feed("CMD_justwatching+4+1");
    EXPECT_EQ(text("label_playername3"), "Cy");
    EXPECT_EQ(text("label_score3"), "21");
    EXPECT_EQ(text("label_bonus3"), "+9");
    EXPECT_TRUE(control("label_playername3")->font().bold());
    EXPECT_FALSE(control("label_playername4")->font().bold());
    EXPECT_TRUE(control("image_complete3")->isVisible());
    EXPECT_TRUE(control("image_imcomplete4")->isVisible());
    EXPECT_TRUE(control("image_eyes4")->isVisible());
    EXPECT_FALSE(control("image_eyes3")->isVisible());
    EXPECT_EQ(textColour("label_playername3"), QColor(196, 196, 255));
    EXPECT_EQ(textColour("label_score4"), QColor(220, 156, 156));
}

TEST_F(BoardPanelTest, NamesThatAreNotUtf8AreShownAsWindowsText)
{
    feed("CMD_newplayerinfo+5+Jos\xE9");
    EXPECT_EQ(text("label_playername5"), QString::fromUtf8("Jos\xC3\xA9"));
    feed("CMD_newplayerinfo+6+Zo\xC3\xAB");
    EXPECT_EQ(text("label_playername6"), QString::fromUtf8("Zo\xC3\xAB"));
}

TEST_F(BoardPanelTest, MarkersStandOverTheirSeatLines)
{
    startRoundAs(2, "Ann");
    feed("CMD_existingplayers+5+Eve");
    feed("CMD_gottime+5+30+");
    feed("CMD_winner+2+");
    QWidget *gottime = control("image_gottime");
    QWidget *winnerMarker = control("image_winner");
    ASSERT_TRUE(gottime->isVisible());
    ASSERT_TRUE(winnerMarker->isVisible());
    EXPECT_EQ(gottime->y(), control("label_playername5")->y() - 7);
    EXPECT_EQ(winnerMarker->y(), control("label_playername2")->y() - 3);
    EXPECT_EQ(text("label_status"), "You have Won the Game!");
    feed("CMD_startgame+Bob+5+120+0+0+");
    EXPECT_FALSE(gottime->isVisible());
    EXPECT_FALSE(winnerMarker->isVisible());
    EXPECT_FALSE(control("image_bonus")->isVisible());
}

TEST_F(BoardPanelTest, CodeHolesShowTheCodeAtTheEnd)
{
    startRoundAs(2, "Ann", true);
    feed("CMD_timeup+6+5+4+3+");
    EXPECT_EQ(control("code_1")->property("colour").toInt(), 6);
    EXPECT_EQ(control("code_4")->property("colour").toInt(), 3);
    EXPECT_EQ(text("label_timer"), "0:00");
    EXPECT_EQ(control("image_timer")->width(), 0);
    EXPECT_EQ(text("label_gametype"), "Six Color Game");
}

TEST_F(BoardPanelTest, StartButtonIsReportedAndHiddenWhenAGameStarts)
{
    QSignalSpy spy(panel.get(), &BoardPanel::startRequested);
    auto *start = control<QAbstractButton>("button_start");
    ASSERT_TRUE(start->isVisible());
    QTest::mouseClick(start, Qt::LeftButton);
    EXPECT_EQ(spy.count(), 1);
    feed("CMD_startgame+Bob+5+120+0+0+");
    EXPECT_FALSE(start->isVisible());
}

class SeatMenuTest : public BoardPanelTest
{
protected:
    QMenu *openMenuOn(int slot)
    {
        QWidget *name = control(QString("label_playername%1").arg(slot).toLatin1().constData());
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5),
                                name->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(name, &event);
        QMenu *menu = panel->findChild<QMenu *>("popup_kick");
        EXPECT_NE(menu, nullptr);
        return menu;
    }
    QAction *item(QMenu *menu, const QString &text)
    {
        for (QAction *action : menu->actions()) {
            if (action->text() == text)
                return action;
        }
        ADD_FAILURE() << text.toStdString();
        return nullptr;
    }
    void TearDown() override
    {
        if (QMenu *menu = panel->findChild<QMenu *>("popup_kick"))
            menu->hide();
        BoardPanelTest::TearDown();
    }
};

TEST_F(SeatMenuTest, HostRemovesThePlayerWhoseLineWasRightClicked)
{
    session.setHosting(true);
    session.setPlayername("Bob");
    feed("CMD_sendlogininfo+1");
    feed("CMD_existingplayers+7+Gus");
    out.sent.clear();
    QMenu *menu = openMenuOn(7);
    ASSERT_TRUE(menu->isVisible());
    QAction *remove = item(menu, "Remove From Game");
    ASSERT_TRUE(remove->isEnabled());
    remove->trigger();
    EXPECT_EQ(out.sent, std::vector<std::string>{wire("CMD_kickhim+1+7+")});
}

TEST_F(SeatMenuTest, HostOnAnEmptySeatMayOnlyChangeWatching)
{
    session.setHosting(true);
    feed("CMD_sendlogininfo+1");
    QMenu *menu = openMenuOn(4);
    EXPECT_FALSE(item(menu, "Remove From Game")->isEnabled());
    EXPECT_TRUE(item(menu, "Set to Just Watch")->isEnabled());
    QAction *unset = item(menu, "Unset Just Watch");
    EXPECT_TRUE(unset->isEnabled());
    out.sent.clear();
    unset->trigger();
    EXPECT_EQ(out.sent, std::vector<std::string>{wire("CMD_justwatch+4+2")});
}

TEST_F(SeatMenuTest, JoiningClientSeesEveryItemDisabled)
{
    feed("CMD_sendlogininfo+2");
    feed("CMD_existingplayers+1+Bob");
    QMenu *menu = openMenuOn(1);
    for (const char *text : {"Remove From Game", "Set to Just Watch", "Unset Just Watch"})
        EXPECT_FALSE(item(menu, text)->isEnabled()) << text;
}

TEST_F(SeatMenuTest, MuteChatSilencesThatSeatHereAndSendsNothing)
{
    session.setPlayername("Ann");
    feed("CMD_sendlogininfo+2");
    feed("CMD_newplayerinfo+2+Ann");
    feed("CMD_existingplayers+1+Bob");
    out.sent.clear();
    QMenu *menu = openMenuOn(1);
    QAction *mute = item(menu, "Mute Chat");
    ASSERT_TRUE(mute->isEnabled()) << "any player may mute another, host or not";
    EXPECT_FALSE(mute->isChecked());
    mute->trigger();
    EXPECT_TRUE(session.seatMuted(1));
    EXPECT_TRUE(out.sent.empty());
    EXPECT_TRUE(control("label_playername1")->accessibleName().contains("chat muted"));
    out.lines.clear();
    feed("CMD_chat+1+Bob chats: hi|clRed");
    EXPECT_TRUE(out.lines.empty());

    menu->hide();
    menu = openMenuOn(1);
    EXPECT_TRUE(item(menu, "Mute Chat")->isChecked()) << "the mark shows the seat's state";
    item(menu, "Mute Chat")->trigger();
    EXPECT_FALSE(session.seatMuted(1));

    menu->hide();
    EXPECT_FALSE(item(openMenuOn(2), "Mute Chat")->isEnabled()) << "not one's own seat";
    menu->hide();
    EXPECT_FALSE(item(openMenuOn(5), "Mute Chat")->isEnabled()) << "not an empty seat";
}

class KeyboardPlayTest : public BoardPanelTest
{
protected:
    void giveFocus()
    {
        panel->activateWindow();
        panel->setFocus(Qt::TabFocusReason);
        ASSERT_TRUE(QTest::qWaitFor([this] { return panel->hasFocus(); }, 2000));
    }
    void key(Qt::Key k) { QTest::keyClick(panel.get(), k); }
    // How many pixels of a control's picture are nearly white.
    static int whitePixels(QWidget *widget) { return whitePixels(widget->grab().toImage()); }
    static int whitePixels(const QImage &image)
    {
        int count = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                count += c.alpha() > 200 && c.red() > 235 && c.green() > 235 && c.blue() > 235;
            }
        }
        return count;
    }
    static int darkPixels(QWidget *widget)
    {
        const QImage image = widget->grab().toImage();
        int count = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                count += c.alpha() > 200 && qGray(c.rgb()) < 50;
            }
        }
        return count;
    }
};

TEST_F(KeyboardPlayTest, DigitsArrowsAndEnterPlayTheOpenRow)
{
    startRoundAs(2, "Ann");
    giveFocus();
    key(Qt::Key_3);
    key(Qt::Key_Right);
    key(Qt::Key_5);
    key(Qt::Key_Right);
    key(Qt::Key_Right);
    key(Qt::Key_Left);
    key(Qt::Key_2);
    key(Qt::Key_6);
    EXPECT_EQ(out.cueCount(Cue::Click), 3) << "6 is no colour of a five colour game";
    key(Qt::Key_Return);
    EXPECT_EQ(out.sent, std::vector<std::string>{wire("CMD_checkit+2+3+5+2+1+")});
    EXPECT_FALSE(control("button_check")->isVisible());
    key(Qt::Key_Enter);
    EXPECT_EQ(out.sent.size(), 1u) << "the row is sent once";
}

TEST_F(KeyboardPlayTest, TheSelectedHoleWearsARingWhileTheBoardHasTheKeyboard)
{
    startRoundAs(2, "Ann");
    panel->clearFocus();
    QWidget *first = control("try_a1");
    QWidget *second = control("try_a2");
    // The hole with a margin around it, as the panel shows it.
    const auto around = [this](QWidget *hole) {
        return whitePixels(panel->grab(hole->geometry().adjusted(-3, -3, 3, 3)).toImage());
    };
    const int plain = around(second);
    ASSERT_EQ(around(first), plain) << "no ring while the keyboard is elsewhere";
    giveFocus();
    EXPECT_GT(around(first), plain + 20) << "a ring around the first hole";
    EXPECT_LE(around(second), plain + 4);
    key(Qt::Key_Right);
    EXPECT_GT(around(second), plain + 20) << "the ring moves with the selection";
    EXPECT_LE(around(first), plain + 4);
    EXPECT_EQ(second->accessibleDescription(), "yellow (1), open, selected");
    EXPECT_EQ(first->accessibleDescription(), "yellow (1), open");

    panel->clearFocus();
    EXPECT_EQ(around(second), plain) << "the ring goes with the keyboard";
}

TEST_F(KeyboardPlayTest, KeysOutsideAnOpenRowChangeNothing)
{
    session.setPlayername("Ann");
    feed("CMD_sendlogininfo+2");
    out.sent.clear();
    giveFocus();
    key(Qt::Key_4);
    key(Qt::Key_Return);
    EXPECT_TRUE(out.sent.empty());
    EXPECT_EQ(session.board().hole(1, 1).colour, 0);
    EXPECT_EQ(control("try_a1")->accessibleDescription(), "empty");
}

TEST_F(KeyboardPlayTest, BallNumbersAreDrawnOnBallsAndCodeHolesOnlyWhenAsked)
{
    startRoundAs(2, "Ann", true);
    session.colourKey(6);
    feed("CMD_timeup+1+4+6+2+");
    ASSERT_EQ(session.board().codeColour(2), 4);
    QWidget *ball = control("try_a1");
    QWidget *code = control("code_2");
    QWidget *empty = control("try_b1");
    const int ballBefore = whitePixels(ball) + darkPixels(ball);
    const int codeBefore = whitePixels(code);
    const QImage emptyBefore = empty->grab().toImage();
    panel->setShowBallNumbers(true);
    EXPECT_TRUE(panel->ballNumbersShown());
    EXPECT_GT(whitePixels(ball) + darkPixels(ball), ballBefore + 8) << "a figure on the cyan ball";
    EXPECT_GT(whitePixels(code), codeBefore + 8) << "a white figure on the red code ball";
    EXPECT_EQ(empty->grab().toImage(), emptyBefore) << "an empty hole has no number";
    panel->setShowBallNumbers(false);
    EXPECT_EQ(whitePixels(code), codeBefore);
}

TEST_F(KeyboardPlayTest, ScreenReadersHearTheBoardAndTheSeats)
{
    startRoundAs(2, "Ann");
    // Rows are spoken as the game counts them, bottom up, with their worth.
    EXPECT_EQ(control("try_a1")->accessibleName(), "Row 1, 12 points, ball 1");
    EXPECT_EQ(control("try_c4")->accessibleName(), "Row 3, 10 points, ball 4");
    EXPECT_EQ(control("try_l2")->accessibleName(), "Row 12, 1 point, ball 2");
    EXPECT_EQ(control("guess_3")->accessibleName(), "Row 3, 10 points");
    EXPECT_EQ(control("myresult_12")->accessibleName(), "Clue for row 12");
    EXPECT_EQ(control("button_check")->accessibleDescription(), "Enter your guess for row 1");
    EXPECT_EQ(control("code_1")->accessibleName(), "Code ball 1");
    EXPECT_EQ(control("button_check")->accessibleName(), "Check");
    EXPECT_EQ(control("label_playername2")->accessibleName(), "Seat 2: Ann, score 0");
    EXPECT_FALSE(panel->accessibleName().isEmpty());
    feed("CMD_yourresult+2+1+1+2+1+");
    EXPECT_EQ(control("myresult_1")->accessibleDescription(), "1 green, 2 yellow, 1 empty");
}

} // namespace
} // namespace kalvex::testing
