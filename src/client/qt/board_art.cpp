#include "client/qt/board_art.h"

#include <QGuiApplication>
#include <QLinearGradient>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QScreen>

#include <array>
#include <cmath>
#include <map>
#include <random>

namespace kalvex::boardart {

namespace {

// Saves and restores the painter around one picture, antialiased.
class PainterScope
{
public:
    explicit PainterScope(QPainter &painter) : p(painter)
    {
        p.save();
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
    }
    ~PainterScope() { p.restore(); }
    PainterScope(const PainterScope &) = delete;
    PainterScope &operator=(const PainterScope &) = delete;

private:
    QPainter &p;
};

QColor withAlpha(QColor colour, int alpha)
{
    colour.setAlpha(alpha);
    return colour;
}

void paintSphere(QPainter &p, const QRectF &body, const QColor &colour, qreal shadowDrop)
{
    if (shadowDrop > 0) {
        const QRectF shadowBox = body.translated(shadowDrop * 0.6, shadowDrop);
        QRadialGradient shadow(shadowBox.center(), shadowBox.width() * 0.55);
        shadow.setColorAt(0.0, QColor(0, 0, 0, 110));
        shadow.setColorAt(0.75, QColor(0, 0, 0, 50));
        shadow.setColorAt(1.0, QColor(0, 0, 0, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(shadow);
        p.drawEllipse(shadowBox.adjusted(-1, -1, 1, 1));
    }
    const qreal r = body.width() / 2;
    QRadialGradient fill(body.center(), r, body.center() - QPointF(r * 0.38, r * 0.42));
    fill.setColorAt(0.0, colour.lighter(165));
    fill.setColorAt(0.5, colour);
    fill.setColorAt(0.92, colour.darker(165));
    fill.setColorAt(1.0, colour.darker(210));
    p.setPen(QPen(colour.darker(260), qMax<qreal>(0.6, r * 0.08)));
    p.setBrush(fill);
    p.drawEllipse(body);

    // Light bounced back from the board at the bottom.
    QRadialGradient bounce(body.center() + QPointF(r * 0.25, r * 0.55), r * 0.55);
    bounce.setColorAt(0, withAlpha(colour.lighter(140), 110));
    bounce.setColorAt(1, withAlpha(colour, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(bounce);
    p.drawEllipse(body.adjusted(r * 0.15, r * 0.15, -r * 0.15, -r * 0.15));

    const QRectF gloss(body.left() + r * 0.38, body.top() + r * 0.2, r * 0.78, r * 0.52);
    QLinearGradient shine(gloss.topLeft(), gloss.bottomLeft());
    shine.setColorAt(0, QColor(255, 255, 255, 235));
    shine.setColorAt(1, QColor(255, 255, 255, 10));
    p.setBrush(shine);
    p.drawEllipse(gloss);
}

void paintRecess(QPainter &p, const QRectF &box, qreal radius)
{
    // A hole cut into the wood: dark inside, lit on the lower right rim.
    QPainterPath shape;
    shape.addRoundedRect(box, radius, radius);
    QLinearGradient rim(box.topLeft(), box.bottomRight());
    rim.setColorAt(0, QColor(20, 10, 4, 220));
    rim.setColorAt(1, QColor(255, 222, 180, 120));
    p.setPen(Qt::NoPen);
    p.setBrush(rim);
    p.drawPath(shape);
    const QRectF inner = box.adjusted(1, 1, -1, -1);
    QRadialGradient depth(inner.center() + QPointF(inner.width() * 0.1, inner.height() * 0.12),
                          inner.width() * 0.7);
    depth.setColorAt(0, QColor(58, 34, 18));
    depth.setColorAt(1, QColor(22, 12, 6));
    p.setBrush(depth);
    p.drawRoundedRect(inner, qMax<qreal>(0, radius - 1), qMax<qreal>(0, radius - 1));
}

QPainterPath roundedPath(const QRectF &box, qreal radius)
{
    QPainterPath path;
    path.addRoundedRect(box, radius, radius);
    return path;
}

void paintGlassPlate(QPainter &p, const QRectF &box, qreal radius, const QColor &top,
                     const QColor &bottom)
{
    // Drop shadow, body, inner highlight, border.
    for (int i = 3; i >= 1; --i) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 26));
        p.drawRoundedRect(box.translated(0, i * 0.8).adjusted(-i * 0.6, 0, i * 0.6, i * 0.6),
                          radius + i, radius + i);
    }
    QLinearGradient fill(box.topLeft(), box.bottomLeft());
    fill.setColorAt(0, top);
    fill.setColorAt(1, bottom);
    p.setBrush(fill);
    p.setPen(QPen(QColor(0, 0, 0, 150), 1));
    p.drawRoundedRect(box, radius, radius);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255, 46), 1));
    p.drawRoundedRect(box.adjusted(1, 1, -1, -1), radius - 1, radius - 1);
    QLinearGradient sheen(box.topLeft(), box.topLeft() + QPointF(0, 40));
    sheen.setColorAt(0, QColor(255, 255, 255, 30));
    sheen.setColorAt(1, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(sheen);
    p.drawRoundedRect(box.adjusted(1, 1, -1, -box.height() + 40), radius - 1, radius - 1);
}

QFont pixelFont(int pixels, bool bold)
{
    QFont font;
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

} // namespace

qreal paintedPixelRatio(const QPainter &p)
{
    if (const QPaintEngine *engine = p.paintEngine(); engine && engine->paintDevice())
        return engine->paintDevice()->devicePixelRatioF();
    return p.device() ? p.device()->devicePixelRatioF() : 1.0;
}

QColor ballColour(int colour)
{
    static const std::array<QColor, 7> colours = {
        QColor(0, 0, 0, 0),  QColor(255, 206, 20), QColor(40, 186, 72),  QColor(38, 104, 230),
        QColor(226, 44, 40), QColor(214, 52, 200), QColor(30, 206, 222),
    };
    if (colour < 0 || colour > kMaxColour)
        return colours[0];
    return colours[static_cast<std::size_t>(colour)];
}

void paintBall(QPainter &p, const QRectF &box, int colour)
{
    if (colour < 1 || colour > kMaxColour)
        return;
    PainterScope scope(p);
    const qreal size = qMin(box.width(), box.height()) - 2.5;
    const QRectF body(box.left() + 0.6, box.top() + 0.4, size, size);
    paintSphere(p, body, ballColour(colour), 1.8);
}

void paintBallNumber(QPainter &p, const QRectF &box, int colour)
{
    if (colour < 1 || colour > kMaxColour)
        return;
    PainterScope scope(p);
    const qreal size = qMin(box.width(), box.height()) - 2.5;
    const QRectF body(box.left() + 0.6, box.top() + 0.4, size, size);
    const QColor ball = ballColour(colour);
    const bool light = qGray(ball.rgb()) > 140;
    QFont font = p.font();
    font.setPixelSize(qRound(size * 0.68));
    font.setBold(true);
    p.setFont(font);
    const QString number = QString::number(colour);
    // A soft halo of the opposite shade keeps the figure readable on the
    // sphere's highlight.
    p.setPen(light ? QColor(255, 255, 255, 150) : QColor(0, 0, 0, 150));
    p.drawText(body.translated(0.6, 0.6), Qt::AlignCenter, number);
    p.setPen(light ? QColor(20, 20, 20) : QColor(255, 255, 255));
    p.drawText(body, Qt::AlignCenter, number);
}

void paintSelectionRing(QPainter &p, const QRectF &box)
{
    PainterScope scope(p);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(Qt::NoBrush);
    const QRectF ring = box.adjusted(1.5, 1.5, -1.5, -1.5);
    p.setPen(QPen(QColor(0, 0, 0, 150), 3.5));
    p.drawEllipse(ring);
    p.setPen(QPen(QColor(255, 255, 255), 2.0));
    p.drawEllipse(ring);
}

QString ballColourName(int colour)
{
    static const char *const names[] = {
        QT_TRANSLATE_NOOP("boardart", "empty"), QT_TRANSLATE_NOOP("boardart", "yellow"),
        QT_TRANSLATE_NOOP("boardart", "green"), QT_TRANSLATE_NOOP("boardart", "blue"),
        QT_TRANSLATE_NOOP("boardart", "red"),   QT_TRANSLATE_NOOP("boardart", "magenta"),
        QT_TRANSLATE_NOOP("boardart", "cyan")};
    const int shown = colour < 0 || colour > kMaxColour ? 0 : colour;
    return QCoreApplication::translate("boardart", names[shown]);
}

void paintHole(QPainter &p, const QRectF &box)
{
    PainterScope scope(p);
    const QRectF well = box.adjusted(1.5, 1.5, -1.5, -1.5);
    paintRecess(p, well, well.width() / 2);
}

void paintPeg(QPainter &p, const QRectF &box, Peg peg)
{
    PainterScope scope(p);
    const QRectF body = box.adjusted(1.2, 1.2, -1.6, -1.6);
    switch (peg) {
    case Peg::None:
        paintRecess(p, box.adjusted(3, 3, -3, -3), (box.width() - 6) / 2);
        break;
    case Peg::Green:
        paintSphere(p, body, QColor(34, 176, 64), 0.9);
        break;
    case Peg::Yellow:
        paintSphere(p, body, QColor(240, 170, 0), 0.9);
        break;
    case Peg::Empty:
        paintSphere(p, body, QColor(240, 240, 236), 0.9);
        break;
    }
}

void paintClueSocket(QPainter &p, const QRectF &box)
{
    PainterScope scope(p);
    paintRecess(p, box, 4);
    const qreal half = box.width() / 2;
    for (int i = 0; i < 4; ++i) {
        const QRectF cell(box.left() + (i % 2) * half, box.top() + (i / 2) * half, half, half);
        paintPeg(p, cell, Peg::None);
    }
}

void paintValueMarker(QPainter &p, const QRectF &box, int value)
{
    PainterScope scope(p);
    const QRectF tag = box.adjusted(0.5, 2.5, -0.5, -2.5);
    QLinearGradient brass(tag.topLeft(), tag.bottomLeft());
    brass.setColorAt(0, QColor(252, 226, 150));
    brass.setColorAt(0.5, QColor(214, 168, 72));
    brass.setColorAt(1, QColor(150, 104, 34));
    p.setPen(QPen(QColor(92, 58, 16), 0.8));
    p.setBrush(brass);
    p.drawRoundedRect(tag, 3.5, 3.5);
    p.setFont(pixelFont(value >= 10 ? 9 : 10, true));
    p.setPen(QColor(255, 244, 210, 160));
    p.drawText(tag.translated(0, 0.7), Qt::AlignCenter, QString::number(value));
    p.setPen(QColor(70, 40, 8));
    p.drawText(tag, Qt::AlignCenter, QString::number(value));
}

void paintBoard(QPainter &p, const BoardGeometry &g, int highlightedRow)
{
    PainterScope scope(p);
    const QRectF board = g.board;

    // Shadow under the board.
    for (int i = 4; i >= 1; --i) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 30));
        p.drawRoundedRect(board.translated(i * 0.5, i).adjusted(-i * 0.5, 0, i * 0.5, 0), 10 + i,
                          10 + i);
    }

    // Walnut body with grain.
    const QPainterPath body = roundedPath(board, 10);
    QLinearGradient wood(board.topLeft(), board.topRight());
    wood.setColorAt(0, QColor(112, 66, 34));
    wood.setColorAt(0.5, QColor(138, 84, 44));
    wood.setColorAt(1, QColor(104, 60, 30));
    p.setBrush(wood);
    p.drawPath(body);
    p.save();
    p.setClipPath(body);
    std::mt19937 grain(1234);
    std::uniform_real_distribution<qreal> unit(0, 1);
    for (int i = 0; i < 46; ++i) {
        const qreal x = board.left() + unit(grain) * board.width();
        const qreal sway = (unit(grain) - 0.5) * 14;
        QPainterPath line(QPointF(x, board.top()));
        line.cubicTo(QPointF(x + sway, board.top() + board.height() * 0.33),
                     QPointF(x - sway, board.top() + board.height() * 0.66),
                     QPointF(x + sway * 0.5, board.bottom()));
        const bool dark = unit(grain) < 0.6;
        p.setPen(QPen(dark ? QColor(60, 30, 10, 40 + int(unit(grain) * 40))
                           : QColor(255, 210, 160, 18 + int(unit(grain) * 20)),
                      0.6 + unit(grain) * 1.4));
        p.setBrush(Qt::NoBrush);
        p.drawPath(line);
    }
    // Varnish: a soft light from the top left.
    QRadialGradient varnish(board.topLeft() + QPointF(board.width() * 0.3, board.height() * 0.15),
                            board.height() * 0.9);
    varnish.setColorAt(0, QColor(255, 236, 200, 60));
    varnish.setColorAt(1, QColor(0, 0, 0, 50));
    p.setPen(Qt::NoPen);
    p.setBrush(varnish);
    p.drawRect(board);

    // The code shield above the rows.
    const QRectF shield(board.left() + 6, g.codeHoles[0].top() - 6, board.width() - 12,
                        g.codeHoles[0].height() + 12);
    QLinearGradient shieldFill(shield.topLeft(), shield.bottomLeft());
    shieldFill.setColorAt(0, QColor(40, 22, 10, 200));
    shieldFill.setColorAt(1, QColor(70, 40, 18, 200));
    p.setBrush(shieldFill);
    p.setPen(QPen(QColor(255, 220, 170, 70), 1));
    p.drawRoundedRect(shield, 6, 6);

    // Row bands, the open row lit.
    for (int row = 1; row <= kBoardRows; ++row) {
        const QRectF holes = g.holes[row - 1][0];
        const QRectF band(board.left() + 3, holes.top() - 2.5, board.width() - 6, 25);
        if (row == highlightedRow) {
            QLinearGradient glow(band.topLeft(), band.topRight());
            glow.setColorAt(0, QColor(255, 230, 140, 0));
            glow.setColorAt(0.2, QColor(255, 230, 140, 90));
            glow.setColorAt(0.8, QColor(255, 230, 140, 90));
            glow.setColorAt(1, QColor(255, 230, 140, 0));
            p.setPen(Qt::NoPen);
            p.setBrush(glow);
            p.drawRoundedRect(band, 8, 8);
        } else if (row % 2 == 0) {
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(0, 0, 0, 22));
            p.drawRect(band);
        }
    }
    // Grooves between the marker column, the holes and the clue column.
    const qreal top = g.holes[kBoardRows - 1][0].top() - 3;
    const qreal bottom = g.holes[0][0].bottom() + 3;
    for (qreal x : {g.holes[0][0].left() - 2.5, g.clueBoxes[0].left() - 2.5}) {
        p.setPen(QPen(QColor(40, 20, 8, 130), 1));
        p.drawLine(QPointF(x, top), QPointF(x, bottom));
        p.setPen(QPen(QColor(255, 220, 170, 50), 1));
        p.drawLine(QPointF(x + 1, top), QPointF(x + 1, bottom));
    }
    p.restore();

    // Bevel.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(40, 20, 6), 1.2));
    p.drawRoundedRect(board, 10, 10);
    p.setPen(QPen(QColor(255, 220, 170, 70), 1));
    p.drawRoundedRect(board.adjusted(1.5, 1.5, -1.5, -1.5), 9, 9);

    for (const auto &row : g.holes) {
        for (const QRectF &hole : row)
            paintHole(p, hole);
    }
    for (const QRectF &hole : g.codeHoles)
        paintHole(p, hole);
    for (const QRectF &box : g.clueBoxes)
        paintClueSocket(p, box);
}

void paintRosterPlate(QPainter &p, const QRectF &box)
{
    PainterScope scope(p);
    paintGlassPlate(p, box, 10, QColor(22, 38, 70, 235), QColor(10, 20, 40, 240));
}

void paintClockFrame(QPainter &p, const QRectF &box)
{
    PainterScope scope(p);
    p.setPen(QPen(QColor(255, 255, 255, 60), 1));
    QLinearGradient fill(box.topLeft(), box.bottomLeft());
    fill.setColorAt(0, QColor(4, 10, 22));
    fill.setColorAt(1, QColor(16, 28, 50));
    p.setBrush(fill);
    p.drawRoundedRect(box.adjusted(0.5, 0.5, -0.5, -0.5), 6, 6);
    p.setPen(QPen(QColor(0, 0, 0, 160), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(box.adjusted(1.5, 1.5, -1.5, -1.5), 5, 5);
}

void paintChatFrame(QPainter &p, const QRectF &box)
{
    PainterScope scope(p);
    paintGlassPlate(p, box, 10, QColor(30, 52, 92, 220), QColor(16, 30, 58, 230));
}

void paintSeatStripe(QPainter &p, const QRectF &box, const QColor &colour, bool emphasised)
{
    PainterScope scope(p);
    QLinearGradient stripe(box.topLeft(), box.topRight());
    stripe.setColorAt(0, withAlpha(colour, emphasised ? 70 : 26));
    stripe.setColorAt(1, withAlpha(colour, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(stripe);
    p.drawRoundedRect(box, 4, 4);
}

void paintBadge(QPainter &p, const QRectF &box, Badge badge)
{
    PainterScope scope(p);
    const QRectF disc = box.adjusted(1, 1, -1, -1);
    switch (badge) {
    case Badge::Eyes: {
        const qreal w = disc.width() / 2;
        for (int i = 0; i < 2; ++i) {
            const QRectF eye(disc.left() + i * w + 0.3, disc.top() + 1.5, w - 0.6,
                             disc.height() - 3);
            p.setPen(QPen(QColor(30, 30, 40), 0.8));
            p.setBrush(QColor(250, 250, 250));
            p.drawEllipse(eye);
            const QRectF pupil(eye.center().x() - w * 0.18, eye.center().y() - w * 0.05, w * 0.42,
                               w * 0.52);
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(30, 40, 70));
            p.drawEllipse(pupil);
            p.setBrush(Qt::white);
            p.drawEllipse(QRectF(pupil.left() + pupil.width() * 0.2,
                                 pupil.top() + pupil.height() * 0.15, pupil.width() * 0.35,
                                 pupil.width() * 0.35));
        }
        break;
    }
    case Badge::Solved:
    case Badge::Failed: {
        const QColor colour = badge == Badge::Solved ? QColor(40, 180, 70) : QColor(210, 50, 46);
        paintSphere(p, disc, colour, 0);
        QPen mark(Qt::white, disc.width() * 0.16, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
        p.setPen(mark);
        p.setBrush(Qt::NoBrush);
        const auto at = [&](qreal x, qreal y) {
            return QPointF(disc.left() + x * disc.width(), disc.top() + y * disc.height());
        };
        if (badge == Badge::Solved) {
            QPainterPath tick(at(0.27, 0.52));
            tick.lineTo(at(0.44, 0.7));
            tick.lineTo(at(0.74, 0.32));
            p.drawPath(tick);
        } else {
            p.drawLine(at(0.32, 0.32), at(0.68, 0.68));
            p.drawLine(at(0.68, 0.32), at(0.32, 0.68));
        }
        break;
    }
    }
}

namespace {

// The look both painted buttons share: a drop shadow (unless pressed), a
// vertical gradient of the base colour, a dark rim and a gloss on the top
// half. Returns the body, moved down a pixel while pressed.
struct GlossyButton
{
    QColor base;
    qreal radius;
    int shadowAlpha;
    int lighter, darker, rim;
    int glossAlpha;
    qreal glossInset, glossRadius, glossExtra;
};

QRectF paintGlossyBody(QPainter &p, const QRectF &box, bool pressed, GlossyButton look,
                       int pressedDarker)
{
    QRectF body = box.adjusted(1, 1, -1, -2);
    if (pressed)
        body.translate(0, 1);
    else {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, look.shadowAlpha));
        p.drawRoundedRect(body.translated(0, 1.5), look.radius, look.radius);
    }
    QColor base = look.base;
    if (pressed)
        base = base.darker(pressedDarker);
    QLinearGradient fill(body.topLeft(), body.bottomLeft());
    fill.setColorAt(0, base.lighter(look.lighter));
    fill.setColorAt(0.5, base);
    fill.setColorAt(1, base.darker(look.darker));
    p.setPen(QPen(base.darker(look.rim), 1));
    p.setBrush(fill);
    p.drawRoundedRect(body, look.radius, look.radius);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, look.glossAlpha));
    p.drawRoundedRect(
        body.adjusted(look.glossInset, 1.5, -look.glossInset, -body.height() / 2 - look.glossExtra),
        look.glossRadius, look.glossRadius);
    return body;
}

} // namespace

void paintCheckButton(QPainter &p, const QRectF &box, bool hovered, bool pressed)
{
    PainterScope scope(p);
    const QColor base = hovered ? QColor(64, 206, 96) : QColor(44, 176, 74);
    const QRectF body =
        paintGlossyBody(p, box, pressed, {base, 6, 90, 145, 150, 230, 70, 2, 4, 0}, 120);
    QPen mark(Qt::white, 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(mark);
    p.setBrush(Qt::NoBrush);
    const QPointF c = body.center();
    QPainterPath tick(c + QPointF(-6, 0.5));
    tick.lineTo(c + QPointF(-1.5, 4.5));
    tick.lineTo(c + QPointF(6.5, -4.5));
    p.drawPath(tick);
}

void paintStartButton(QPainter &p, const QRectF &box, bool hovered, bool pressed)
{
    PainterScope scope(p);
    const QColor base = hovered ? QColor(255, 172, 40) : QColor(240, 148, 24);
    const QRectF body =
        paintGlossyBody(p, box, pressed, {base, 8, 100, 140, 145, 240, 80, 3, 6, 1}, 115);
    p.setFont(pixelFont(13, true));
    p.setPen(QColor(110, 50, 0, 170));
    const QString caption = QCoreApplication::translate("boardart", "Start Game");
    p.drawText(body.translated(0, 1), Qt::AlignCenter, caption);
    p.setPen(Qt::white);
    p.drawText(body, Qt::AlignCenter, caption);
}

namespace {

void paintStopwatch(QPainter &p, const QRectF &box)
{
    const qreal size = qMin(box.width(), box.height() * 0.86);
    const QRectF face(box.center().x() - size / 2, box.bottom() - size, size, size);
    // Crown and button.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(150, 110, 30));
    p.drawRoundedRect(QRectF(face.center().x() - size * 0.12, box.top(), size * 0.24,
                             box.bottom() - size - box.top() + 1.5),
                      1, 1);
    QRadialGradient gold(face.center() - QPointF(size * 0.2, size * 0.2), size * 0.7);
    gold.setColorAt(0, QColor(255, 236, 150));
    gold.setColorAt(0.6, QColor(226, 176, 50));
    gold.setColorAt(1, QColor(150, 100, 20));
    p.setPen(QPen(QColor(110, 70, 10), 0.8));
    p.setBrush(gold);
    p.drawEllipse(face);
    const QRectF dial = face.adjusted(size * 0.16, size * 0.16, -size * 0.16, -size * 0.16);
    p.setBrush(QColor(255, 252, 240));
    p.setPen(QPen(QColor(120, 80, 20), 0.6));
    p.drawEllipse(dial);
    p.setPen(QPen(QColor(40, 30, 20), qMax<qreal>(0.9, size * 0.07), Qt::SolidLine, Qt::RoundCap));
    p.drawLine(dial.center(), dial.center() + QPointF(0, -dial.height() * 0.36));
    p.drawLine(dial.center(), dial.center() + QPointF(dial.width() * 0.28, dial.height() * 0.1));
}

} // namespace

void paintBonusBadge(QPainter &p, const QRectF &box)
{
    PainterScope scope(p);
    paintStopwatch(p, box.adjusted(1, 0, -1, -6));
    const QRectF ribbon(box.left(), box.bottom() - 9, box.width(), 9);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 30, 40));
    p.drawRoundedRect(ribbon, 2.5, 2.5);
    p.setFont(pixelFont(8, true));
    p.setPen(Qt::white);
    p.drawText(ribbon, Qt::AlignCenter, QStringLiteral("+5"));
}

void paintTimeBonusMarker(QPainter &p, const QRectF &box)
{
    PainterScope scope(p);
    paintStopwatch(p, box);
}

void paintWinnerMarker(QPainter &p, const QRectF &box)
{
    PainterScope scope(p);
    const QRectF frame = box.adjusted(3, 4, -1, -1);
    QLinearGradient glow(frame.topLeft(), frame.topRight());
    glow.setColorAt(0, QColor(255, 210, 60, 90));
    glow.setColorAt(1, QColor(255, 210, 60, 20));
    p.setBrush(glow);
    QLinearGradient gold(frame.topLeft(), frame.bottomLeft());
    gold.setColorAt(0, QColor(255, 240, 160));
    gold.setColorAt(1, QColor(200, 140, 20));
    p.setPen(QPen(QBrush(gold), 2));
    p.drawRoundedRect(frame, 6, 6);

    // A crown on the frame's left corner, clear of the texts.
    const qreal cw = 15;
    const qreal ch = 11;
    const QPointF base(box.left() + 1, box.top() + ch + 1);
    QPainterPath crown(base);
    crown.lineTo(base + QPointF(0, -ch * 0.85));
    crown.lineTo(base + QPointF(cw * 0.27, -ch * 0.4));
    crown.lineTo(base + QPointF(cw * 0.5, -ch));
    crown.lineTo(base + QPointF(cw * 0.73, -ch * 0.4));
    crown.lineTo(base + QPointF(cw, -ch * 0.85));
    crown.lineTo(base + QPointF(cw, 0));
    crown.closeSubpath();
    QLinearGradient crownFill(base + QPointF(0, -ch), base);
    crownFill.setColorAt(0, QColor(255, 244, 170));
    crownFill.setColorAt(1, QColor(214, 150, 20));
    p.setPen(QPen(QColor(120, 70, 0), 0.9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(crownFill);
    p.drawPath(crown);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(220, 30, 50));
    p.drawEllipse(base + QPointF(cw * 0.5, -ch * 0.3), 1.6, 1.6);
}

void paintClockBar(QPainter &p, const QRectF &box, bool hurry)
{
    if (box.width() <= 0)
        return;
    PainterScope scope(p);
    const QColor base = hurry ? QColor(32, 92, 132) : QColor(26, 120, 150);
    QLinearGradient fill(box.topLeft(), box.bottomLeft());
    fill.setColorAt(0, base.lighter(150));
    fill.setColorAt(0.45, base);
    fill.setColorAt(1, base.darker(170));
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    const qreal radius = qMin<qreal>(5, box.width() / 2);
    p.drawRoundedRect(box, radius, radius);
    p.setBrush(QColor(255, 255, 255, 50));
    p.drawRoundedRect(box.adjusted(1.5, 1.5, -1.5, -box.height() / 2), radius, radius);
}

QPixmap backgroundTile(qreal devicePixelRatio)
{
    const int size = kBackgroundTileSize;
    if (!(devicePixelRatio > 0))
        devicePixelRatio = 1.0;
    static std::map<int, QPixmap> made;
    const int key = int(std::lround(devicePixelRatio * 100));
    if (const auto found = made.find(key); found != made.end())
        return found->second;
    // Whole device pixels that cover exactly one tile, so the tiles meet
    // without a seam at any ratio.
    const int pixels = qMax(1, int(std::lround(size * devicePixelRatio)));
    QPixmap tile(pixels, pixels);
    tile.setDevicePixelRatio(qreal(pixels) / size);
    tile.fill(QColor(50, 84, 135));
    QPainter p(&tile);
    p.setRenderHint(QPainter::Antialiasing);
    // A fine diagonal weave that repeats seamlessly every 12 pixels.
    for (int d = -size; d < 2 * size; d += 12) {
        p.setPen(QPen(QColor(255, 255, 255, 10), 3));
        p.drawLine(QPointF(d, 0), QPointF(d + size, size));
        p.setPen(QPen(QColor(0, 0, 0, 16), 3));
        p.drawLine(QPointF(d + 6, 0), QPointF(d + 6 - size, size));
    }
    // Felt speckles.
    std::mt19937 noise(77);
    std::uniform_int_distribution<int> coordinate(0, size - 1);
    std::uniform_int_distribution<int> shade(0, 1);
    p.setRenderHint(QPainter::Antialiasing, false);
    for (int i = 0; i < 700; ++i) {
        p.setPen(shade(noise) ? QColor(255, 255, 255, 14) : QColor(0, 0, 20, 26));
        p.drawPoint(coordinate(noise), coordinate(noise));
    }
    p.end();
    made.emplace(key, tile);
    return tile;
}

QPixmap backgroundTile()
{
    qreal ratio = 1.0;
    if (auto *app = qobject_cast<QGuiApplication *>(QCoreApplication::instance())) {
        for (const QScreen *screen : app->screens())
            ratio = qMax(ratio, screen->devicePixelRatio());
    }
    return backgroundTile(ratio);
}

} // namespace kalvex::boardart
