// The secondary windows' pictures on a denser screen: painted at the pixel
// ratio they are shown at, not a ratio-1 bitmap blown up.

#include "picture_detail.h"
#include "recording_desktop.h"
#include "windows/qt/about_form.h"
#include "windows/qt/download_form.h"
#include "windows/qt/two_state_picture.h"
#include "windows/qt/window_art.h"
#include "windows/qt/windows_resources.h"

#include <QApplication>
#include <QImageReader>
#include <QLabel>
#include <QPainter>
#include <QTemporaryDir>
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
        // Not the ratio-1 picture blown up.
        const QImage twice = renderAt(option, 2.0);
        EXPECT_GT(meanDifference(twice, blownUp(renderAt(option, 1.0), twice)), 1.5);
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

TEST(LobbyPicture, IsAlsoDrawnAtTwiceTheSizeForDenseScreens)
{
    initWindowsResources();
    QImageReader singleReader(":/windows/lobby_ad.jpg");
    QImageReader twiceReader(":/windows/lobby_ad@2x.jpg");
    EXPECT_EQ(twiceReader.format(), "jpeg");
    const QImage single = singleReader.read();
    const QImage twice = twiceReader.read();
    ASSERT_EQ(single.size(), QSize(340, 210));
    ASSERT_EQ(twice.size(), QSize(680, 420));
    // The same picture (close to the small one blown up), with the detail
    // blowing up cannot give.
    EXPECT_LT(meanDifference(twice, blownUp(single, twice)), 12.0);
    EXPECT_GT(meanDifference(twice, blownUp(single, twice)), 1.5);
    EXPECT_GT(distinctColours(twice), distinctColours(single) * 3 / 2);
}

// The tests below run in their own ctest entry with QT_SCALE_FACTOR=2, the
// way a high-density desktop runs the program; elsewhere they skip.
bool screenScaledByTwo()
{
    return qFuzzyCompare(qApp->devicePixelRatio(), 2.0);
}

// A picture with see-through parts as it shows on a plain background.
QImage over(const QPixmap &picture, const QColor &background)
{
    QImage image(picture.size(), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(picture.devicePixelRatio());
    image.fill(background);
    QPainter p(&image);
    p.drawPixmap(0, 0, picture);
    return image;
}

TEST(AtScaleTwo, TheDownloadWindowShowsTheLobbyPictureDrawnAtTwiceTheSize)
{
    if (!screenScaledByTwo())
        GTEST_SKIP() << "runs under QT_SCALE_FACTOR=2";
    QTemporaryDir home;
    RecordingDesktop desktop;
    Tdownload window(home.path(), nullptr, {}, &desktop);
    window.show();
    auto *picture = window.findChild<QLabel *>("image_ad");
    const QPixmap shown = picture->pixmap();
    EXPECT_EQ(shown.size(), QSize(680, 420));
    EXPECT_EQ(shown.deviceIndependentSize(), QSizeF(340, 210));
    // The caption keeps its corner of the picture.
    const QRect caption = window.findChild<QLabel *>("label_closed")->geometry();
    EXPECT_EQ(caption.right() + 1, 340 - 8);
    EXPECT_EQ(caption.top(), 8);
}

TEST(AtScaleTwo, GrabbedSwitchesAndLogoAreThePicturesPaintedAtTwiceTheRatio)
{
    if (!screenScaledByTwo())
        GTEST_SKIP() << "runs under QT_SCALE_FACTOR=2";
    TwoStatePicture option;
    option.setState(1);
    option.setFocusPolicy(Qt::NoFocus); // no focus ring over the picture
    option.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&option));
    const QImage grabbed = option.grab().toImage();
    EXPECT_EQ(grabbed.size(), QSize(116, 52));
    const QColor window = option.palette().color(QPalette::Window);
    EXPECT_EQ(differingPixels(grabbed, over(TwoStatePicture::picture(1, 2.0), window), 1), 0);

    Tabout about(nullptr);
    about.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&about));
    QLabel &logo = *about.findChild<QLabel *>("image_logo");
    const QImage shown = logo.grab().toImage();
    const QSize size(260, 130);
    const QPoint corner((logo.width() - size.width()) / 2, (logo.height() - size.height()) / 2);
    EXPECT_EQ(differingPixels(shown.copy(QRect(corner * 2, size * 2)),
                              over(kalvexLogo(size, 2.0), Qt::white), 1),
              0);
}

} // namespace
} // namespace kalvex::testing
