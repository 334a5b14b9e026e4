#include "windows/qt/two_state_picture.h"
#include "client/qt/board_art.h"

#include "windows/game_options.h"

#include <QCoreApplication>
#include <QHash>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace kalvex {

TwoStatePicture::TwoStatePicture(QWidget *parent) : QWidget(parent)
{
    setFixedSize(kWidth, kHeight);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
    setAccessibleDescription(tr("Off"));
}

void TwoStatePicture::setState(int state)
{
    current = twoState(state);
    setAccessibleDescription(current ? tr("On") : tr("Off"));
    update();
}

void TwoStatePicture::flip()
{
    setState(kalvex::toggled(current));
    emit toggled(current);
}

void TwoStatePicture::paintPicture(QPainter &p, int state)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const bool on = state == 1;
    const QRectF track(1, 1, kWidth - 2, kHeight - 2);
    const qreal radius = track.height() / 2;

    QLinearGradient trackFill(track.topLeft(), track.bottomLeft());
    if (on) {
        trackFill.setColorAt(0, QColor(92, 200, 92));
        trackFill.setColorAt(1, QColor(36, 140, 48));
    } else {
        trackFill.setColorAt(0, QColor(150, 156, 166));
        trackFill.setColorAt(1, QColor(104, 110, 122));
    }
    p.setPen(QPen(QColor(20, 30, 45, 180), 1));
    p.setBrush(trackFill);
    p.drawRoundedRect(track, radius, radius);

    const qreal knobSize = track.height() - 4;
    const QRectF knob(on ? track.right() - 2 - knobSize : track.left() + 2, track.top() + 2,
                      knobSize, knobSize);
    QRadialGradient shine(knob.center() - QPointF(knobSize / 5, knobSize / 5), knobSize);
    shine.setColorAt(0, Qt::white);
    shine.setColorAt(1, QColor(200, 204, 212));
    p.setPen(QPen(QColor(0, 0, 0, 90), 1));
    p.setBrush(shine);
    p.drawEllipse(knob);

    QFont font;
    font.setPixelSize(11);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    const QRectF label =
        on ? QRectF(track.left() + 4, track.top(), track.width() - knobSize - 8, track.height())
           : QRectF(knob.right() + 2, track.top(), track.right() - knob.right() - 4,
                    track.height());
    p.drawText(label, Qt::AlignCenter,
               on ? QCoreApplication::translate("kalvex::TwoStatePicture", "ON")
                  : QCoreApplication::translate("kalvex::TwoStatePicture", "OFF"));
    p.restore();
}

QPixmap TwoStatePicture::picture(int state, qreal devicePixelRatio)
{
    // Two pictures per screen scale in use; kept for the program's life.
    static QHash<QPair<int, int>, QPixmap> made;
    const auto key = qMakePair(twoState(state), int(std::lround(devicePixelRatio * 100)));
    if (const auto found = made.constFind(key); found != made.cend())
        return *found;
    QPixmap pixmap(QSize(kWidth, kHeight) * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    paintPicture(p, key.first);
    p.end();
    made.insert(key, pixmap);
    return pixmap;
}

void TwoStatePicture::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    // The ratio of what is painted on: the screen's, or a grab's.
    p.drawPixmap(0, 0, picture(current, boardart::paintedPixelRatio(p)));
    if (hasFocus()) {
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor(255, 210, 80), 1.5));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(QRectF(rect()).adjusted(0.75, 0.75, -0.75, -0.75), 12.5, 12.5);
    }
}

void TwoStatePicture::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        flip();
    else
        QWidget::mousePressEvent(event);
}

void TwoStatePicture::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Space)
        flip();
    else
        QWidget::keyPressEvent(event);
}

} // namespace kalvex
