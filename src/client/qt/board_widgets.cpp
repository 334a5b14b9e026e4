#include "client/qt/board_widgets.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStringDecoder>

#include <array>

namespace kalvex {

QString displayText(std::string_view bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    if (!utf8.hasError())
        return text;
    // Windows-1252: Latin-1 with its own characters in 0x80..0x9F.
    static constexpr std::array<char16_t, 32> high = {
        0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178,
    };
    text.clear();
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (char byte : bytes) {
        const auto code = static_cast<unsigned char>(byte);
        text.append(code >= 0x80 && code < 0xA0 ? QChar(high[code - 0x80]) : QChar(code));
    }
    return text;
}

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
