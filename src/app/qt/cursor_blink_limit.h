#pragma once
// CursorBlinkLimit: text cursors blink only for a while after the user's
// last key or click, then stay on without blinking, as desktop programs do,
// so that a window left alone wakes the program no more.

#include <QObject>
#include <QTimer>

#include <chrono>

namespace kalvex {

class CursorBlinkLimit : public QObject
{
    Q_OBJECT

public:
    static constexpr std::chrono::milliseconds kDefaultBlinkTime{10'000};

    // Watches the application's input from now on. Where the desktop asks
    // for no blinking at all, it never turns blinking on.
    explicit CursorBlinkLimit(QObject *parent = nullptr,
                              std::chrono::milliseconds blinkTime = kDefaultBlinkTime);
    ~CursorBlinkLimit() override;

    bool blinking() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void restartBlinking();
    void stopBlinking();

    const int desktopFlashTime;
    QTimer blinkTimeLeft;
};

} // namespace kalvex
