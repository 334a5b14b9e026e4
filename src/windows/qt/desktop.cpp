#include "windows/qt/desktop.h"

#include "net/error_report.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>

namespace kalvex {

bool isWebAddress(const QUrl &url)
{
    const QString scheme = url.scheme().toLower();
    return url.isValid() && (scheme == QLatin1String("http") || scheme == QLatin1String("https")) &&
           !url.host().isEmpty();
}

bool SystemDesktop::openWebAddress(const QUrl &url)
{
    if (!isWebAddress(url))
        return false;
    return QDesktopServices::openUrl(url);
}

bool SystemDesktop::startProgram(const QString &program, const QStringList &arguments)
{
    const QFileInfo file(program);
    if (!file.isFile() || !file.isExecutable())
        return false;
    return QProcess::startDetached(file.absoluteFilePath(), arguments, file.absolutePath());
}

void SystemDesktop::showMessage(QWidget *parent, const QString &text)
{
    QMessageBox::information(parent, QStringLiteral("Kalvex"), text);
}

void SystemDesktop::showError(QWidget *, const QString &text)
{
    reportError(ErrorOrigin::Local, text.toStdString());
}

Desktop &systemDesktop()
{
    static SystemDesktop desktop;
    return desktop;
}

} // namespace kalvex
