#include "app/qt/cursor_blink_limit.h"

#include <QAbstractEventDispatcher>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QLineEdit>
#include <QStyleHints>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

#include <gtest/gtest.h>

#include <chrono>

using namespace kalvex;
using namespace std::chrono_literals;

namespace {

// A line edit that shows where its cursor is.
class ProbedLineEdit : public QLineEdit
{
public:
    using QLineEdit::cursorRect;
};

// The timers running for the edit and its inner parts, in ms; the cursor's
// blink timer is among them while it blinks.
QList<int> timerIntervals(const QWidget &edit)
{
    QList<int> intervals;
    QList<QObject *> objects = edit.findChildren<QObject *>();
    objects.append(const_cast<QWidget *>(&edit));
    for (QObject *object : objects) {
        for (const QAbstractEventDispatcher::TimerInfo &timer :
             QAbstractEventDispatcher::instance()->registeredTimers(object))
            intervals.append(timer.interval);
    }
    return intervals;
}

bool cursorBlinks(const QWidget &edit, int flashTime)
{
    return timerIntervals(edit).contains(flashTime / 2);
}

// Whether the cursor is drawn: a pixel of the text's colour where the cursor
// stands, beyond the end of the text.
bool cursorDrawn(ProbedLineEdit &edit)
{
    const QImage picture = edit.grab().toImage();
    const QRgb ink = edit.palette().color(QPalette::Text).rgb();
    const QRect area = edit.cursorRect() & picture.rect();
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (picture.pixel(x, y) == ink)
                return true;
        }
    }
    return false;
}

class CursorBlinkLimitTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        desktopFlashTime = QGuiApplication::styleHints()->cursorFlashTime();
        ASSERT_GT(desktopFlashTime, 0) << "the platform's cursor does not blink";
        auto *layout = new QVBoxLayout(&window);
        edit = new ProbedLineEdit;
        other = new ProbedLineEdit;
        layout->addWidget(edit);
        layout->addWidget(other);
        // Spaces keep the cursor clear of the letters' ink.
        edit->setText(QStringLiteral("a    "));
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        edit->setFocus();
        edit->end(false);
    }

    void TearDown() override
    {
        QGuiApplication::styleHints()->setCursorFlashTime(desktopFlashTime);
    }

    int desktopFlashTime = 0;
    QWidget window;
    ProbedLineEdit *edit = nullptr;
    ProbedLineEdit *other = nullptr;
};

} // namespace

TEST_F(CursorBlinkLimitTest, TheCursorStopsBlinkingAfterTheBlinkTimeAndStaysShown)
{
    ASSERT_TRUE(cursorBlinks(*edit, desktopFlashTime));
    ASSERT_FALSE(cursorDrawn(*other))
        << "the probe sees a cursor where none is drawn";

    CursorBlinkLimit limit(nullptr, 30ms);
    EXPECT_TRUE(limit.blinking());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !limit.blinking(); }, 5000));

    EXPECT_EQ(QGuiApplication::styleHints()->cursorFlashTime(), 0);
    EXPECT_FALSE(cursorBlinks(*edit, desktopFlashTime));
    EXPECT_TRUE(timerIntervals(*edit).isEmpty());
    EXPECT_TRUE(cursorDrawn(*edit));
    // Nothing but input brings the blink back.
    QTest::qWait(100);
    EXPECT_FALSE(limit.blinking());
    EXPECT_TRUE(timerIntervals(*edit).isEmpty());
}

TEST_F(CursorBlinkLimitTest, AKeyOrAClickBringsBackTheBlinkForAnotherSpell)
{
    CursorBlinkLimit limit(nullptr, 30ms);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !limit.blinking(); }, 5000));

    QTest::keyClick(edit, Qt::Key_Shift);
    EXPECT_EQ(QGuiApplication::styleHints()->cursorFlashTime(), desktopFlashTime);
    EXPECT_TRUE(cursorBlinks(*edit, desktopFlashTime));
    EXPECT_EQ(edit->text(), QStringLiteral("a    "));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !limit.blinking(); }, 5000));
    EXPECT_FALSE(cursorBlinks(*edit, desktopFlashTime));

    // A click in another field moves the cursor there, blinking.
    QTest::mouseClick(other, Qt::LeftButton);
    EXPECT_TRUE(other->hasFocus());
    EXPECT_TRUE(limit.blinking());
    EXPECT_TRUE(cursorBlinks(*other, desktopFlashTime));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !limit.blinking(); }, 5000));
    EXPECT_FALSE(cursorBlinks(*other, desktopFlashTime));
}

TEST_F(CursorBlinkLimitTest, InputWithinTheBlinkTimeStartsItAfresh)
{
    CursorBlinkLimit limit(nullptr, 1000ms);
    QTest::qWait(700);
    ASSERT_TRUE(limit.blinking());
    QTest::keyClick(edit, Qt::Key_Shift);
    QElapsedTimer sinceKey;
    sinceKey.start();
    QTest::qWait(700);
    // Past the first blink time, still within the second one.
    if (sinceKey.elapsed() >= 1000)
        GTEST_SKIP() << "the machine stalled past the blink time";
    EXPECT_TRUE(limit.blinking());
    EXPECT_TRUE(cursorBlinks(*edit, desktopFlashTime));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !limit.blinking(); }, 5000));
}

TEST_F(CursorBlinkLimitTest, ADesktopThatDoesNotBlinkIsLeftAlone)
{
    QGuiApplication::styleHints()->setCursorFlashTime(0);
    {
        CursorBlinkLimit limit(nullptr, 30ms);
        QTest::keyClick(edit, Qt::Key_Shift);
        QTest::mouseClick(edit, Qt::LeftButton);
        EXPECT_EQ(QGuiApplication::styleHints()->cursorFlashTime(), 0);
        EXPECT_TRUE(timerIntervals(*edit).isEmpty());
    }
    EXPECT_EQ(QGuiApplication::styleHints()->cursorFlashTime(), 0);
}

TEST_F(CursorBlinkLimitTest, EndingTheLimitGivesBackTheDesktopsBlink)
{
    {
        CursorBlinkLimit limit(nullptr, 30ms);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !limit.blinking(); }, 5000));
    }
    EXPECT_EQ(QGuiApplication::styleHints()->cursorFlashTime(), desktopFlashTime);
    EXPECT_TRUE(cursorBlinks(*edit, desktopFlashTime));
}
