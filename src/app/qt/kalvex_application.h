#pragma once
// The program's QApplication: the last line of the error reporter. Handlers
// catch their own errors; whatever still escapes an event is reported here
// instead of ending the program.

#include <QApplication>

namespace kalvex {

class KalvexApplication : public QApplication
{
    Q_OBJECT

public:
    KalvexApplication(int &argc, char **argv);
    bool notify(QObject *receiver, QEvent *event) override;
};

} // namespace kalvex
