#include "windows/qt/window_art.h"

#include "client/qt/board_art.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <array>
#include <cmath>
#include <map>
#include <tuple>

namespace kalvex {

void paintKalvexLogo(QPainter &p, const QSize &size)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    const QRectF plate = QRectF(QPointF(0, 0), QSizeF(size)).adjusted(1, 1, -1, -1);
    QLinearGradient plateFill(plate.topLeft(), plate.bottomLeft());
    plateFill.setColorAt(0, QColor(58, 96, 152));
    plateFill.setColorAt(1, QColor(24, 44, 80));
    p.setPen(QPen(QColor(14, 26, 48), 2));
    p.setBrush(plateFill);
    p.drawRoundedRect(plate, 14, 14);

    // The first four balls of the board, as the game paints them.
    const qreal ball = plate.height() * 0.34;
    const qreal gap = ball * 0.25;
    const qreal rowWidth = 4 * ball + 3 * gap;
    qreal x = plate.center().x() - rowWidth / 2;
    const qreal y = plate.top() + plate.height() * 0.1;
    for (int colour = 1; colour <= 4; ++colour) {
        boardart::paintBall(p, QRectF(x, y, ball, ball), colour);
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
    p.restore();
}

QPixmap kalvexLogo(const QSize &size, qreal devicePixelRatio)
{
    static std::map<std::tuple<int, int, int>, QPixmap> made;
    const std::tuple<int, int, int> key(size.width(), size.height(),
                                        int(std::lround(devicePixelRatio * 100)));
    if (const auto found = made.find(key); found != made.end())
        return found->second;
    QPixmap pixmap(size * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    paintKalvexLogo(p, size);
    p.end();
    made.emplace(key, pixmap);
    return pixmap;
}

} // namespace kalvex
