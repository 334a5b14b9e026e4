#include "chat/qt/link_opener.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QMessageBox>

namespace kalvex {

void DesktopLinkOpener::openWebAddress(const QUrl &address)
{
    // A browser that cannot be started fails silently, as the desktop does.
    QDesktopServices::openUrl(address);
}

void DesktopLinkOpener::cannotOpen(QWidget *parent)
{
    QMessageBox::information(
        parent, QStringLiteral("Kalvex"),
        QCoreApplication::translate("kalvex::DesktopLinkOpener", "Cannot open Webpage"));
}

} // namespace kalvex
