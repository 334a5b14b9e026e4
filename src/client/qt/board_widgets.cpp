#include "client/qt/board_widgets.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

#include <array>

namespace kalvex {

PaintedWidget::PaintedWidget(const QString &objectName, Painter painter, QWidget *parent)
    : QWidget(parent), paint(std::move(painter))
{
    setObjectName(objectName);
    setAttribute(Qt::WA_TranslucentBackground);
}

void PaintedWidget::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    paint(p, QRectF(rect()));
}

void PaintedWidget::mousePressEvent(QMouseEvent *event)
{
    event->accept();
}

void PaintedWidget::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    if (rect().contains(event->position().toPoint()))
        emit released(event->button());
}

PictureButton::PictureButton(const QString &objectName, Painter painter, QWidget *parent)
    : QAbstractButton(parent), paint(std::move(painter))
{
    setObjectName(objectName);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::NoFocus);
}

void PictureButton::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    paint(p, QRectF(rect()), hovered, isDown());
}

void PictureButton::mouseReleaseEvent(QMouseEvent *event)
{
    // A plain button draws itself risen at once, before it reports the
    // click; here the click goes first (a guess is on the wire before any
    // drawing) and the risen button is drawn with the next paint event.
    if (event->button() != Qt::LeftButton || !isDown() || !hitButton(event->position().toPoint())) {
        QAbstractButton::mouseReleaseEvent(event);
        return;
    }
    event->accept();
    QPointer<PictureButton> self(this);
    setDown(false);
    emit released();
    if (self)
        emit clicked(isChecked());
}

void PictureButton::enterEvent(QEnterEvent *event)
{
    hovered = true;
    update();
    QAbstractButton::enterEvent(event);
}

void PictureButton::leaveEvent(QEvent *event)
{
    hovered = false;
    update();
    QAbstractButton::leaveEvent(event);
}

ElidedLabel::ElidedLabel(const QString &objectName, QWidget *parent) : QLabel(parent)
{
    setObjectName(objectName);
}

void ElidedLabel::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setFont(font());
    p.setPen(palette().color(QPalette::WindowText));
    const QRect box = contentsRect();
    p.drawText(box, static_cast<int>(alignment()),
               fontMetrics().elidedText(text(), Qt::ElideRight, box.width()));
}

ShadowLabel::ShadowLabel(const QString &objectName, QWidget *parent) : QLabel(parent)
{
    setObjectName(objectName);
}

void ShadowLabel::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setFont(font());
    const QRect box = contentsRect();
    const int flags = static_cast<int>(alignment());
    p.setPen(QColor(0, 0, 0, 110));
    p.drawText(box.translated(1, 2), flags, text());
    p.setPen(QColor(0, 0, 0, 190));
    p.drawText(box.translated(0, 1), flags, text());
    p.setPen(palette().color(QPalette::WindowText));
    p.drawText(box, flags, text());
}

} // namespace kalvex
