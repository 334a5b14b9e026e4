#include "windows/qt/window_art.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <array>

namespace kalvex {

void paintBall(QPainter &painter, const QRectF &box, const QColor &colour)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    // Soft shadow below the ball.
    QRadialGradient shadow(box.center() + QPointF(0, box.height() * 0.42), box.width() * 0.5);
    shadow.setColorAt(0, QColor(0, 0, 0, 90));
    shadow.setColorAt(1, QColor(0, 0, 0, 0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(shadow);
    painter.drawEllipse(QRectF(box.left(), box.center().y() + box.height() * 0.3, box.width(),
                               box.height() * 0.26));

    QRadialGradient body(box.center() - QPointF(box.width() * 0.18, box.height() * 0.2),
                         box.width() * 0.62);
    body.setColorAt(0, colour.lighter(175));
    body.setColorAt(0.45, colour);
    body.setColorAt(1, colour.darker(210));
    painter.setBrush(body);
    painter.setPen(QPen(colour.darker(260), box.width() * 0.03));
    painter.drawEllipse(box);

    const QRectF gloss(box.left() + box.width() * 0.22, box.top() + box.height() * 0.1,
                       box.width() * 0.38, box.height() * 0.26);
    QLinearGradient shine(gloss.topLeft(), gloss.bottomLeft());
    shine.setColorAt(0, QColor(255, 255, 255, 210));
    shine.setColorAt(1, QColor(255, 255, 255, 0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(shine);
    painter.drawEllipse(gloss);
    painter.restore();
}

QPixmap kalvexLogo(const QSize &size, qreal devicePixelRatio)
{
    QPixmap pixmap(size * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    const QRectF plate = QRectF(QPointF(0, 0), QSizeF(size)).adjusted(1, 1, -1, -1);
    QLinearGradient plateFill(plate.topLeft(), plate.bottomLeft());
    plateFill.setColorAt(0, QColor(58, 96, 152));
    plateFill.setColorAt(1, QColor(24, 44, 80));
    p.setPen(QPen(QColor(14, 26, 48), 2));
    p.setBrush(plateFill);
    p.drawRoundedRect(plate, 14, 14);

    const std::array<QColor, 4> colours = {QColor(235, 200, 30), QColor(40, 170, 70),
                                           QColor(45, 95, 215), QColor(210, 40, 40)};
    const qreal ball = plate.height() * 0.34;
    const qreal gap = ball * 0.25;
    const qreal rowWidth = 4 * ball + 3 * gap;
    qreal x = plate.center().x() - rowWidth / 2;
    const qreal y = plate.top() + plate.height() * 0.1;
    for (const QColor &colour : colours) {
        paintBall(p, QRectF(x, y, ball, ball), colour);
        x += ball + gap;
    }

    QFont font(QStringLiteral("DejaVu Sans"));
    font.setBold(true);
    font.setPixelSize(qRound(plate.height() * 0.26));
    font.setLetterSpacing(QFont::PercentageSpacing, 112);
    p.setFont(font);
    const QRectF word(plate.left(), y + ball + plate.height() * 0.04, plate.width(),
                      plate.height() * 0.32);
    QPainterPath text;
    const QFontMetricsF metrics(font);
    const QString title = QStringLiteral("KALVEX");
    const qreal textWidth = metrics.horizontalAdvance(title);
    text.addText(word.center().x() - textWidth / 2, word.center().y() + metrics.ascent() / 2.6,
                 font, title);
    p.setPen(QPen(QColor(10, 20, 40), 3));
    p.setBrush(Qt::NoBrush);
    p.drawPath(text);
    QLinearGradient gold(word.topLeft(), word.bottomLeft());
    gold.setColorAt(0, QColor(255, 240, 170));
    gold.setColorAt(1, QColor(230, 170, 40));
    p.setPen(Qt::NoPen);
    p.setBrush(gold);
    p.drawPath(text);

    // A row of clue pegs: two green, one yellow, one empty.
    const std::array<QColor, 4> pegs = {QColor(40, 200, 80), QColor(40, 200, 80),
                                        QColor(245, 210, 40), QColor(0, 0, 0, 0)};
    const qreal peg = plate.height() * 0.07;
    qreal px = plate.center().x() - (4 * peg + 3 * peg) / 2;
    const qreal py = plate.bottom() - plate.height() * 0.13;
    for (const QColor &colour : pegs) {
        p.setPen(QPen(QColor(220, 230, 245, 200), 1));
        p.setBrush(colour);
        p.drawEllipse(QRectF(px, py, peg, peg));
        px += 2 * peg;
    }
    return pixmap;
}

} // namespace kalvex
