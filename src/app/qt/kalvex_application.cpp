#include "app/qt/kalvex_application.h"

#include "net/error_report.h"

#include <exception>

namespace kalvex {

KalvexApplication::KalvexApplication(int &argc, char **argv) : QApplication(argc, argv) {}

bool KalvexApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception &e) {
        reportError(ErrorOrigin::Local, e.what());
    } catch (...) {
        reportError(ErrorOrigin::Local, "Unknown error");
    }
    return false;
}

} // namespace kalvex
