#include "windows/qt/gamestart_form.h"
#include "windows/qt/two_state_picture.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>
#include <gtest/gtest.h>

namespace kalvex {
namespace {

class GameStartDialog : public ::testing::Test
{
protected:
    void SetUp() override
    {
        dialog.setPlayerName("Host");
        rounds = dialog.findChild<QSpinBox *>("edit_playtoscore");
        seconds = dialog.findChild<QSpinBox *>("edit_creationtime");
        bonus = dialog.findChild<TwoStatePicture *>("image_bonus");
        six = dialog.findChild<TwoStatePicture *>("image_six");
        start = dialog.findChild<QPushButton *>("button_start");
        ASSERT_TRUE(rounds && seconds && bonus && six && start);
    }

    QString sentRequest(QSignalSpy &spy) const
    {
        return spy.isEmpty() ? QString() : QString::fromLatin1(spy.takeFirst().at(0).toByteArray());
    }

    Tgamestart dialog{nullptr};
    QSpinBox *rounds = nullptr;
    QSpinBox *seconds = nullptr;
    TwoStatePicture *bonus = nullptr;
    TwoStatePicture *six = nullptr;
    QPushButton *start = nullptr;
};

TEST_F(GameStartDialog, ShowsItsCaptionAndDefaults)
{
    EXPECT_EQ(dialog.windowTitle(), "Kalvex - Game Start");
    EXPECT_EQ(rounds->value(), 5);
    EXPECT_EQ(seconds->value(), 120);
    EXPECT_EQ(bonus->state(), 0);
    EXPECT_EQ(six->state(), 0);
    EXPECT_TRUE(start->isDefault());
}

TEST_F(GameStartDialog, ArrowsStepAndStopAtTheEnds)
{
    dialog.show();
    rounds->setFocus();
    for (int i = 0; i < 12; ++i)
        QTest::keyClick(rounds, Qt::Key_Up);
    EXPECT_EQ(rounds->value(), 10);
    seconds->setFocus();
    QTest::keyClick(seconds, Qt::Key_Up);
    EXPECT_EQ(seconds->value(), 125);
    for (int i = 0; i < 30; ++i)
        QTest::keyClick(seconds, Qt::Key_Down);
    EXPECT_EQ(seconds->value(), 60);
}

TEST_F(GameStartDialog, NumberFieldsCannotBeTypedInto)
{
    dialog.show();
    rounds->setFocus();
    QTest::keyClicks(rounds, "9");
    EXPECT_EQ(rounds->value(), 5);
}

TEST_F(GameStartDialog, PictureClicksToggleAndTwoClicksReturnToOff)
{
    dialog.show();
    QTest::mouseClick(six, Qt::LeftButton);
    EXPECT_EQ(dialog.six(), 1);
    QTest::mouseClick(six, Qt::LeftButton);
    EXPECT_EQ(dialog.six(), 0);
    QTest::mouseClick(bonus, Qt::LeftButton);
    EXPECT_EQ(dialog.bonus(), 1);
    EXPECT_EQ(dialog.six(), 0);
}

TEST_F(GameStartDialog, StartSendsTheRequestHidesAndThenAsksForASave)
{
    QStringList events;
    QObject::connect(&dialog, &Tgamestart::startRequested, [&](const QByteArray &wire) {
        events << QStringLiteral("send %1 visible=%2")
                      .arg(QString::fromLatin1(wire))
                      .arg(dialog.isVisible());
    });
    QObject::connect(&dialog, &Tgamestart::saveSettingsRequested,
                     [&] { events << QStringLiteral("save visible=%1").arg(dialog.isVisible()); });
    dialog.show();
    QTest::mouseClick(start, Qt::LeftButton);
    ASSERT_EQ(events.size(), 2);
    EXPECT_EQ(events[0], QStringLiteral("send CMD_startgame+Host+5+120+0+0+\xFF visible=1"));
    EXPECT_EQ(events[1], "save visible=0");
}

TEST_F(GameStartDialog, EnterStartsTheGameWithTheChosenOptions)
{
    QSignalSpy sent(&dialog, &Tgamestart::startRequested);
    dialog.show();
    QTest::mouseClick(bonus, Qt::LeftButton);
    rounds->setFocus();
    QTest::keyClick(rounds, Qt::Key_Down);
    QTest::keyClick(rounds, Qt::Key_Return);
    EXPECT_EQ(sentRequest(sent), QStringLiteral("CMD_startgame+Host+4+120+1+0+\xFF"));
    EXPECT_FALSE(dialog.isVisible());
}

TEST_F(GameStartDialog, HostNameWithPlusStillStartsAGame)
{
    QSignalSpy sent(&dialog, &Tgamestart::startRequested);
    dialog.setPlayerName("Mr+Plus");
    dialog.startGame();
    EXPECT_EQ(sentRequest(sent), QStringLiteral("CMD_startgame+Mr Plus+5+120+0+0+\xFF"));
}

TEST_F(GameStartDialog, SavedOptionsAreShownWithinTheirRanges)
{
    dialog.setOptions({7, 95, 1, 1});
    EXPECT_EQ(dialog.options().rounds, 7);
    EXPECT_EQ(seconds->value(), 95);
    EXPECT_EQ(bonus->state(), 1);
    EXPECT_EQ(six->state(), 1);
    dialog.setRounds(40);
    dialog.setRoundSeconds(3);
    dialog.setSix(2);
    EXPECT_EQ(dialog.rounds(), 10);
    EXPECT_EQ(dialog.roundSeconds(), 60);
    EXPECT_EQ(dialog.six(), 0);
    QSignalSpy sent(&dialog, &Tgamestart::startRequested);
    dialog.startGame();
    EXPECT_EQ(sentRequest(sent), QStringLiteral("CMD_startgame+Host+10+60+1+0+\xFF"));
}

TEST_F(GameStartDialog, HidingLosesNothing)
{
    dialog.show();
    QTest::mouseClick(six, Qt::LeftButton);
    dialog.hide();
    dialog.show();
    EXPECT_EQ(dialog.six(), 1);
}

} // namespace
} // namespace kalvex
