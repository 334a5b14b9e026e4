#pragma once
// Gives back what the start-up needed only for a moment, so that the idle
// program holds no more threads and memory than its work needs.

#include <chrono>

class QObject;

namespace kalvex {

// Qt's raster engine fills large shapes on the threads of the global thread
// pool; by default they wait 30 s for more work. While the game is drawn they
// stay; left alone this long, they end.
inline constexpr std::chrono::milliseconds kPaintingThreadExpiry{2000};
// The window's art is painted in idle turns after it is first shown; by this
// time it is done and its scratch images are freed.
inline constexpr std::chrono::milliseconds kHeapTrimDelay{3000};

// Shortens the painting threads' wait; call once, before the first paint.
void limitPaintingThreads();

// Once, kHeapTrimDelay from now (while `context` lives), returns the free
// pages of the heap to the system: the start-up's scratch memory, which the
// allocator otherwise keeps for the life of the process.
void trimHeapAfterStartUp(QObject *context);

} // namespace kalvex
