#include "app/qt/start_up_leftovers.h"

#include <QThreadPool>
#include <QTimer>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace kalvex {

void limitPaintingThreads()
{
    QThreadPool::globalInstance()->setExpiryTimeout(int(kPaintingThreadExpiry.count()));
}

void trimHeapAfterStartUp(QObject *context)
{
#if defined(__GLIBC__)
    QTimer::singleShot(kHeapTrimDelay, context, [] { malloc_trim(0); });
#else
    (void)context;
#endif
}

} // namespace kalvex
