#pragma once
// A token bucket on a millisecond clock: a burst of `burst` events at once,
// then `perSecond` a second on average. Counted in thousandths of a token so
// that the refill is exact for whole milliseconds.

#include <algorithm>
#include <cstdint>

namespace kalvex {

class TokenBucket
{
public:
    TokenBucket(int burst, int perSecond, std::int64_t nowMs)
        : capacity(std::int64_t{burst} * kUnit), refillPerMs(perSecond), credit(capacity),
          lastMs(nowMs)
    {}

    // Takes one token if there is one; false means the event is over the rate.
    bool take(std::int64_t nowMs)
    {
        // A clock that went back refills nothing.
        if (nowMs > lastMs) {
            const std::int64_t elapsed = std::min(nowMs - lastMs, capacity);
            credit = std::min(capacity, credit + elapsed * refillPerMs);
            lastMs = nowMs;
        }
        if (credit < kUnit)
            return false;
        credit -= kUnit;
        return true;
    }

private:
    // perSecond tokens a second are perSecond thousandths a millisecond.
    static constexpr std::int64_t kUnit = 1000;
    std::int64_t capacity;
    std::int64_t refillPerMs;
    std::int64_t credit;
    std::int64_t lastMs;
};

} // namespace kalvex
