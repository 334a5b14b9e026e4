// The board on a denser screen: every picture painted at the pixel ratio it
// is shown at carries detail that the ratio-1 picture blown up lacks.

#include "panel_test.h"
#include "picture_detail.h"

#include "client/qt/board_art.h"
#include "client/qt/board_panel.h"

#include <QPainter>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace kalvex::testing {
namespace {

// A board in play: a ball in the open row, a judged row with its pegs, a
// solver's badge, a watcher's eyes, the check button and the clock.
class SharpBoardTest : public PanelTest
{
protected:
    void SetUp() override
    {
        PanelTest::SetUp();
        if (HasFatalFailure())
            return;
        session.setPlayername("Cy");
        for (const char *line :
             {"CMD_sendlogininfo+3", "CMD_newplayerinfo+3+Cy", "CMD_existingplayers+4+Dan",
              "CMD_startgame+Bob+5+120+1+0+", "CMD_startround+2+", "CMD_nextplayer+3+1+",
              "CMD_yourresult+3+1+2+0+2+", "CMD_nextplayer+3+2+", "CMD_gotit+4+21+9+4+1+2+3+4+",
              "CMD_justwatching+4+1"})
            session.handleLine(line);
        QTest::mouseClick(control("try_b3"), Qt::LeftButton);
    }

    QRect placeOf(const char *name)
    {
        QWidget *widget = control(name);
        EXPECT_TRUE(widget->isVisible()) << name;
        return QRect(widget->mapTo(panel.get(), QPoint(0, 0)), widget->size());
    }
};

struct Part
{
    const char *what;
    QRect place;
    double minimumDifference;
};

TEST_F(SharpBoardTest, EveryPictureAtTwiceTheRatioCarriesDetailABlownUpOneLacks)
{
    const QImage single = renderAt(*panel, 1.0);
    const QImage twice = renderAt(*panel, 2.0);
    ASSERT_EQ(twice.size(), single.size() * 2);
    const std::vector<Part> parts = {
        {"the whole panel", panel->rect(), 1.0},
        {"the felt above the roster", QRect(0, 0, 336, 4), 0.9},
        {"the wooden board", QRect(173, 25, 164, 365), 1.0},
        {"a ball", placeOf("try_b3"), 2.0},
        {"a row's clue pegs", placeOf("myresult_1"), 2.0},
        {"a value marker", placeOf("guess_12"), 2.0},
        {"the check button", placeOf("button_check"), 2.0},
        {"a solver's badge", placeOf("image_complete4"), 2.0},
        {"a watcher's eyes", placeOf("image_eyes4"), 2.0},
        {"the time bonus badge", placeOf("image_bonus"), 2.0},
    };
    for (const Part &part : parts) {
        SCOPED_TRACE(part.what);
        const QImage small = single.copy(part.place);
        const QImage large = twice.copy(QRect(part.place.topLeft() * 2, part.place.size() * 2));
        // Blowing up adds no colour that the small picture lacks; painting at
        // twice the ratio adds many along every edge and gradient.
        EXPECT_EQ(distinctColours(blownUp(small, large, Qt::FastTransformation)),
                  distinctColours(small));
        EXPECT_GT(distinctColours(large), distinctColours(small));
        EXPECT_GT(meanDifference(large, blownUp(small, large)), part.minimumDifference);
    }
}

TEST_F(SharpBoardTest, ABallsRimHasMoreShadesAtTwiceTheRatio)
{
    // The rim is where a blown-up ball shows its steps.
    const QRect ball = placeOf("try_b3");
    const auto rimShades = [&](qreal ratio) {
        const QImage image =
            renderAt(*panel, ratio).copy(QRect((ball.topLeft() * ratio), ball.size() * ratio));
        QSet<QRgb> shades;
        const QPointF centre(image.width() / 2.0, image.height() / 2.0);
        const qreal outer = image.width() * 0.48;
        const qreal inner = image.width() * 0.3;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const qreal d = std::hypot(x + 0.5 - centre.x(), y + 0.5 - centre.y());
                if (d >= inner && d <= outer)
                    shades.insert(image.pixel(x, y));
            }
        }
        return int(shades.size());
    };
    EXPECT_GT(rimShades(2.0), rimShades(1.0) * 2);
}

TEST_F(SharpBoardTest, OnAScreenScaledByTwoTheGrabbedBoardIsPaintedAtThatRatio)
{
    // Runs in its own ctest entry with QT_SCALE_FACTOR=2; elsewhere it skips.
    if (!qFuzzyCompare(panel->devicePixelRatioF(), 2.0))
        GTEST_SKIP() << "runs under QT_SCALE_FACTOR=2";
    const QImage grabbed = panel->grab().toImage();
    ASSERT_EQ(grabbed.size(), panel->size() * 2);
    EXPECT_LE(differingPixels(grabbed, renderAt(*panel, 2.0), 1), grabbed.width());
    const QImage single = renderAt(*panel, 1.0);
    EXPECT_GT(distinctColours(grabbed), distinctColours(single) * 5 / 4);
    EXPECT_GT(meanDifference(grabbed.convertToFormat(QImage::Format_ARGB32_Premultiplied),
                             blownUp(single, grabbed)),
              1.0);
}

TEST(FeltTile, CoversExactlyOneTileOfWholeDevicePixelsAtAnyRatio)
{
    for (qreal ratio : {1.0, 1.25, 1.5, 2.0, 3.0}) {
        SCOPED_TRACE(ratio);
        const QPixmap tile = boardart::backgroundTile(ratio);
        EXPECT_EQ(tile.width(), qRound(boardart::kBackgroundTileSize * ratio));
        EXPECT_DOUBLE_EQ(tile.deviceIndependentSize().width(), boardart::kBackgroundTileSize);
        EXPECT_EQ(boardart::backgroundTile(ratio).cacheKey(), tile.cacheKey()) << "made once";
    }
    // At ratio 1 the tile is what it always was; at 2 it is painted, not
    // the ratio-1 tile blown up.
    const QImage single = boardart::backgroundTile(1.0).toImage();
    const QImage twice = boardart::backgroundTile(2.0).toImage();
    EXPECT_GT(meanDifference(twice, blownUp(single, twice)), 0.3);
    EXPECT_NE(boardart::backgroundTile(1.0).cacheKey(), boardart::backgroundTile(2.0).cacheKey());
}

TEST(BoardArt, PaintedPixelRatioIsThatOfTheSurfaceUnderThePainter)
{
    for (qreal ratio : {1.0, 1.5, 2.0}) {
        QPixmap surface(QSize(10, 10) * ratio);
        surface.setDevicePixelRatio(ratio);
        QPainter p(&surface);
        EXPECT_DOUBLE_EQ(boardart::paintedPixelRatio(p), ratio);
    }
}

} // namespace
} // namespace kalvex::testing
