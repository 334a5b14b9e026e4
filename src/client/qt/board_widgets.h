#pragma once
// Small controls of the board panel: each paints one picture and reports
// clicks; none of them knows a game rule.

#include "net/qt/display_text.h"

#include <QAbstractButton>
#include <QLabel>
#include <QWidget>

#include <functional>
#include <string_view>

namespace kalvex {

// Paints itself with a function; reports a mouse button released over it.
class PaintedWidget : public QWidget
{
    Q_OBJECT

public:
    using Painter = std::function<void(QPainter &, const QRectF &)>;
    PaintedWidget(const QString &objectName, Painter painter, QWidget *parent);

signals:
    void released(Qt::MouseButton button);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    Painter paint;
};

// A button drawn as a picture, lit while hovered and sunk while pressed. A
// click's effect comes before the button is drawn again.
class PictureButton : public QAbstractButton
{
    Q_OBJECT

public:
    using Painter = std::function<void(QPainter &, const QRectF &, bool hovered, bool pressed)>;
    PictureButton(const QString &objectName, Painter painter, QWidget *parent);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    Painter paint;
    bool hovered = false;
};

// A label that shows its text elided when it does not fit; text() stays whole.
class ElidedLabel : public QLabel
{
    Q_OBJECT

public:
    ElidedLabel(const QString &objectName, QWidget *parent);

protected:
    void paintEvent(QPaintEvent *event) override;
};

// A label whose text carries a soft dark shadow, to stand out on the felt.
class ShadowLabel : public QLabel
{
    Q_OBJECT

public:
    ShadowLabel(const QString &objectName, QWidget *parent);

protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace kalvex
