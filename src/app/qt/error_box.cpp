#include "app/qt/error_box.h"
#include "app/qt/app_log.h"

#include "net/error_report.h"

#include <QApplication>

#include <QMessageBox>

namespace kalvex {

namespace {

bool boxOpen = false;

} // namespace

void ErrorBox::install()
{
    setErrorSink([](ErrorOrigin origin, const std::string &text) {
        const QString message = QString::fromStdString(text);
        if (origin == ErrorOrigin::Peer) {
            qCWarning(lcApp) << "dropped:" << message;
            return;
        }
        show(message);
    });
}

bool ErrorBox::show(const QString &text)
{
    if (boxOpen) {
        qCWarning(lcApp) << "error while a box is open:" << text;
        return false;
    }
    boxOpen = true;
    struct Reopen
    {
        ~Reopen() { boxOpen = false; }
    } reopen;
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Kalvex"), text, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.setObjectName(QStringLiteral("errorbox"));
    box.exec();
    return true;
}

bool ErrorBox::isOpen()
{
    return boxOpen;
}

} // namespace kalvex
