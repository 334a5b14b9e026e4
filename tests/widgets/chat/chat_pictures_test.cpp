// The chat's pictures at screen scales above 1: painted at the pixel ratio
// they are shown at, never a stored bitmap blown up or shrunk.

#include "chat/qt/chat_pictures.h"
#include "picture_detail.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

#include <gtest/gtest.h>

#include <functional>

namespace kalvex::testing {
namespace {

using NativePainter = std::function<void(QPainter &)>;

// `paint` (which draws in a picture of `native` logical pixels) painted
// straight onto `device` pixels at `ratio`.
QImage paintedDirectly(const QSize &native, const QSize &device, qreal ratio,
                       const NativePainter &paint)
{
    QPixmap pixmap(device);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    const QSizeF logical = QSizeF(device) / ratio;
    p.scale(logical.width() / native.width(), logical.height() / native.height());
    paint(p);
    p.end();
    return pixmap.toImage();
}

struct IconCase
{
    const char *name;
    std::function<QIcon()> icon;
    QSize native;
    NativePainter paint;
};

std::vector<IconCase> buttonIcons()
{
    const QSize button(kButtonIconWidth, kButtonIconHeight);
    const QSize smiley(kSmileyWidth, kSmileyHeight);
    return {
        {"phrase 1", [] { return phraseIcon(1); }, button,
         [](QPainter &p) { paintPhraseBubble(p, 1); }},
        {"phrase 9", [] { return phraseIcon(9); }, button,
         [](QPainter &p) { paintPhraseBubble(p, 9); }},
        {"chatter", [] { return chatterIcon(); }, button, [](QPainter &p) { paintLoudspeaker(p); }},
        {"smiley 0", [] { return smileyIcon(0); }, smiley,
         [](QPainter &p) { paintSmiley(p, QRectF(0, 0, kSmileyWidth, kSmileyHeight), 0); }},
        {"smiley 17", [] { return smileyIcon(17); }, smiley,
         [](QPainter &p) { paintSmiley(p, QRectF(0, 0, kSmileyWidth, kSmileyHeight), 17); }},
    };
}

TEST(ChatIcons, ButtonIconsArePaintedAtTheScreensPixelRatio)
{
    for (const IconCase &c : buttonIcons()) {
        for (qreal ratio : {1.5, 2.0, 3.0}) {
            SCOPED_TRACE(::testing::Message() << c.name << " at " << ratio);
            const QPixmap shown = c.icon().pixmap(c.native, ratio);
            const QSize device = c.native * ratio;
            ASSERT_EQ(shown.size(), device);
            EXPECT_DOUBLE_EQ(shown.devicePixelRatio(), ratio);
            const QImage direct = paintedDirectly(c.native, device, ratio, c.paint);
            EXPECT_LE(differingPixels(shown.toImage(), direct, 2), device.width() / 4);
        }
    }
}

TEST(ChatIcons, MenuSmiliesArePaintedToTheMenusIconSizeNotShrunk)
{
    // A menu offers its small icon size (16 by 16 here), less than a smiley's
    // 17 by 16: the face is painted into the room, keeping its shape.
    const QSize room(16, 16);
    for (qreal ratio : {2.0, 3.0}) {
        SCOPED_TRACE(ratio);
        const QPixmap shown = smileyIcon(5).pixmap(room, ratio);
        const QSize device =
            QSize(kSmileyWidth, kSmileyHeight).scaled(room * ratio, Qt::KeepAspectRatio);
        ASSERT_EQ(shown.size(), device);
        const QImage direct =
            paintedDirectly(QSize(kSmileyWidth, kSmileyHeight), device, ratio, [](QPainter &p) {
                paintSmiley(p, QRectF(0, 0, kSmileyWidth, kSmileyHeight), 5);
            });
        EXPECT_LE(differingPixels(shown.toImage(), direct, 2), device.width() / 4);
    }
}

TEST(ChatIcons, AtRatioOneTheyAreThePictureOfTheirNativeSize)
{
    for (const IconCase &c : buttonIcons()) {
        SCOPED_TRACE(c.name);
        const QImage direct = paintedDirectly(c.native, c.native, 1.0, c.paint);
        EXPECT_EQ(differingPixels(c.icon().pixmap(c.native, 1.0).toImage(), direct), 0);
        // More room than the picture needs: it stays at its own size.
        EXPECT_EQ(c.icon().pixmap(c.native * 2, 1.0).size(), c.native);
        EXPECT_EQ(c.icon().actualSize(c.native * 2), c.native);
    }
    // Less room: the picture shrunk smoothly, as a stored bitmap would be.
    const QImage face =
        paintedDirectly(QSize(kSmileyWidth, kSmileyHeight), QSize(kSmileyWidth, kSmileyHeight), 1.0,
                        [](QPainter &p) { paintSmiley(p, QRectF(0, 0, 17, 16), 3); });
    const QImage shrunk = face.scaled(16, 15, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    EXPECT_EQ(differingPixels(smileyIcon(3).pixmap(QSize(16, 16), 1.0).toImage(), shrunk), 0);
}

TEST(ChatIcons, DisabledButtonsShowTheStylesGreyedPicture)
{
    // The phrase buttons are disabled while a phrase is on its way.
    for (qreal ratio : {1.0, 2.0}) {
        SCOPED_TRACE(ratio);
        const QIcon icon = phraseIcon(4);
        const QSize size(kButtonIconWidth, kButtonIconHeight);
        const QPixmap normal = icon.pixmap(size, ratio, QIcon::Normal);
        const QPixmap disabled = icon.pixmap(size, ratio, QIcon::Disabled);
        QStyleOption option;
        option.palette = QGuiApplication::palette();
        const QPixmap greyed =
            QApplication::style()->generatedIconPixmap(QIcon::Disabled, normal, &option);
        EXPECT_EQ(disabled.size(), normal.size());
        EXPECT_EQ(differingPixels(disabled.toImage(), greyed.toImage()), 0);
        EXPECT_GT(differingPixels(disabled.toImage(), normal.toImage()), 0);
    }
}

TEST(Smilies, TwiceTheRatioCarriesDetailThatABlownUpFaceLacks)
{
    for (int index : {0, 9, 16}) {
        SCOPED_TRACE(index);
        const QImage single = smileyPixmap(index, 1.0).toImage();
        const QImage twice = smileyPixmap(index, 2.0).toImage();
        ASSERT_EQ(twice.size(), single.size() * 2);
        // A blown-up face has no colour the small one lacks; a face painted
        // at twice the ratio has many more along its rim and features.
        EXPECT_EQ(distinctColours(blownUp(single, twice, Qt::FastTransformation)),
                  distinctColours(single));
        EXPECT_GT(distinctColours(twice), distinctColours(single) * 3 / 2);
        EXPECT_GT(meanDifference(twice, blownUp(single, twice)), 2.0);
    }
}

} // namespace
} // namespace kalvex::testing
