// The secondary windows' pictures on a denser screen: painted at the pixel
// ratio they are shown at, not a ratio-1 bitmap blown up.

#include "picture_detail.h"
#include "windows/qt/about_form.h"
#include "windows/qt/two_state_picture.h"
#include "windows/qt/window_art.h"

#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>

namespace kalvex::testing {
namespace {

TEST(TwoStatePictures, ShowThePicturePaintedForTheRatioTheyArePaintedOn)
{
    TwoStatePicture option;
    for (int state : {0, 1}) {
        option.setState(state);
        for (qreal ratio : {1.0, 1.5, 2.0}) {
            SCOPED_TRACE(::testing::Message() << "state " << state << " at " << ratio);
            const QImage shown = renderAt(option, ratio);
            EXPECT_EQ(differingPixels(shown, TwoStatePicture::picture(state, ratio).toImage()), 0);
        }
    }
}

TEST(TwoStatePictures, TwiceTheRatioCarriesDetailThatABlownUpPictureLacks)
{
    TwoStatePicture option;
    for (int state : {0, 1}) {
        SCOPED_TRACE(state);
        option.setState(state);
        const QImage single = renderAt(option, 1.0);
        const QImage twice = renderAt(option, 2.0);
        ASSERT_EQ(twice.size(), single.size() * 2);
        EXPECT_GT(distinctColours(twice), distinctColours(single) * 3 / 2);
        EXPECT_GT(meanDifference(twice, blownUp(single, twice)), 1.5);
    }
}

TEST(TwoStatePictures, EachStateAndRatioIsPaintedOnce)
{
    const QPixmap first = TwoStatePicture::picture(1, 2.0);
    EXPECT_EQ(TwoStatePicture::picture(1, 2.0).cacheKey(), first.cacheKey());
    EXPECT_NE(TwoStatePicture::picture(0, 2.0).cacheKey(), first.cacheKey());
    EXPECT_NE(TwoStatePicture::picture(1, 1.5).cacheKey(), first.cacheKey());
    // Any state but 1 is the off picture.
    EXPECT_EQ(TwoStatePicture::picture(7, 2.0).cacheKey(),
              TwoStatePicture::picture(0, 2.0).cacheKey());
}

TEST(AboutLogo, IsPaintedForTheRatioTheWindowIsPaintedOn)
{
    Tabout about(nullptr);
    about.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&about));
    QLabel &logo = *about.findChild<QLabel *>("image_logo");
    const QSize size(260, 130);
    ASSERT_GE(logo.width(), size.width());
    ASSERT_GE(logo.height(), size.height());
    const QRect plate(
        QPoint((logo.width() - size.width()) / 2, (logo.height() - size.height()) / 2), size);
    for (qreal ratio : {1.0, 2.0}) {
        SCOPED_TRACE(ratio);
        const QImage shown = renderAt(logo, ratio);
        const QImage part = shown.copy(QRect(plate.topLeft() * ratio, plate.size() * ratio));
        EXPECT_EQ(differingPixels(part, kalvexLogo(size, ratio).toImage()), 0);
    }
    const QImage single = renderAt(logo, 1.0);
    const QImage twice = renderAt(logo, 2.0);
    EXPECT_GT(distinctColours(twice), distinctColours(single) * 3 / 2);
    EXPECT_GT(meanDifference(twice, blownUp(single, twice)), 1.0);
}

TEST(AboutLogo, EachSizeAndRatioIsPaintedOnce)
{
    const QPixmap logo = kalvexLogo(QSize(260, 130), 2.0);
    EXPECT_EQ(logo.size(), QSize(520, 260));
    EXPECT_DOUBLE_EQ(logo.devicePixelRatio(), 2.0);
    EXPECT_EQ(kalvexLogo(QSize(260, 130), 2.0).cacheKey(), logo.cacheKey());
    EXPECT_NE(kalvexLogo(QSize(260, 130), 1.0).cacheKey(), logo.cacheKey());
    EXPECT_NE(kalvexLogo(QSize(200, 100), 2.0).cacheKey(), logo.cacheKey());
}

} // namespace
} // namespace kalvex::testing
