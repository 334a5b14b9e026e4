#include "app/qt/cursor_blink_limit.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QStyleHints>

namespace kalvex {

namespace {

QStyleHints *styleHints()
{
    return QGuiApplication::styleHints();
}

bool isUserInput(QEvent::Type type)
{
    switch (type) {
    case QEvent::KeyPress:
    case QEvent::ShortcutOverride:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::TabletPress:
    case QEvent::TouchBegin:
    case QEvent::InputMethod:
        return true;
    default:
        return false;
    }
}

} // namespace

CursorBlinkLimit::CursorBlinkLimit(QObject *parent, std::chrono::milliseconds blinkTime)
    : QObject(parent), desktopFlashTime(styleHints()->cursorFlashTime())
{
    if (desktopFlashTime <= 0)
        return;
    blinkTimeLeft.setSingleShot(true);
    blinkTimeLeft.setInterval(blinkTime);
    connect(&blinkTimeLeft, &QTimer::timeout, this, &CursorBlinkLimit::stopBlinking);
    blinkTimeLeft.start();
    QCoreApplication::instance()->installEventFilter(this);
}

CursorBlinkLimit::~CursorBlinkLimit()
{
    if (desktopFlashTime > 0 && !blinking())
        styleHints()->setCursorFlashTime(desktopFlashTime);
}

bool CursorBlinkLimit::blinking() const
{
    return styleHints()->cursorFlashTime() > 0;
}

bool CursorBlinkLimit::eventFilter(QObject *watched, QEvent *event)
{
    if (isUserInput(event->type()))
        restartBlinking();
    return QObject::eventFilter(watched, event);
}

void CursorBlinkLimit::restartBlinking()
{
    blinkTimeLeft.start();
    // Text fields with the focus start their blink timers again on this.
    if (!blinking())
        styleHints()->setCursorFlashTime(desktopFlashTime);
}

void CursorBlinkLimit::stopBlinking()
{
    // A zero flash time ends every running blink with the cursor shown.
    styleHints()->setCursorFlashTime(0);
}

} // namespace kalvex
