#pragma once
// Notes a timer's interval at each of its ticks, before the tick runs.

#include <QEvent>
#include <QTimer>

#include <vector>

namespace kalvex::test {

class TickWatch : public QObject
{
public:
    explicit TickWatch(QTimer &watched) : timer(watched) { timer.installEventFilter(this); }
    ~TickWatch() override { timer.removeEventFilter(this); }

    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Timer)
            intervals.push_back(timer.interval());
        return false;
    }
    std::size_t ticks() const { return intervals.size(); }

    QTimer &timer;
    std::vector<int> intervals;
};

} // namespace kalvex::test
