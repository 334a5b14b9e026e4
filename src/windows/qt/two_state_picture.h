#pragma once
// An option shown as one of two pictures (off, on); a click, or the space
// key, switches it.

#include <QWidget>

class QPainter;

namespace kalvex {

class TwoStatePicture : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kWidth = 58;
    static constexpr int kHeight = 26;

    explicit TwoStatePicture(QWidget *parent = nullptr);

    int state() const { return current; }
    // Any number but 1 shows the off picture and is kept as 0.
    void setState(int state);
    // Paints the picture of a state in the widget's own coordinates.
    static void paintPicture(QPainter &painter, int state);
    // That picture at a device pixel ratio, kept once made.
    static QPixmap picture(int state, qreal devicePixelRatio = 1.0);

    QSize sizeHint() const override { return {kWidth, kHeight}; }

signals:
    void toggled(int state);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void flip();

    int current = 0;
};

} // namespace kalvex
